#include "text/Charset.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Gbk.h"

namespace {

const std::string kZhongWenUtf8 = "\xE4\xB8\xAD\xE6\x96\x87";  // 中文
const std::string kZhongWenGbk = "\xD6\xD0\xCE\xC4";

TEST(ConvertCharset, Utf8ToGbkByDefault) {
    EXPECT_EQ(convertCharset(ByteBuffer("plain ascii {\"a\":1}")).bytes(), "plain ascii {\"a\":1}");
    EXPECT_EQ(convertCharset(ByteBuffer(kZhongWenUtf8)).bytes(), kZhongWenGbk);
    EXPECT_TRUE(convertCharset(ByteBuffer()).empty());
}

TEST(ConvertCharset, EmptyNamesGetDefaultsWrittenBack) {
    GbkText from;
    GbkText to;
    const ByteBuffer out = convertCharset(ByteBuffer(kZhongWenUtf8), from, to);
    EXPECT_EQ(from, "UTF-8");
    EXPECT_EQ(to, "GBK");
    EXPECT_EQ(out.bytes(), kZhongWenGbk);
}

TEST(ConvertCharset, NamedCharsetsAndReadPosition) {
    GbkText from = "GBK";
    GbkText to = "utf-8";
    EXPECT_EQ(convertCharset(ByteBuffer(kZhongWenGbk), from, to).bytes(), kZhongWenUtf8);
    EXPECT_EQ(from, "GBK");  // given names stay as given
    EXPECT_EQ(convertCharset(ByteBuffer(kZhongWenGbk), from, to, 3).bytes(), "\xE6\x96\x87");
    EXPECT_TRUE(convertCharset(ByteBuffer(kZhongWenGbk), from, to, 6).empty());
    EXPECT_TRUE(convertCharset(ByteBuffer(kZhongWenGbk), from, to, 1000).empty());
    EXPECT_EQ(convertCharset(ByteBuffer(kZhongWenGbk), from, to, -4).bytes(), kZhongWenUtf8);
    GbkText unknown = "no-such-charset";
    EXPECT_TRUE(convertCharset(ByteBuffer("abc"), unknown, to).empty());
}

TEST(ConvertCharset, ByteOrderMarkAndInvalidInput) {
    EXPECT_EQ(convertCharset(ByteBuffer("\xEF\xBB\xBF"
                                        "ab"))
                  .bytes(),
              "ab");
    EXPECT_EQ(convertCharset(ByteBuffer("a\xFF"
                                        "b"))
                  .bytes(),
              "a?b");
}

struct Utf8Case {
    const char* name;
    std::string utf8;
    std::string gbk;
};

TEST(Utf8ToGbk, Table) {
    const std::vector<Utf8Case> cases = {
        {"empty", "", ""},
        {"ascii", "page=1&x", "page=1&x"},
        {"Chinese", kZhongWenUtf8, kZhongWenGbk},
        {"euro sign is byte 80", "\xE2\x82\xAC", "\x80"},
        {"full-width blank", "\xE3\x80\x80", "\xA1\xA1"},
        {"NUL ends the text", std::string("ab\0cd", 5), "ab"},
        {"malformed byte", "a\xC3(b", "a?(b"},
        {"truncated sequence at end", "a\xE4\xB8", "a?"},
        {"emoji outside code page 936", "x\xF0\x9F\x98\x80y", "x?y"},
        {"Korean hangul outside code page 936", "\xEA\xB0\x80", "?"},
    };
    for (const Utf8Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8ToGbk(c.utf8), c.gbk);
        EXPECT_EQ(utf8ToGbk(ByteBuffer(c.utf8)), c.gbk);
    }
}

// Characters Unicode calls default-ignorable are still characters the code page lacks.
TEST(DefaultIgnorables, BecomeQuestionMarksEverywhere) {
    const std::vector<Utf8Case> cases = {
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "ab",
         "?ab"},
        {"zero-width space",
         "a\xE2\x80\x8B"
         "b",
         "a?b"},
        {"soft hyphen",
         "a\xC2\xAD"
         "b",
         "a?b"},
        {"right-to-left mark",
         "a\xE2\x80\x8F"
         "b",
         "a?b"},
        {"word joiner",
         "a\xE2\x81\xA0"
         "b",
         "a?b"},
        {"variation selector 16",
         "a\xEF\xB8\x8F"
         "b",
         "a?b"},
    };
    for (const Utf8Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8ToGbk(c.utf8), c.gbk);
        const std::u16string utf16 = gbkToUtf16("a") + u"\u200B" + gbkToUtf16("b");
        EXPECT_EQ(utf16ToGbk(utf16), "a?b");
    }
    // The conversion object skips a leading mark as a stream would, but not one inside.
    EXPECT_EQ(convertCharset(ByteBuffer("a\xE2\x80\x8B"
                                        "b\xEF\xBB\xBF"))
                  .bytes(),
              "a?b?");
}

TEST(GbkToUtf8, RoundTripsAndBadBytes) {
    EXPECT_EQ(gbkToUtf8(kZhongWenGbk), kZhongWenUtf8);
    EXPECT_EQ(gbkToUtf8(""), "");
    EXPECT_EQ(gbkToUtf8("\x80"), "\xE2\x82\xAC");
    EXPECT_EQ(gbkToUtf8("ab\xD6"), "ab?");  // lone lead byte at the end
    EXPECT_EQ(utf8ToGbk(gbkToUtf8(G("陪你看"))), G("陪你看"));
}

TEST(Utf16Crossing, BothWays) {
    EXPECT_EQ(gbkToUtf16(kZhongWenGbk), u"中文");
    EXPECT_EQ(utf16ToGbk(u"中文"), kZhongWenGbk);
    EXPECT_EQ(utf16ToGbk(u"a😀b"), "a?b");
    EXPECT_EQ(utf16ToGbk(std::u16string(1, u'\xD800')), "?");  // lone surrogate
    EXPECT_EQ(gbkToUtf16(""), u"");
}

TEST(Charset, LargeInput) {
    std::string big;
    big.reserve(64u << 20);
    while (big.size() < (64u << 20)) big += "abc" + kZhongWenUtf8;
    const GbkText out = utf8ToGbk(big);
    EXPECT_EQ(out.size(), big.size() / 9 * 7);
}

}  // namespace
