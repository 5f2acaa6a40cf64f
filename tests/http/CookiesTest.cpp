#include "http/Cookies.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(CollectSetCookies, Table) {
    struct Case {
        const char* name;
        std::string block;
        std::string cookies;
    };
    const std::vector<Case> cases = {
        {"attributes dropped, order kept",
         "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie: b=2\r\n\r\n", "a=1; b=2"},
        {"no Set-Cookie lines", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", ""},
        {"other case is not collected", "set-cookie: a=1\r\nSET-COOKIE: b=2\r\n", ""},
        {"label needs colon and blank", "Set-Cookie:a=1\r\nSet-Cookie: b=2\r\n", "b=2"},
        {"value trimmed", "Set-Cookie:   c=3   ;x\r\n", "c=3"},
        {"empty block", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(collectSetCookies(c.block), c.cookies);
    }
}

TEST(CookieName, Forms) {
    EXPECT_EQ(cookieName(" a = 1"), "a");
    EXPECT_EQ(cookieName(" flag "), "flag");
    EXPECT_EQ(cookieName("=v"), "");
}

TEST(RemoveDuplicateItems, FirstOccurrenceKept) {
    EXPECT_EQ(removeDuplicateItems("a=1; a=1; b=2", "; "), "a=1; b=2");
    EXPECT_EQ(removeDuplicateItems("b; a; b; a", "; "), "b; a");
    EXPECT_EQ(removeDuplicateItems("A; a", "; "), "A; a");
    EXPECT_EQ(removeDuplicateItems("", "; "), "");
}

TEST(MergeCookies, Table) {
    struct Case {
        const char* name;
        std::string sent;
        std::string received;
        std::string merged;
    };
    const std::vector<Case> cases = {
        {"received first, deleted dropped", "a=1; b=2", "b=3; c=deleted", "b=3; a=1"},
        {"sent ending with semicolon", "a=1; b=2;", "c=3", "c=3; a=1; b=2"},
        {"received ending with semicolon", "a=1", "b=2;", "b=2; a=1"},
        {"deleted drops the sent cookie too", "a=1; b=2", "a=deleted", "b=2"},
        {"of two sent with one name the first", "a=1; a=2", "", "a=1"},
        {"nothing at all", "", "", ""},
        {"blanks around", "  a=1  ", "", "a=1"},
        {"duplicates removed", "", "x=1; x=1", "x=1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GbkText sent = c.sent;
        EXPECT_EQ(mergeCookies(sent, c.received), c.merged);
        EXPECT_EQ(sent, c.merged);
    }
}

}  // namespace
