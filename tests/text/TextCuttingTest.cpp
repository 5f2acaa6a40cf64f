#include "text/TextCutting.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/Gbk.h"

namespace {

struct BetweenCase {
    const char* name;
    std::string text;
    std::string left;
    std::string right;
    TextPos start;
    bool caseInsensitive;
    std::string expected;
};

TEST(TextBetween, Table) {
    const std::string answer = R"(jsonp3({"hls":"http://h/x.m3u8","ok":1}))";
    const std::vector<BetweenCase> cases = {
        {"hls address", answer, "hls\":\"", "\",", 0, false, "http://h/x.m3u8"},
        {"quote marker", answer, G("hls#引号:#引号"), G("#引号,"), 0, false, "http://h/x.m3u8"},
        {"right delimiter missing", "hls\":\"X", "hls\":\"", "\",", 0, false, ""},
        {"left delimiter missing", "X\",", "hls\":\"", "\",", 0, false, ""},
        {"right follows left at once", "[]", "[", "]", 0, false, ""},
        {"empty right delimiter", "a[b]c", "[", "", 0, false, ""},
        {"empty left delimiter", "ab]c]", "", "]", 0, false, "ab"},
        {"first left, next right", "[a][b]", "[", "]", 0, false, "a"},
        {"start skips the first", "[a][b]", "[", "]", 2, false, "b"},
        {"start beyond the text", "[a]", "[", "]", 99, false, ""},
        {"exact case by default", "<A>x</A>", "<a>", "</a>", 0, false, ""},
        {"folded case", "<A>x</A>", "<a>", "</a>", 0, true, "x"},
        {"left at the very end", "ab[", "[", "]", 0, false, ""},
        {"nothing trimmed", "[ x ]", "[", "]", 0, false, " x "},
        {"delimiter never on a trail byte", "\x81[[x]", "[", "]", 0, false, "x"},
        {"left never on a trail byte", "\x81hls\":\"X\",", "hls\":\"", "\",", 0, false, ""},
        {"Chinese delimiters", G("甲乙丙丁"), G("乙"), G("丁"), 0, false, G("丙")},
    };
    for (const BetweenCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(textBetween(c.text, c.left, c.right, c.start, c.caseInsensitive), c.expected);
    }
}

struct LeftOfCase {
    const char* name;
    std::string text;
    std::string delimiter;
    TextPos start;
    std::string expected;
};

TEST(TextLeftOf, Table) {
    const std::vector<LeftOfCase> cases = {
        {"first delimiter", "a,b,c", ",", 0, "a"},
        {"no delimiter", "abc", ",", 0, ""},
        {"delimiter first", ",abc", ",", 0, ""},
        {"start 1 same as omitted", "a,b,c", ",", 1, "a"},
        {"positive start searches from there", "a,b,c", ",", 3, "a,b"},
        {"start -1 cuts before the last", "a,b,c", ",", -1, "a,b"},
        {"start -2 leaves the last 2 bytes out", "a,b,c,", ",", -2, "a,b"},
        {"start -n longer than the text", "a,b", ",", -10, ""},
        {"start far negative", "a,b", ",", LLONG_MIN, ""},
        {"start far positive", "a,b", ",", LLONG_MAX, ""},
        {"room number line", "12345,title", ",", 0, "12345"},
        {"header name", "Set-Cookie: a=1", ": ", 0, "Set-Cookie"},
        {"trail byte comma never", "\x81,x", ",", 0, ""},
    };
    for (const LeftOfCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(textLeftOf(c.text, c.delimiter, c.start), c.expected);
    }
    EXPECT_EQ(textLeftOf("xAy", "a"), "");
    EXPECT_EQ(textLeftOf("xAy", "a", 0, true), "x");
}

}  // namespace
