#include "http/RequestHeaders.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CapitalizeFirst, FirstByteOnly) {
    EXPECT_EQ(capitalizeFirst("abc"), "Abc");
    EXPECT_EQ(capitalizeFirst("Abc"), "Abc");
    EXPECT_EQ(capitalizeFirst("1bc"), "1bc");
    EXPECT_EQ(capitalizeFirst(""), "");
}

TEST(NormalizeHeaderNames, Table) {
    struct Case {
        const char* name;
        std::string in;
        std::string out;
    };
    const std::vector<Case> cases = {
        {"simple name", "content-type: text/html", "Content-Type: text/html"},
        {"value keeps its case", "x-requested-with: a-b", "X-Requested-With: a-b"},
        {"lines without colon and empty lines vanish", "accept: */*\r\n\r\njunk\r\nuser-agent: x",
         "Accept: */*\r\nUser-Agent: x"},
        {"empty text", "", ""},
        {"trailing dash stays", "x-: 1", "X-: 1"},
        {"double dash", "a--b: 1", "A--B: 1"},
        {"leading dash", "-a: 1", "-A: 1"},
        {"only the first colon ends the name", "host: a-b:80", "Host: a-b:80"},
        {"lone CR at the end stays", "a: 1\r\nb: 2\r", "A: 1\r\nB: 2\r"},
        {"final CR LF dropped", "a: 1\r\n", "A: 1"},
        {"empty name", ": v", ": v"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(normalizeHeaderNames(c.in), c.out);
    }
}

TEST(ChooseUserAgent, Table) {
    EXPECT_EQ(chooseUserAgent(""), kDefaultUserAgent);
    EXPECT_EQ(chooseUserAgent("Accept: */*"), kDefaultUserAgent);
    EXPECT_EQ(chooseUserAgent("Accept: */*\r\nUser-Agent:   Firefox 1  \r\nX: y"), "Firefox 1");
    EXPECT_EQ(chooseUserAgent("User-Agent: last"), "last");
    // Found without regard to case, cut with exact case: the fallback is the first colon.
    EXPECT_EQ(chooseUserAgent("user-agent: lower\r\nX: y"), "lower\r\nX: y");
    EXPECT_EQ(chooseUserAgent("User-Agent:\r\nX: y"), "\r\nX: y");  // CR LF is no blank
}

TEST(ValueAfterFirstColon, Table) {
    EXPECT_EQ(valueAfterFirstColon("a: b:c "), "b:c");
    EXPECT_EQ(valueAfterFirstColon("no colon"), "");
    EXPECT_EQ(valueAfterFirstColon("a:"), "");
}

TEST(CompleteRequestHeaders, Defaults) {
    const std::string url = "http://h.com/p?q=1";
    EXPECT_EQ(completeRequestHeaders("", url, HttpMethod::Get),
              "Accept: */*\r\nReferer: http://h.com/p?q=1\r\nAccept-Language: zh-cn");
    EXPECT_EQ(completeRequestHeaders("User-Agent: F", url, HttpMethod::Get),
              "User-Agent: F\r\nAccept: */*\r\nReferer: http://h.com/p?q=1\r\n"
              "Accept-Language: zh-cn");
    EXPECT_EQ(completeRequestHeaders("accept: text/html", url, HttpMethod::Get),
              "accept: text/html\r\nReferer: http://h.com/p?q=1\r\nAccept-Language: zh-cn");
    EXPECT_EQ(completeRequestHeaders("", url, HttpMethod::Post),
              "Accept: */*\r\nReferer: http://h.com/p?q=1\r\nAccept-Language: zh-cn\r\n"
              "Content-Type: application/x-www-form-urlencoded");
    EXPECT_EQ(completeRequestHeaders("Referer: r\r\nAccept-Language: en\r\nContent-Type: x", url,
                                     HttpMethod::Post),
              "Referer: r\r\nAccept-Language: en\r\nContent-Type: x\r\nAccept: */*");
    // A label counts anywhere in the text, not only at a line start.
    EXPECT_EQ(completeRequestHeaders("X: Accept:", url, HttpMethod::Put),
              "X: Accept:\r\nReferer: http://h.com/p?q=1\r\nAccept-Language: zh-cn");
}

TEST(AppendCookieHeader, Forms) {
    EXPECT_EQ(appendCookieHeader("Accept: */*", "a=1"), "Accept: */*\r\nCookie: a=1");
    EXPECT_EQ(appendCookieHeader("Accept: */*", "Cookie: a=1"), "Accept: */*\r\nCookie: a=1");
    EXPECT_EQ(appendCookieHeader("", "a=1; b=2"), "\r\nCookie: a=1; b=2");
    EXPECT_EQ(appendCookieHeader("A: 1", "cookie: a=1"), "A: 1\r\nCookie: cookie: a=1");
}

}  // namespace
