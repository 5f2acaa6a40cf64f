#include "service/JsonStringContent.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Gbk.h"

namespace {

TEST(DecodeJsonStringContent, Table) {
    struct Case {
        const char* name;
        std::string in;
        std::string out;
    };
    const std::vector<Case> cases = {
        {"escaped slashes", R"(http:\/\/h\/live.m3u8)", "http://h/live.m3u8"},
        {"nothing to decode", "http://h/x?a=1&b=2", "http://h/x?a=1&b=2"},
        {"simple escapes", R"(\\ \" \b\f\n\r\t)", "\\ \" \b\f\n\r\t"},
        {"unicode escape", R"(\u4e2d\u6587)", G("中文")},
        {"unicode ascii", R"(a\u0026b)", "a&b"},
        {"surrogate pair outside code page 936", R"(x\ud83d\ude00y)", "x?y"},
        {"lone high surrogate", R"(\ud83dz)", "?z"},
        {"invalid escape keeps backslash", R"(a\qb)", "a\\qb"},
        {"short unicode escape", R"(\u12)", "\\u12"},
        {"non-hex unicode escape", R"(\uZZZZ)", "\\uZZZZ"},
        {"trailing backslash", "a\\", "a\\"},
        {"trail byte backslash is no escape", "\x81\\n", "\x81\\n"},
        {"Chinese kept", G("直播") + R"(\/)", G("直播") + "/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeJsonStringContent(c.in), c.out);
    }
}

}  // namespace
