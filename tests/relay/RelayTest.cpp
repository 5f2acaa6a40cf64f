// The relay over real sockets, against the fake service.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "http/HttpRequest.h"
#include "relay/HttpServer.h"
#include "relay/RelayService.h"
#include "support/FakeService.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class RelayTest : public ::testing::Test {
  protected:
    ~RelayTest() override {
        stopRelay();
        setRequestsAborted(false);
    }

    void startRelay(RelayConfig config = {}) {
        config.endpoints.hlsHost = service.hostPort();
        config.endpoints.pageHost = service.hostPort();
        config.fallbackHost = "relay.fallback:8866";
        relay = std::make_unique<RelayService>(config);
        server = std::make_unique<HttpServer>(*relay, "127.0.0.1", 0, 2, nullptr);
        ASSERT_TRUE(server->listening()) << server->error();
        server->start();
    }
    // The order the program itself keeps: no new answers, then no upstream work.
    void stopRelay() {
        if (server) server->stop();
        if (relay) relay->stop();
        server.reset();
        relay.reset();
    }
    httplib::Client client() const {
        httplib::Client c("127.0.0.1", server->port());
        c.set_read_timeout(30, 0);
        return c;
    }
    httplib::Result get(const std::string& path, const httplib::Headers& headers = {}) const {
        return client().Get(path.c_str(), headers);
    }
    int upstreamRequestsFor(const std::string& room) const {
        int count = 0;
        for (const RecordedRequest& request : service.requests()) {
            if (request.target.rfind("/hls/new/get/" + room + "/", 0) == 0) ++count;
        }
        return count;
    }
    // Asks until the fake sees the room's next upstream request, or gives up after 10 s.
    bool askUntilResolvedAgain(const std::string& room, int seen) {
        const auto until = Clock::now() + 10s;
        while (Clock::now() < until) {
            get("/dl/yy1.php?t=" + room);
            if (upstreamRequestsFor(room) > seen) return true;
            std::this_thread::sleep_for(20ms);
        }
        return false;
    }

    FakeService service;
    std::unique_ptr<RelayService> relay;
    std::unique_ptr<HttpServer> server;
};

// A plain-text error body is one line.
void expectOneLine(const std::string& body) {
    ASSERT_FALSE(body.empty());
    EXPECT_EQ(body.back(), '\n');
    EXPECT_EQ(body.find('\n'), body.size() - 1) << body;
}

TEST_F(RelayTest, PermanentAddressRedirectsToTheLiveOne) {
    startRelay();
    const auto found = get("/dl/yy1.php?t=123");
    ASSERT_TRUE(found);
    EXPECT_EQ(found->status, 302);
    EXPECT_EQ(found->get_header_value("Location"), FakeService::addressOf("123"));
    service.setRoomAnswer("404", "jsonp3({\"code\":1})");
    const auto missing = get("/dl/yy1.php?t=404");
    EXPECT_EQ(missing->status, 404);
    expectOneLine(missing->body);

    const auto head = client().Head("/dl/yy1.php?t=123");
    EXPECT_EQ(head->status, 302);
    EXPECT_EQ(head->get_header_value("Location"), FakeService::addressOf("123"));
    EXPECT_TRUE(head->body.empty());
    EXPECT_EQ(head->get_header_value("Content-Length"), "6");

    const auto posted = client().Post("/dl/yy1.php?t=123", "x", "text/plain");
    EXPECT_EQ(posted->status, 405);
    EXPECT_EQ(posted->get_header_value("Allow"), "GET, HEAD");
    expectOneLine(posted->body);
    const auto unknown = get("/nothing/here");
    EXPECT_EQ(unknown->status, 404);
    expectOneLine(unknown->body);
}

TEST_F(RelayTest, BadRoomQueriesAreRefused) {
    startRelay();
    for (const char* query : {"", "?t", "?t=", "?t=12a", "?t=-1", "?t=%31", "?t=1&t=2",
                              "?t=123456789012345678901", "?x=1"}) {
        SCOPED_TRACE(query);
        const auto refused = get(std::string("/dl/yy1.php") + query);
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->status, 400);
        expectOneLine(refused->body);
    }
    EXPECT_EQ(get("/dl/yy1.php?t=12345678901234567890")->status, 302);  // 20 digits
    EXPECT_EQ(upstreamRequestsFor("12345678901234567890"), 1);
    EXPECT_EQ(service.requests().size(), 1u);  // nothing else went upstream
}

