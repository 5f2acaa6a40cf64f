#include "service/LiveSourceResolver.h"

#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "support/FakeService.h"
#include "support/Gbk.h"

namespace {

const std::string kFirefox =
    "Mozilla/5.0 (Windows NT 6.1; WOW64; rv:46.0) Gecko/20100101 Firefox/46.0";

class ResolverTest : public ::testing::Test {
  protected:
    ServiceEndpoints endpoints() const {
        ServiceEndpoints e;
        e.hlsHost = service.hostPort();
        return e;
    }
    FakeService service;
};

TEST_F(ResolverTest, RequestAddressAndHeaders) {
    EXPECT_EQ(resolveLiveSource("12345", endpoints()), FakeService::addressOf("12345"));
    ASSERT_EQ(service.requests().size(), 1u);
    const RecordedRequest request = service.requests()[0];
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.target, "/hls/new/get/12345/12345/1200?source=wapyy&callback=jsonp3");
    EXPECT_EQ(request.header("User-Agent"), kFirefox);
    EXPECT_EQ(request.header("Accept"), "*/*");
    EXPECT_EQ(request.header("Accept-Language"), "zh-cn");
    EXPECT_EQ(request.header("Referer"),
              "http://" + service.hostPort() +
                  "/hls/new/get/12345/12345/1200?source=wapyy&callback=jsonp3");
    EXPECT_EQ(liveSourceRequestUrl("7", ServiceEndpoints()),
              "http://interface.yy.com/hls/new/get/7/7/1200?source=wapyy&callback=jsonp3");
}

TEST_F(ResolverTest, AnswersTable) {
    struct Case {
        const char* name;
        std::string answer;
        std::string address;
    };
    const std::vector<Case> cases = {
        {"first member", R"(jsonp3({"hls":"ADDR","code":0}))", "ADDR"},
        {"last member takes the next right delimiter",
         R"(jsonp3({"code":0,"hls":"ADDR"}),"x":"y",)", "ADDR\"}),\"x\":\"y"},
        {"last member without any right delimiter", R"(jsonp3({"code":0,"hls":"ADDR"}))", ""},
        {"two hls members give the first", R"({"hls":"ONE","hls":"TWO",})", "ONE"},
        {"capitals are not the delimiter", R"({"HLS":"ADDR","x":1})", ""},
        {"no hls at all", "<html>error</html>", ""},
        {"nothing trimmed", R"({"hls":" A ",})", " A "},
        {"escaped address decoded", R"({"hls":"http:\/\/x\/y.m3u8?a=1",})", "http://x/y.m3u8?a=1"},
        {"UTF-8 answer in program text", "{\"hls\":\"\xE4\xB8\xAD\",}", G("中")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        service.setRoomAnswer("1", c.answer);
        EXPECT_EQ(resolveLiveSource("1", endpoints()), c.address);
    }
}

TEST_F(ResolverTest, EmptyRoomNumberIsStillSent) {
    service.setRoomAnswer("", R"({"hls":"E","a":1})");
    EXPECT_EQ(resolveLiveSource("", endpoints()), "E");
    EXPECT_EQ(service.requests().back().target, "/hls/new/get///1200?source=wapyy&callback=jsonp3");
}

TEST_F(ResolverTest, FailedRequestGivesEmptyText) {
    ServiceEndpoints nowhere;
    nowhere.hlsHost = "127.0.0.1:1";
    EXPECT_EQ(resolveLiveSource("1", nowhere), "");
}

TEST_F(ResolverTest, TwoThreadsAtOnce) {
    service.setAnswerDelayMs(100);
    std::vector<std::future<GbkText>> results;
    for (const char* room : {"11", "22", "33", "44"}) {
        results.push_back(std::async(
            std::launch::async, [this, room] { return resolveLiveSource(room, endpoints()); }));
    }
    EXPECT_EQ(results[0].get(), FakeService::addressOf("11"));
    EXPECT_EQ(results[1].get(), FakeService::addressOf("22"));
    EXPECT_EQ(results[2].get(), FakeService::addressOf("33"));
    EXPECT_EQ(results[3].get(), FakeService::addressOf("44"));
}

}  // namespace
