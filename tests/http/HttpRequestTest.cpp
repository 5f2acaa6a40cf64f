#include "http/HttpRequest.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "support/FakeService.h"
#include "support/RawServer.h"

namespace {

const std::string kFirefox =
    "Mozilla/5.0 (Windows NT 6.1; WOW64; rv:46.0) Gecko/20100101 Firefox/46.0";

class HttpRequestTest : public ::testing::Test {
  protected:
    void SetUp() override { saved_ = httpLimits(); }
    void TearDown() override {
        setHttpLimits(saved_);
        setRequestsAborted(false);
    }
    HttpLimits saved_;
};

// A port with nothing listening on it.
int closedPort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(s);
    return ntohs(address.sin_port);
}

TEST_F(HttpRequestTest, ResolverRequestOnTheWire) {
    RawServer server;
    HttpRequestArgs args;
    args.url =
        "http://" + server.hostPort() + "/hls/new/get/123/123/1200?source=wapyy&callback=jsonp3";
    args.headers = "User-Agent: " + kFirefox;
    EXPECT_EQ(httpRequest(args).bytes(), "ok");
    const std::string sentHeaders = "User-Agent: " + kFirefox +
                                    "\r\nAccept: */*\r\nReferer: " + args.url +
                                    "\r\nAccept-Language: zh-cn";
    EXPECT_EQ(args.headers, sentHeaders);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
              "GET /hls/new/get/123/123/1200?source=wapyy&callback=jsonp3 HTTP/1.1\r\n"
              "Host: " +
                  server.hostPort() + "\r\n" + sentHeaders + "\r\n\r\n");
    EXPECT_EQ(args.responseHeaders,
              "HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\n");
}

TEST_F(HttpRequestTest, DefaultHeadersOfAPlainGet) {
    RawServer server;
    const std::string url = "http://" + server.hostPort() + "/hls/new/get///1200";
    httpRequest(url);
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
              "GET /hls/new/get///1200 HTTP/1.1\r\nHost: " + server.hostPort() +
                  "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"
                  "\r\nAccept: */*\r\nReferer: " +
                  url + "\r\nAccept-Language: zh-cn\r\n\r\n");
}

TEST_F(HttpRequestTest, NoRewritingWhenSwitchedOff) {
    RawServer server;
    HttpRequestArgs args;
    args.url = "http://" + server.hostPort() + "/a/../b//c";
    args.headers = "x-one: 1\r\nuser-agent: mine";
    args.completeHeaders = false;
    args.normalizeHeaderCase = false;
    httpRequest(args);
    EXPECT_EQ(args.headers, "x-one: 1\r\nuser-agent: mine");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0], "GET /a/../b//c HTTP/1.1\r\nHost: " + server.hostPort() +
                                        "\r\nx-one: 1\r\nuser-agent: mine\r\n\r\n");
}

