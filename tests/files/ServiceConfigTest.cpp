#include "files/ServiceConfig.h"

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace {

TEST(ServiceConfig, SectionOverridesDefaultsKeyByKey) {
    TempDir dir;
    const RunDirectory run(dir.path());
    const ServiceEndpoints defaults;
    EXPECT_EQ(loadServiceEndpoints(run).hlsHost, defaults.hlsHost);  // no file at all
    dir.write("config.conf",
              "[config]\r\nplayPath=null\r\nauto=false\r\n[Service]\r\nhlsHost = 127.0.0.1:9001\r\n"
              "relayHost=relay.lan\r\npageHost=\r\n");
    const ServiceEndpoints read = loadServiceEndpoints(run);
    EXPECT_EQ(read.hlsHost, "127.0.0.1:9001");
    EXPECT_EQ(read.relayHost, "relay.lan");
    EXPECT_EQ(read.pageHost, defaults.pageHost);  // empty keeps the default
    EXPECT_EQ(defaults.hlsHost, "interface.yy.com");
    EXPECT_EQ(defaults.pageHost, "data.3g.yy.com");
    EXPECT_EQ(defaults.relayHost, "127.0.0.1:8866");
}

}  // namespace
