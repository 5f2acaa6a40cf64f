#include "text/TextPrimitives.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "support/Gbk.h"

namespace {

// "\x81" "a" is one double-byte character whose trail byte is the letter a; "\xB0\xB0" one
// whose trail byte is itself in the lead range.
struct FindCase {
    const char* name;
    std::string text;
    std::string sought;
    TextPos start;
    bool caseInsensitive;
    TextPos expected;
};

TEST(FindText, Table) {
    const std::vector<FindCase> cases = {
        {"first occurrence", "abcabc", "bc", 0, false, 2},
        {"start at the occurrence", "abcabc", "bc", 2, false, 2},
        {"start past the first", "abcabc", "bc", 3, false, 5},
        {"start below 2 is from the first byte", "abc", "a", -7, false, 1},
        {"start equal to length", "abc", "c", 3, false, 3},
        {"start beyond length", "abc", "c", 4, false, -1},
        {"start far beyond length", "abc", "c", LLONG_MAX, false, -1},
        {"not found", "abc", "x", 0, false, -1},
        {"sought longer than text", "ab", "abc", 0, false, -1},
        {"empty sought in text", "abc", "", 0, false, 1},
        {"empty sought is at 1 even from later start", "abc", "", 3, false, 1},
        {"empty sought in empty text", "", "", 0, false, -1},
        {"empty sought beyond the end", "abc", "", 4, false, -1},
        {"exact case", "ABC", "b", 0, false, -1},
        {"folded case", "ABC", "b", 0, true, 2},
        {"trail byte letter is not matched",
         "\x81"
         "aa",
         "a", 0, false, 3},
        {"trail byte letter is not folded",
         "\x81"
         "A",
         "\x81"
         "a",
         0, true, -1},
        {"double-byte character found", G("文中文"), G("中"), 0, false, 3},
        {"across two characters never", G("中文"), "\xD0\xCE", 0, false, -1},
        {"lead-range trail byte", "\xB0\xB0\xB0\xA1", "\xB0\xA1", 0, false, 3},
        {"start on a trail byte skips that match", "\xB0\xB0\xB0\xA1", "\xB0\xB0", 2, false, -1},
        {"lone lead byte at the end is a character", "ab\xB0", "\xB0", 0, false, 3},
        {"NUL byte inside", std::string("a\0b", 3), "b", 0, false, 3},
    };
    for (const FindCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(findText(c.text, c.sought, c.start, c.caseInsensitive), c.expected);
    }
}

struct ReverseCase {
    const char* name;
    std::string text;
    std::string sought;
    std::optional<TextPos> start;
    TextPos expected;
};

TEST(FindTextReverse, Table) {
    const std::vector<ReverseCase> cases = {
        {"last occurrence", "a,b,c", ",", std::nullopt, 4},
        {"start beyond length searches all", "a,b,c", ",", 99, 4},
        {"only the first start-1 bytes", "a,b,c", ",", 4, 2},
        {"occurrence must lie wholly inside", "abab", "ab", 4, 1},
        {"start of 1 finds nothing", "a,b", ",", 1, -1},
        {"negative start finds nothing", "a,b", ",", -5, -1},
        {"not found", "abc", ",", std::nullopt, -1},
        {"trail byte never matched",
         "a\x81"
         "a",
         "a", std::nullopt, 1},
        {"overlapping occurrences", "aaa", "aa", std::nullopt, 2},
    };
    for (const ReverseCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(findTextReverse(c.text, c.sought, c.start), c.expected);
    }
    EXPECT_EQ(findTextReverse("xAbx", "aB", std::nullopt, true), 2);
}

TEST(ByteCuts, LeftRightMiddle) {
    EXPECT_EQ(leftBytes("abc", 2), "ab");
    EXPECT_EQ(leftBytes("abc", 0), "");
    EXPECT_EQ(leftBytes("abc", -3), "");
    EXPECT_EQ(leftBytes("abc", LLONG_MAX), "abc");
    EXPECT_EQ(rightBytes("abc", 2), "bc");
    EXPECT_EQ(rightBytes("abc", 0), "");
    EXPECT_EQ(rightBytes("abc", 10), "abc");
    EXPECT_EQ(middleBytes("abcdef", 2, 3), "bcd");
    EXPECT_EQ(middleBytes("abcdef", 5, 10), "ef");
    EXPECT_EQ(middleBytes("abcdef", 0, 2), "");
    EXPECT_EQ(middleBytes("abcdef", 7, 1), "");
    EXPECT_EQ(middleBytes("abcdef", 1, 0), "");
    EXPECT_EQ(middleBytes("abcdef", LLONG_MAX, LLONG_MAX), "");
    EXPECT_EQ(bytesFrom("abc", 2), "bc");
    EXPECT_EQ(bytesFrom("abc", 4), "");
}

TEST(TrimText, BlanksOnly) {
    const GbkText fullWidthBlank = G("　");
    ASSERT_EQ(fullWidthBlank, "\xA1\xA1");
    EXPECT_EQ(trimText("  a b  "), "a b");
    EXPECT_EQ(trimText(fullWidthBlank + " x" + fullWidthBlank), "x");
    EXPECT_EQ(trimText("\tx\r\n"), "\tx\r\n");
    EXPECT_EQ(trimText("   "), "");
    EXPECT_EQ(trimText(""), "");
    // The last A1 here is the trail byte of B0 A1 followed by a lone A1: no full-width blank.
    EXPECT_EQ(trimText("\xB0\xA1\xA1"), "\xB0\xA1\xA1");
    EXPECT_EQ(trimText("\xB0\xA1\xA1\xA1"), "\xB0\xA1");
}

TEST(SplitText, Pieces) {
    using Pieces = std::vector<GbkText>;
    EXPECT_EQ(splitText("a,b,c", ","), (Pieces{"a", "b", "c"}));
    EXPECT_EQ(splitText("a,,b", ","), (Pieces{"a", "", "b"}));
    EXPECT_EQ(splitText("a,b,", ","), (Pieces{"a", "b"}));
    EXPECT_EQ(splitText(",a", ","), (Pieces{"", "a"}));
    EXPECT_EQ(splitText(",", ","), (Pieces{""}));
    EXPECT_EQ(splitText("", ","), Pieces{});
    EXPECT_EQ(splitText("abc", ""), (Pieces{"abc"}));
    EXPECT_EQ(splitText("x\r\ny\r\n", "\r\n"), (Pieces{"x", "y"}));
    EXPECT_EQ(splitText("\x81"
                        ",a,b",
                        ","),
              (Pieces{"\x81,a", "b"}));  // 81 2C is no pair
    EXPECT_EQ(splitText("\x81"
                        "aXa",
                        "a"),
              (Pieces{"\x81"
                      "aX"}));
}

TEST(ReplaceText, EveryOccurrenceWithoutOverlap) {
    EXPECT_EQ(replaceText("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(replaceText("aaa", "aa", "b"), "ba");
    EXPECT_EQ(replaceText("a-b-c", "-", "--"), "a--b--c");
    EXPECT_EQ(replaceText("AbAB", "ab", "x"), "AbAB");
    EXPECT_EQ(replaceText("AbAB", "ab", "x", true), "xx");
    EXPECT_EQ(replaceText("abc", "", "x"), "abc");
    EXPECT_EQ(replaceText("\x81"
                          "ab",
                          "a", "x"),
              "\x81"
              "ab");
    EXPECT_EQ(replaceText(G("中文中"), G("中"), "z"), "z" + G("文") + "z");
}

TEST(CaseConversion, AsciiLettersOnly) {
    EXPECT_EQ(toLowerText("AbC-1"), "abc-1");
    EXPECT_EQ(toUpperText("aBc-1"), "ABC-1");
    EXPECT_EQ(toLowerText("\x81"
                          "A"
                          "A"),
              "\x81"
              "Aa");
    EXPECT_EQ(toUpperText("\x81"
                          "a"
                          "a"),
              "\x81"
              "aA");
    EXPECT_EQ(toUpperText(G("中文")), G("中文"));
    EXPECT_TRUE(equalsText("Set-Cookie", "set-COOKIE", true));
    EXPECT_FALSE(equalsText("Set-Cookie", "set-COOKIE"));
}

TEST(TextToInteger, Table) {
    struct Case {
        const char* name;
        std::string text;
        int expected;
    };
    const std::vector<Case> cases = {
        {"plain", "123", 123},
        {"stops at non-digit", "12ab3", 12},
        {"leading blanks and tabs", " \t 42", 42},
        {"sign", "-17", -17},
        {"plus sign", "+5", 5},
        {"no leading digit", "abc", 0},
        {"empty", "", 0},
        {"full-width digits", G("１２３"), 123},
        {"full-width blank and minus", G("　－４"), -4},
        {"mixed widths", G("1２3"), 123},
        {"saturates high", "99999999999999999999", INT_MAX},
        {"saturates low", "-99999999999999999999", INT_MIN},
        {"lowest int", "-2147483648", INT_MIN},
        {"port text", "8080/x", 8080},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(textToInteger(c.text), c.expected);
    }
}

TEST(LargeTexts, SearchesStayLinearAndSafe) {
    // All lead-range bytes with a match attempt at every offset: a quadratic boundary check
    // would take minutes here.
    const std::string run(1u << 20, '\xB0');
    EXPECT_EQ(findText(run + "x", "\xB0x"), -1);  // the last B0 is a trail byte
    EXPECT_EQ(findText(run + "\xB0x", "\xB0x"), static_cast<TextPos>(run.size()) + 1);
    EXPECT_EQ(findTextReverse(run, "\xB0\xB0"), static_cast<TextPos>(run.size()) - 1);
    const std::string big(64u << 20, 'a');
    EXPECT_EQ(findText(big, "b"), -1);
    EXPECT_EQ(splitText(big + ",", ",").size(), 1u);
}

}  // namespace