TEST_F(RelayTest, UnusableAddressesAreNeverPutIntoAHeader) {
    startRelay();
    service.setRoomAnswer("1",
                          "jsonp3({\"hls\":\"http:\\/\\/x\\/a\\r\\nSet-Cookie: evil=1\",\"c\":0})");
    service.setRoomAnswer("2", "jsonp3({\"hls\":\"http:\\/\\/x\\/a b.m3u8\",\"c\":0})");
    service.setRoomAnswer("3", "jsonp3({\"hls\":\"javascript:alert(1)\",\"c\":0})");
    for (const char* room : {"1", "2", "3"}) {
        SCOPED_TRACE(room);
        const auto answer = get(std::string("/dl/yy1.php?t=") + room);
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->status, 502);
        EXPECT_FALSE(answer->has_header("Set-Cookie"));
        EXPECT_FALSE(answer->has_header("Location"));
        expectOneLine(answer->body);
    }
}

TEST_F(RelayTest, AddressesAreCachedForTheirLifetime) {
    RelayConfig config;
    config.cacheLifetime = 1500ms;  // long enough for two requests on a busy machine
    startRelay(config);
    EXPECT_EQ(get("/dl/yy1.php?t=5")->status, 302);
    EXPECT_EQ(get("/dl/yy1.php?t=5")->status, 302);
    EXPECT_EQ(upstreamRequestsFor("5"), 1);
    EXPECT_TRUE(askUntilResolvedAgain("5", 1));  // expired, resolved anew

    RelayConfig off;
    off.cacheLifetime = 0ms;
    stopRelay();
    service.clearRequests();
    startRelay(off);
    get("/dl/yy1.php?t=5");
    get("/dl/yy1.php?t=5");
    EXPECT_EQ(upstreamRequestsFor("5"), 2);
}

TEST_F(RelayTest, FailedResolutionsAreCachedOnlyBriefly) {
    RelayConfig config;
    config.cacheLifetime = 60s;
    config.failureLifetime = 1500ms;
    startRelay(config);
    service.setRoomAnswer("9", "no address");
    EXPECT_EQ(get("/dl/yy1.php?t=9")->status, 404);
    EXPECT_EQ(get("/dl/yy1.php?t=9")->status, 404);
    EXPECT_EQ(upstreamRequestsFor("9"), 1);
    service.setRoomLive("9");
    ASSERT_TRUE(askUntilResolvedAgain("9", 1));
    EXPECT_EQ(get("/dl/yy1.php?t=9")->status, 302);  // and now it holds the address
    EXPECT_EQ(upstreamRequestsFor("9"), 2);
}

TEST_F(RelayTest, ConcurrentRequestsForOneRoomShareOneUpstreamRequest) {
    startRelay();
    service.setAnswerDelayMs(500);
    std::vector<std::future<int>> answers;
    for (int i = 0; i < 20; ++i) {
        answers.push_back(std::async(std::launch::async, [this] {
            const auto answer = get("/dl/yy1.php?t=77");
            return answer ? answer->status : -1;
        }));
    }
    for (auto& answer : answers) EXPECT_EQ(answer.get(), 302);
    EXPECT_EQ(upstreamRequestsFor("77"), 1);
}

TEST_F(RelayTest, UpstreamIsBoundedAndWaitersGiveUp) {
    RelayConfig config;
    config.maxUpstream = 2;
    config.upstreamWait = 300ms;
    startRelay(config);
    service.setAnswerDelayMs(1500);
    std::vector<std::future<int>> answers;
    for (int room = 1; room <= 5; ++room) {
        answers.push_back(std::async(std::launch::async, [this, room] {
            const auto answer = get("/dl/yy1.php?t=" + std::to_string(room));
            return answer ? answer->status : -1;
        }));
    }
    int redirected = 0;
    int unavailable = 0;
    for (auto& answer : answers) {
        const int status = answer.get();
        redirected += status == 302;
        unavailable += status == 503;
    }
    EXPECT_EQ(redirected, 2);
    EXPECT_EQ(unavailable, 3);
    EXPECT_LE(service.maxConcurrentRequests(), 2);
}

TEST_F(RelayTest, CacheKeepsOnlyTheMostRecentRooms) {
    RelayConfig config;
    config.cacheCapacity = 50;
    startRelay(config);
    for (int room = 1; room <= 120; ++room) get("/dl/yy1.php?t=" + std::to_string(room));
    EXPECT_LE(relay->cache().entries(), 50u);
    get("/dl/yy1.php?t=120");
    EXPECT_EQ(upstreamRequestsFor("120"), 1);  // still cached
    get("/dl/yy1.php?t=1");
    EXPECT_EQ(upstreamRequestsFor("1"), 2);  // long gone
}

const char* const kPageOne =
    R"({"data":{"data":[{"name":"a","desc":"陪你看","sid":11},)"
    R"({"name":"b","desc":"x\r\n#EXTINF:-1,evil\r\nhttp://evil/","sid":22},)"
    R"({"name":"c","desc":"no room","sid":"abc"}]}})";

