#include "http/UrlSplit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct UrlCase {
    const char* name;
    std::string url;
    std::string host;
    int port;
    std::string path;
};

TEST(UrlSplit, HostPortPath) {
    const std::vector<UrlCase> cases = {
        {"capitals, port and query", "http://WWW.Example.COM:8080/Path/A?Q=Yes", "www.example.com",
         8080, "/Path/A?Q=Yes"},
        {"https without port or path", "https://secure.example.com", "secure.example.com", 443,
         "/"},
        {"scheme in capitals", "HTTPS://Host.Example/X", "host.example", 443, "/X"},
        {"no scheme is http", "example.com/a/b", "example.com", 80, "/a/b"},
        {"query right after host stays in host", "http://h.com?x=1", "h.com?x=1", 80, "/"},
        {"http:// later in a query, no scheme in front", "h.com?u=http://other.com/p", "other.com",
         80, "/p"},
        {"port that is not a number", "http://h.com:abc/x", "h.com", 0, "/x"},
        {"empty room number keeps every slash", "http://i.yy.com/hls/new/get///1200?a=b",
         "i.yy.com", 80, "/hls/new/get///1200?a=b"},
        {"port on a scheme-less address", "127.0.0.1:8866/dl", "127.0.0.1", 8866, "/dl"},
        {"user information stays in host", "http://u:p@h.com/x", "u", 0, "/x"},
        {"empty address", "", "", 80, "/"},
        {"only a scheme", "http://", "", 80, "//"},
        {"ftp is not a scheme here", "ftp://h.com/x", "ftp", 0, "//h.com/x"},
    };
    for (const UrlCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(urlHost(c.url), c.host);
        EXPECT_EQ(urlPort(c.url), c.port);
        EXPECT_EQ(urlPath(c.url), c.path);
    }
}

TEST(UrlSplit, HostOptions) {
    EXPECT_EQ(urlHost("http://a.b.example.com:81/x", false, true), "a.b.example.com:81");
    EXPECT_EQ(urlHost("http://a.b.example.com:81/x", true), "example.com");
    EXPECT_EQ(urlHost("http://a.b.example.com:81/x", true, true), "example.com:81");
    EXPECT_EQ(urlHost("http://three.label.host/", true), "label.host");
    EXPECT_EQ(urlHost("http://localhost/", true), "localhost");
}

TEST(UrlSplit, HostByLevel) {
    const std::string url = "https://A.B.C.Example.com:81/x";
    EXPECT_EQ(urlHost(url, false, false, 0), "example.com");
    EXPECT_EQ(urlHost(url, false, false, 1), "c.example.com");
    EXPECT_EQ(urlHost(url, true, false, 1), "example.com");
    EXPECT_EQ(urlHost(url, false, true, 0), "example.com:81");
    EXPECT_EQ(urlHost(url, false, false, 9), "a.b.c.example.com");
    EXPECT_EQ(urlHost("http://x.example.com./", false, false, 0), "example.com.");
    EXPECT_EQ(urlHost("http://x.y.z/", false, false, -3), "y.z");
}

}  // namespace