TEST_F(HttpRequestTest, MethodsAndBodies) {
    struct Case {
        const char* name;
        int method;
        std::string body;
        std::string bodyBytes;
        std::string requestLineVerb;
        std::string sentBody;
    };
    const std::vector<Case> cases = {
        {"GET sends no body", 0, "text", "", "GET", ""},
        {"code 8 is GET", 8, "text", "", "GET", ""},
        {"code -1 is GET", -1, "", "", "GET", ""},
        {"POST body", 1, "a=1", "", "POST", "a=1"},
        {"bodyBytes win", 1, "a=1", std::string("b\0=2", 4), "POST", std::string("b\0=2", 4)},
        {"PUT body", 3, "put", "", "PUT", "put"},
        {"DELETE without body", 5, "", "", "DELETE", ""},
        {"OPTIONS", 4, "", "", "OPTIONS", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RawServer server;
        HttpRequestArgs args;
        args.url = "http://" + server.hostPort() + "/m";
        args.method = c.method;
        args.body = c.body;
        args.bodyBytes = ByteBuffer(c.bodyBytes);
        httpRequest(args);
        ASSERT_EQ(server.requests().size(), 1u);
        const std::string raw = server.requests()[0];
        EXPECT_EQ(raw.substr(0, raw.find(' ')), c.requestLineVerb);
        const std::size_t headEnd = raw.find("\r\n\r\n");
        EXPECT_EQ(raw.substr(headEnd + 4), c.sentBody);
        EXPECT_EQ(raw.find("Expect:"), std::string::npos);
        const bool announcesLength = raw.find("Content-Length: ") != std::string::npos;
        EXPECT_EQ(announcesLength, !c.sentBody.empty() || c.method == 1);
        if (!c.sentBody.empty()) {
            EXPECT_NE(raw.find("Content-Length: " + std::to_string(c.sentBody.size())),
                      std::string::npos);
        }
        // POST always gets the form Content-Type; other bodies get none from the engine.
        EXPECT_EQ(raw.find("Content-Type: application/x-www-form-urlencoded") != std::string::npos,
                  c.method == 1);
        if (c.method != 0 && c.method != 8 && c.method != -1) {
            EXPECT_EQ(args.bodyBytes.bytes(), c.bodyBytes.empty() ? c.body : c.bodyBytes);
        }
    }
}

TEST_F(HttpRequestTest, HeadAnswersWithoutBody) {
    FakeService service;
    HttpRequestArgs args;
    args.url = service.baseUrl() + "/echo";
    args.method = 2;
    EXPECT_TRUE(httpRequest(args).empty());
    EXPECT_EQ(args.responseHeaders.rfind("HTTP/1.1 200", 0), 0u);
    EXPECT_EQ(service.requests().at(0).method, "HEAD");
}

TEST_F(HttpRequestTest, CookiesSuppliedOmittedOrEmpty) {
    FakeService service;
    const std::string url = service.baseUrl() + "/cookies";
    {
        HttpRequestArgs omitted;
        omitted.url = url;
        httpRequest(omitted);
        EXPECT_EQ(omitted.responseCookies, "a=1; b=2; gone=deleted");
        EXPECT_FALSE(omitted.cookies.has_value());
    }
    {
        HttpRequestArgs empty;
        empty.url = url;
        empty.cookies = "";
        httpRequest(empty);
        EXPECT_EQ(empty.responseCookies, "a=1; b=2");
        EXPECT_EQ(empty.cookies, "a=1; b=2");
        EXPECT_EQ(empty.headers.find("Cookie"), std::string::npos);
    }
    {
        HttpRequestArgs sent;
        sent.url = url;
        sent.cookies = "x=9; gone=old";
        httpRequest(sent);
        EXPECT_EQ(sent.responseCookies, "a=1; b=2; x=9");
        EXPECT_EQ(sent.cookies, "a=1; b=2; x=9");
        EXPECT_EQ(service.requests().back().header("Cookie"), "x=9; gone=old");
    }
    {
        HttpRequestArgs noMerge;
        noMerge.url = url;
        noMerge.cookies = "x=9";
        noMerge.autoMergeCookies = false;
        httpRequest(noMerge);
        EXPECT_EQ(noMerge.responseCookies, "a=1; b=2; gone=deleted");
        EXPECT_EQ(noMerge.cookies, "x=9");
    }
}

TEST_F(HttpRequestTest, RedirectsFollowedOrNot) {
    FakeService service;
    HttpRequestArgs followed;
    followed.url = service.baseUrl() + "/redirect?to=/echo";
    EXPECT_EQ(httpRequest(followed).bytes(), "GET /echo\n");
    EXPECT_EQ(followed.responseHeaders.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
    EXPECT_EQ(followed.responseHeaders.find("Location"), std::string::npos);

    HttpRequestArgs kept;
    kept.url = followed.url;
    kept.noRedirect = true;
    EXPECT_EQ(httpRequest(kept).bytes(), "moved");
    EXPECT_EQ(kept.responseHeaders.rfind("HTTP/1.1 302", 0), 0u);
    EXPECT_NE(kept.responseHeaders.find("Location: /echo\r\n"), std::string::npos);
    EXPECT_TRUE(kept.responseHeaders.ends_with("\r\n\r\n"));
}

TEST_F(HttpRequestTest, ErrorStatusBodiesAreReturned) {
    FakeService service;
    EXPECT_EQ(httpRequest(service.baseUrl() + "/status/404").bytes(), "status body");
    EXPECT_EQ(httpRequest(service.baseUrl() + "/status/500").bytes(), "status body");
}

TEST_F(HttpRequestTest, HttpsWithSelfSignedCertificate) {
    FakeService service(true);
    EXPECT_EQ(httpRequest(service.baseUrl() + "/echo?q=1").bytes(), "GET /echo?q=1\n");
    // The scheme is recognised in capitals; the path keeps its own.
    EXPECT_EQ(httpRequest("HTTPS://" + service.hostPort() + "/echo?Q=Big").bytes(),
              "GET /echo?Q=Big\n");
}

TEST_F(HttpRequestTest, ProxyForBothSchemes) {
    RawServer proxy;
    HttpRequestArgs plain;
    plain.url = "http://service.invalid/p?q=1";
    plain.proxy = proxy.hostPort();
    EXPECT_EQ(httpRequest(plain).bytes(), "ok");
    ASSERT_EQ(proxy.requests().size(), 1u);
    EXPECT_EQ(proxy.requests()[0].rfind("GET http://service.invalid/p?q=1 HTTP/1.1\r\n"
                                        "Host: service.invalid\r\n",
                                        0),
              0u);
    EXPECT_EQ(proxy.requests()[0].find("Proxy-Connection"), std::string::npos);

    RawServer tunnel("HTTP/1.1 502 Bad Gateway\r\nContent-Length: 0\r\n\r\n");
    HttpRequestArgs secure;
    secure.url = "https://service.invalid/p";
    secure.proxy = tunnel.hostPort();
    EXPECT_TRUE(httpRequest(secure).empty());
    ASSERT_EQ(tunnel.requests().size(), 1u);
    EXPECT_EQ(tunnel.requests()[0].rfind("CONNECT service.invalid:443 HTTP/1.1\r\n", 0), 0u);
}

TEST_F(HttpRequestTest, BodiesArriveWhole) {
    FakeService service;
    EXPECT_TRUE(httpRequest(service.baseUrl() + "/bytes?n=0").empty());
    const ByteBuffer large = httpRequest(service.baseUrl() + "/bytes?n=100000");
    ASSERT_EQ(large.size(), 100000u);
    EXPECT_EQ(large.bytes()[99000], 'A' + 99 % 26);
    const ByteBuffer chunked = httpRequest(service.baseUrl() + "/chunked?pieces=50&size=1000");
    ASSERT_EQ(chunked.size(), 50000u);
    EXPECT_EQ(chunked.bytes()[49999], 'a' + 49 % 26);
}

TEST_F(HttpRequestTest, FailuresReturnTheirDefinedResults) {
    HttpLimits limits = httpLimits();
    limits.stallTimeoutSeconds = 1;
    limits.maxBodyBytes = 4000;
    setHttpLimits(limits);
    FakeService service;
    EXPECT_TRUE(httpRequest("http://127.0.0.1:" + std::to_string(closedPort()) + "/").empty());
    EXPECT_EQ(httpRequest(service.baseUrl() + "/stall?after=5").bytes(), "sssss");
    EXPECT_EQ(httpRequest(service.baseUrl() + "/drop?after=7").bytes(), "ddddddd");
    EXPECT_TRUE(httpRequest(service.baseUrl() + "/bytes?n=5000").empty());
    EXPECT_TRUE(httpRequest(service.baseUrl() + "/chunked?pieces=5&size=1000").empty());
    EXPECT_EQ(httpRequest(service.baseUrl() + "/bytes?n=4000").size(), 4000u);
}

TEST_F(HttpRequestTest, DeadlineEndsTricklingBodiesKeepingWhatArrived) {
    HttpLimits limits = httpLimits();
    limits.totalTimeoutSeconds = 1;
    setHttpLimits(limits);
    FakeService service;
    for (const std::string query : {"ms=100", "ms=100&chunked=1"}) {
        SCOPED_TRACE(query);
        auto trickle = std::async(std::launch::async, [&] {
            return httpRequest(service.baseUrl() + "/trickle?" + query);
        });
        // The stall limit alone would never end these.
        ASSERT_EQ(trickle.wait_for(std::chrono::seconds(20)), std::future_status::ready);
        const std::string body = trickle.get().bytes();
        EXPECT_FALSE(body.empty());
        EXPECT_EQ(body.find_first_not_of('t'), std::string::npos);
    }
}

TEST_F(HttpRequestTest, UnsafeAddressesAndHeadersSendNothing) {
    RawServer server;
    const std::string base = "http://" + server.hostPort();
    for (const std::string& url :
         {base + "/a\r\nX-Injected: 1", base + "/a\nb", base + std::string("/a\0b", 4),
          base + "/a\tb", std::string("http://bad host/"), std::string("http://h:99999/"),
          std::string("http://h:-5/")}) {
        SCOPED_TRACE(url);
        HttpRequestArgs args;
        args.url = url;
        args.headers = "x-a: 1";
        EXPECT_TRUE(httpRequest(args).empty());
        EXPECT_EQ(args.headers, "X-A: 1");  // only the rewriting before set-up happened
    }
    HttpRequestArgs header;
    header.url = base + "/h";
    header.headers = "X-A: 1\nInjected: 2";
    header.normalizeHeaderCase = false;
    EXPECT_TRUE(httpRequest(header).empty());
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(HttpRequestTest, BlanksAndHighBytesInThePathAreEncoded) {
    RawServer server;
    httpRequest("http://" + server.hostPort() + "/a b/\xD6\xD0?q=\xCE\xC4 x");
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0].rfind("GET /a%20b/%D6%D0?q=%CE%C4%20x HTTP/1.1\r\n", 0), 0u);
}

TEST_F(HttpRequestTest, TwoThreadsAtOnce) {
    FakeService service;
    service.setAnswerDelayMs(200);
    auto fetch = [&](const std::string& q) {
        return httpRequest(service.baseUrl() + "/echo?t=" + q).bytes();
    };
    auto first = std::async(std::launch::async, fetch, "1");
    auto second = std::async(std::launch::async, fetch, "2");
    EXPECT_EQ(first.get(), "GET /echo?t=1\n");
    EXPECT_EQ(second.get(), "GET /echo?t=2\n");
}

TEST_F(HttpRequestTest, AbortSwitchEndsRequestsInFlight) {
    FakeService service;
    const auto started = std::chrono::steady_clock::now();
    auto slow = std::async(std::launch::async,
                           [&] { return httpRequest(service.baseUrl() + "/slow?ms=20000"); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    setRequestsAborted(true);
    // Far below the answer's 20 s: the request gave up when told to.
    ASSERT_EQ(slow.wait_for(std::chrono::seconds(5)), std::future_status::ready);
    EXPECT_TRUE(slow.get().empty());
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_TRUE(httpRequest(service.baseUrl() + "/echo").empty());  // new ones too
    setRequestsAborted(false);
    EXPECT_EQ(httpRequest(service.baseUrl() + "/echo").bytes(), "GET /echo\n");
}

}  // namespace