TEST_F(RelayTest, PlaylistOfPagesUsesTheAskedHost) {
    startRelay();
    service.setPageAnswer(1, kPageOne);
    service.setPageAnswer(2, R"({"data":{"data":[{"name":"d","desc":"D","sid":33}]}})");
    const auto playlist = get("/playlist.m3u?pages=1-2", {{"Host", "tv.lan:8866"}});
    ASSERT_TRUE(playlist);
    EXPECT_EQ(playlist->status, 200);
    EXPECT_EQ(playlist->get_header_value("Content-Type"), "audio/x-mpegurl; charset=utf-8");
    const std::string head = "#EXTINF:-1 group-title=\"YY影视轮播\",";
    EXPECT_EQ(playlist->body, "#EXTM3U\n" + head +
                                  "陪你看【11】\nhttp://tv.lan:8866/dl/yy1.php?t=11\n" + head +
                                  "x  #EXTINF:-1,evil  http://evil/【22】\n"
                                  "http://tv.lan:8866/dl/yy1.php?t=22\n" +
                                  head + "D【33】\nhttp://tv.lan:8866/dl/yy1.php?t=33\n");
    // A Host that could carry anything into the playlist is not used.
    const auto odd = get("/playlist.m3u?pages=2", {{"Host", "evil.test/x?"}});
    EXPECT_NE(odd->body.find("\nhttp://relay.fallback:8866/dl/yy1.php?t=33\n"), std::string::npos);
    // Each page was fetched once for all three playlists.
    int pageRequests = 0;
    for (const RecordedRequest& request : service.requests()) {
        pageRequests += request.target.find("/mobyy/") == 0;
    }
    EXPECT_EQ(pageRequests, 2);
    for (const char* pages : {"0-2", "2-1", "1-65", "x", "1-2&pages=3"}) {
        SCOPED_TRACE(pages);
        const auto refused = get(std::string("/playlist.m3u?pages=") + pages);
        EXPECT_EQ(refused->status, 400);
        expectOneLine(refused->body);
    }
    EXPECT_EQ(get("/playlist.m3u?pages=1-64")->status, 200);
}

TEST_F(RelayTest, PublicUrlAndHomePage) {
    RelayConfig config;
    config.publicUrl = "http://tv.example:9000";
    startRelay(config);
    service.setPageAnswer(1, kPageOne);
    const auto playlist = get("/playlist.m3u", {{"Host", "other:1"}});
    EXPECT_NE(playlist->body.find("\nhttp://tv.example:9000/dl/yy1.php?t=11\n"), std::string::npos);
    const auto home = get("/");
    EXPECT_EQ(home->status, 200);
    EXPECT_EQ(home->get_header_value("Content-Type"), "text/html; charset=utf-8");
    EXPECT_NE(home->body.find("<a href=\"http://tv.example:9000/playlist.m3u\">"),
              std::string::npos);
    EXPECT_NE(home->body.find("<td>陪你看</td>"), std::string::npos);
    EXPECT_NE(home->body.find("http://tv.example:9000/dl/yy1.php?t=11"), std::string::npos);
    EXPECT_EQ(home->body.find("<script"), std::string::npos);
}

TEST_F(RelayTest, StatusCountsAnswersCacheAndUpstream) {
    startRelay();
    get("/dl/yy1.php?t=1");
    get("/dl/yy1.php?t=1");
    get("/dl/yy1.php?t=x");
    const auto status = get("/status.json");
    ASSERT_EQ(status->status, 200);
    EXPECT_EQ(status->get_header_value("Content-Type"), "application/json");
    const std::string& json = status->body;
    for (const char* part :
         {"\"requests\":{\"302\":2,\"400\":1}", "\"entries\":1", "\"hits\":1", "\"misses\":1",
          "\"inFlight\":0", "\"requests\":1,\"latencyMs\":{", "\"uptimeSeconds\":"}) {
        EXPECT_NE(json.find(part), std::string::npos) << part << " in " << json;
    }
}

TEST_F(RelayTest, StopsWhileUpstreamRequestsAreInFlight) {
    startRelay();
    service.setAnswerDelayMs(20000);
    std::vector<std::future<bool>> answers;
    for (int room = 1; room <= 3; ++room) {
        answers.push_back(std::async(std::launch::async, [this, room] {
            return static_cast<bool>(get("/dl/yy1.php?t=" + std::to_string(room)));
        }));
    }
    while (service.requests().size() < 3) std::this_thread::sleep_for(5ms);
    const auto started = Clock::now();
    setRequestsAborted(true);
    stopRelay();
    EXPECT_LT(Clock::now() - started, 5s);  // far below the service's 20 s
    for (auto& answer : answers) {
        ASSERT_EQ(answer.wait_for(10s), std::future_status::ready);
        answer.get();  // answered or cut off, but over
    }
}

}  // namespace
