#include "objects/HeaderList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Gbk.h"

namespace {

const char* const kFirefox =
    "Mozilla/5.0 (Windows NT 6.1; WOW64; rv:46.0) Gecko/20100101 Firefox/46.0";

TEST(HeaderList, SingleUserAgentHeaderText) {
    HeaderList list;
    list.add("User-Agent", kFirefox);
    EXPECT_EQ(list.toHeaderText(), std::string("User-Agent: ") + kFirefox);
}

TEST(HeaderList, OutputsOfTwoPairs) {
    HeaderList list;
    list.add("A", "1");
    list.add("B", "2");
    EXPECT_EQ(list.toHeaderText(), "A: 1\r\nB: 2");
    EXPECT_EQ(list.toQueryText(), "A=1&B=2");
    EXPECT_EQ(list.toJsonText(), R"({"A":"1","B":"2"})");
}

TEST(HeaderList, EmptyList) {
    const HeaderList list;
    EXPECT_EQ(list.toQueryText(), "");
    EXPECT_EQ(list.toQueryText(true), "");
    EXPECT_EQ(list.toHeaderText(), "");
    EXPECT_EQ(list.toJsonText(), "{}");
}

TEST(HeaderList, DuplicateNamesAndLookups) {
    HeaderList list;
    list.add("k", "1");
    list.add("k", "2");
    list.add("User-Agent", "x");
    EXPECT_EQ(list.toHeaderText(), "k: 1\r\nk: 2\r\nUser-Agent: x");
    EXPECT_EQ(list.get("k"), "1");
    EXPECT_EQ(list.get("user-agent"), "");  // names are case-sensitive
    EXPECT_EQ(list.get("missing"), "");
    list.set("k", "one");
    EXPECT_EQ(list.toQueryText(), "k=one&k=2&User-Agent=x");
    list.set("new", "v");
    EXPECT_EQ(list.get("new"), "v");
    list.remove("k");
    EXPECT_EQ(list.toQueryText(), "k=2&User-Agent=x&new=v");
    list.remove("absent");
    EXPECT_EQ(list.size(), 3u);
    std::vector<GbkText> names = {"stale"};
    std::vector<GbkText> values;
    list.names(names);
    list.values(values);
    EXPECT_EQ(names, (std::vector<GbkText>{"k", "User-Agent", "new"}));
    EXPECT_EQ(values, (std::vector<GbkText>{"2", "x", "v"}));
    list.clear();
    EXPECT_EQ(list.size(), 0u);
}

TEST(HeaderList, AddFromQuery) {
    HeaderList list;
    list.addFromQuery("a=1&&b=2=3&");
    std::vector<GbkText> names;
    std::vector<GbkText> values;
    list.names(names);
    list.values(values);
    EXPECT_EQ(names, (std::vector<GbkText>{"a", "", "b"}));
    EXPECT_EQ(values, (std::vector<GbkText>{"1", "", "3"}));
    HeaderList noEquals;
    noEquals.addFromQuery("flag");
    EXPECT_EQ(noEquals.toQueryText(), "=");
    HeaderList empty;
    empty.addFromQuery("");
    EXPECT_EQ(empty.size(), 0u);
}

TEST(HeaderList, Utf8Storage) {
    HeaderList list;
    list.add(G("名字"), G("值"), true);
    EXPECT_EQ(list.get(G("名字")), "");
    EXPECT_EQ(list.get("\xE5\x90\x8D\xE5\xAD\x97"), "\xE5\x80\xBC");
    HeaderList fromQuery;
    fromQuery.addFromQuery(G("键=中"), true);
    EXPECT_EQ(fromQuery.get("\xE9\x94\xAE"), "\xE4\xB8\xAD");
    list.set("\xE5\x90\x8D\xE5\xAD\x97", G("新"));  // set stores its value unchanged
    EXPECT_EQ(list.get("\xE5\x90\x8D\xE5\xAD\x97"), G("新"));
}

TEST(HeaderList, CopiesShareNothing) {
    HeaderList original;
    original.add("a", "1");
    HeaderList copy = original;
    copy.set("a", "2");
    copy.add("b", "3");
    EXPECT_EQ(original.toQueryText(), "a=1");
    EXPECT_EQ(copy.toQueryText(), "a=2&b=3");
}

TEST(HeaderList, EncodedOutputs) {
    HeaderList list;
    list.add("q", "a b_c~");
    EXPECT_EQ(list.toQueryText(true), "q=a%20b%5Fc%7E");
    HeaderList header;
    header.add("X Name", "a b");
    EXPECT_EQ(header.toHeaderText(true), "X Name: a%20b");  // names are never encoded
}

TEST(HeaderList, JsonTextEscapesOnlyQuotes) {
    HeaderList list;
    list.add("t", "say \"hi\" \\ok");
    EXPECT_EQ(list.toJsonText(), R"({"t":"say \"hi\" \ok"})");
    EXPECT_EQ(HeaderList::escapeQuotes("\"\"\n"), "\\\"\\\"\n");
}

TEST(HeaderList, StripAffix) {
    struct Case {
        std::string text;
        std::string affix;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {",,", ",", ""}, {",a,", ",", "a"},  {"a,", ",", "a"},   {",a", ",", "a"},
        {",", ",", ""},  {"abc", "", "abc"}, {"xaxa", "xa", ""}, {"a", "abc", "a"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text + " / " + c.affix);
        GbkText text = c.text;
        EXPECT_EQ(HeaderList::stripAffix(text, c.affix), c.expected);
        EXPECT_EQ(text, c.expected);
    }
}

TEST(PercentEncode, Table) {
    EXPECT_EQ(percentEncode(G("中"), true, false), "%D6%D0");
    EXPECT_EQ(percentEncode(G("中"), true, true), "%E4%B8%AD");
    EXPECT_EQ(percentEncode("A-z.9", true, false), "A-z.9");
    EXPECT_EQ(percentEncode("A-z.9", false, false), "%41%2D%7A%2E%39");
    EXPECT_EQ(percentEncode("", false, false), "");
    EXPECT_EQ(percentEncode(std::string("\x00\x0F", 2), true, false), "%00%0F");
}

}  // namespace
