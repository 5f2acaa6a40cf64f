#include "objects/ScriptJson.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/Gbk.h"

namespace {

const char* const kPage =
    R"({"data":{"data":[{"name":"x1","desc":"d1","sid":123},{"name":"x2","desc":"","sid":"7"}]}})";

class PageJson : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(json.parse(kPage)); }
    ScriptJson json;
};

TEST(ScriptJsonWhole, FreshObjectAndRoundTrip) {
    ScriptJson json;
    EXPECT_EQ(json.variableName(), "da");
    EXPECT_EQ(json.toJson(), "{}");
    EXPECT_TRUE(json.parse(R"({"data":{"data":[{"name":"a","sid":1}]}})"));
    EXPECT_EQ(json.toJson(), R"({"data":{"data":[{"name":"a","sid":1}]}})");
}

TEST(ScriptJsonWhole, ParseTruthTable) {
    struct Case {
        const char* name;
        std::string text;
        bool result;
        std::string json;
    };
    const std::vector<Case> cases = {
        {"null", "null", false, "null"},
        {"not valid script", "{{{", false, "null"},
        {"empty text", "", false, ""},
        {"array", "[1,2]", true, "[1,2]"},
        {"number", "5", true, "5"},
        {"top-level string evaluates its word", "\"word\"", false, "null"},
        {"top-level string holding a number", "\"12\"", true, "12"},
        {"single quotes and bare names", "{a:'x'}", true, R"({"a":"x"})"},
        {"escapes are decoded", R"({"a":"\u4e2d\\"})", true, G("{\"a\":\"中\\\\\"}")},
        {"undefined", "undefined", false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptJson json;
        EXPECT_EQ(json.parse(c.text), c.result);
        EXPECT_EQ(json.toJson(), c.json);
    }
}

TEST(ScriptJsonWhole, SerialisationEscapes) {
    ScriptJson json;
    // Characters the engine's own serialiser would leave raw.
    ASSERT_TRUE(json.parse(
        R"(["\u007f\u0085\u009f","\u00ad","\u0600\u070f","\u17b4","\u200c\u2028\u202f","\u2060\ufeff\ufff0\uffff","\b\t\n\f\r\"\\","\u0001\u001f"])"));
    EXPECT_EQ(
        json.toJson(),
        R"(["\u007f\u0085\u009f","\u00ad","\u0600\u070f","\u17b4","\u200c\u2028\u202f","\u2060\ufeff\ufff0\uffff","\b\t\n\f\r\"\\","\u0001\u001f"])");
    ASSERT_TRUE(json.parse(R"({"a":undefined,"f":function(){},"n":[1,undefined,NaN],"t":true})"));
    EXPECT_EQ(json.toJson(), R"({"n":[1,null,null],"t":true})");
}

TEST(ScriptJsonWhole, ResetAndSecondParseDiscardEverything) {
    ScriptJson json;
    ASSERT_TRUE(json.parse(R"({"a":1})"));
    json.setValue("extra", "x");
    ASSERT_TRUE(json.parse(R"({"b":2})"));
    EXPECT_EQ(json.toJson(), R"({"b":2})");
    EXPECT_TRUE(json.reset());
    EXPECT_EQ(json.toJson(), "{}");
}

TEST(ScriptJsonWhole, CopiesShareTheEngineUntilAParse) {
    ScriptJson json;
    ASSERT_TRUE(json.parse(R"({"a":1})"));
    ScriptJson before = json;
    ASSERT_TRUE(json.parse(R"({"b":2})"));
    EXPECT_EQ(before.toJson(), R"({"a":1})");
    ScriptJson after = json;
    after.setNumber("c", 3);
    json.setValue("d", "x");
    EXPECT_EQ(json.toJson(), R"({"b":2,"c":3,"d":"x"})");
    EXPECT_EQ(after.toJson(), json.toJson());
    EXPECT_EQ(after.getEngine(), json.getEngine());
    EXPECT_NE(before.getEngine(), json.getEngine());
}

TEST(ScriptJsonWhole, WithoutEngine) {
    ScriptJson none = ScriptJson::withoutEngine();
    EXPECT_EQ(none.getEngine(), nullptr);
    EXPECT_FALSE(none.parse("{}"));
    EXPECT_EQ(none.getEngine(), nullptr);  // parse makes none
    EXPECT_FALSE(none.reset());
    EXPECT_EQ(none.toJson(), "");
    EXPECT_EQ(none.count("a"), 0);
    EXPECT_EQ(none.typeOf("a"), -1);
    EXPECT_EQ(none.getText("a"), "");
    EXPECT_FALSE(none.setValue("a", "1"));
    EXPECT_EQ(none.getNumber("a"), 0);
    std::vector<GbkText> names = {"old"};
    EXPECT_EQ(none.memberNames(names, ""), 0);
    EXPECT_TRUE(names.empty());
}

TEST(ScriptJsonWhole, LongEvaluationIsInterrupted) {
    const int saved = ScriptEngine::evaluationTimeLimitMs();
    ScriptEngine::setEvaluationTimeLimitMs(300);
    ScriptJson json;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(json.parse("(function(){while(true){}})()"));
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(30));
    EXPECT_EQ(json.count("data.data"), 0);
    EXPECT_TRUE(json.parse("[1]"));  // the engine stays usable
    EXPECT_EQ(json.count(""), 1);
    ScriptEngine::setEvaluationTimeLimitMs(saved);
}

TEST_F(PageJson, CountAndText) {
    EXPECT_EQ(json.count("data.data"), 2);
    EXPECT_EQ(json.count("data"), 0);
    EXPECT_EQ(json.count("nothing"), 0);
    EXPECT_EQ(json.getText("data.data[0].name"), "x1");
    EXPECT_EQ(json.getText("data.data[0].sid"), "123");
    EXPECT_EQ(json.getText("data.data[1].sid"), "7");
    EXPECT_EQ(json.getText("data.data[1].desc"), "");
    EXPECT_EQ(json.getText("data.data[2].name"), "");
    EXPECT_EQ(json.getText("data.data[0]", true), R"({"name":"x1","desc":"d1","sid":123})");
    EXPECT_EQ(json.getText("data.data[0]"), "[object Object]");
    EXPECT_EQ(json.getJson("data.data[1]"), R"({"name":"x2","desc":"","sid":"7"})");
    EXPECT_EQ(json.getText("data.missing", true), "");
}

TEST_F(PageJson, TypeOf) {
    EXPECT_EQ(json.typeOf("data"), 4);
    EXPECT_EQ(json.typeOf("data.data"), 5);
    EXPECT_EQ(json.typeOf("data.data[0].name"), 6);
    EXPECT_EQ(json.typeOf("data.data[0].sid"), 2);
    EXPECT_EQ(json.typeOf("data.x"), 0);
    EXPECT_EQ(json.typeOf("data.x.y.z"), -1);
    json.setExpression("flag", "true");
    EXPECT_EQ(json.typeOf("flag"), 1);
    json.setExpression("when", "new Date(0)");
    EXPECT_EQ(json.typeOf("when"), -1);
}

TEST_F(PageJson, MemberNames) {
    std::vector<GbkText> names = {"stale"};
    EXPECT_EQ(json.memberNames(names, "data.data[0]"), 3);
    EXPECT_EQ(names, (std::vector<GbkText>{"name", "desc", "sid"}));
    EXPECT_EQ(json.memberNames(names, "data.data"), 0);
    EXPECT_TRUE(names.empty());
}

TEST_F(PageJson, ItemText) {
    EXPECT_EQ(json.getItemText(0, "data.data"), "");
    EXPECT_EQ(json.getItemText(0, "data.data", true), R"({"name":"x1","desc":"d1","sid":123})");
    EXPECT_EQ(json.getItemText(5, "data.data"), "");
    EXPECT_EQ(json.getItemText(5, "data.data", true), "");
    json.setValue("words", "");
    json.push("w0", "words");
    EXPECT_EQ(json.getItemText(0, "words"), "w0");
}

TEST_F(PageJson, ResolvePath) {
    struct Case {
        std::string in;
        std::string out;
        bool names;
    };
    const std::vector<Case> cases = {
        {"", "da", true},
        {"[0]", "da[0]", false},
        {"data", "da.data", true},
        {"da", "da", true},
        {"da.data", "da.data", true},
        {"da.nothing", "da.da.nothing", false},
        {"data.data", "da.data.data", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.in);
        GbkText path = c.in;
        EXPECT_EQ(json.resolvePath(path), c.names);
        EXPECT_EQ(path, c.out);
    }
}

TEST_F(PageJson, SetValuePlainKeepsBackslashesAndQuotes) {
    EXPECT_TRUE(json.setValue("k", "a\\b"));
    EXPECT_EQ(json.getText("k"), "a\\b");
    EXPECT_NE(json.toJson().find(R"("k":"a\b")"), std::string::npos);
    const std::string tricky = "it's \"q\"\r\n" + G("中文");
    EXPECT_TRUE(json.setValue("t", tricky));
    EXPECT_EQ(json.getText("t"), tricky);
    EXPECT_FALSE(json.push(tricky, "t"));
    EXPECT_EQ(json.typeOf("t"), 6);                  // the failed push changed nothing
    EXPECT_TRUE(json.setValue("gbk", G("外\x80")));  // code page 936 survives the round trip
    EXPECT_EQ(json.getText("gbk"), G("外\x80"));
}

TEST_F(PageJson, SetValueAsJsonMergesOrCreates) {
    EXPECT_TRUE(json.setValue("data", R"({"extra":1})", true));
    EXPECT_EQ(json.count("data.data"), 2);
    EXPECT_EQ(json.getText("data.extra"), "1");
    EXPECT_TRUE(json.setValue("fresh", R"({"a":1})", true));
    EXPECT_EQ(json.getJson("fresh"), R"({"a":1})");
    EXPECT_TRUE(json.setValue("data", "", true));  // an empty value merges nothing
    EXPECT_EQ(json.getText("data.extra"), "1");
    EXPECT_TRUE(json.setValue("data.data", R"([{"sid":9}])", true));
    EXPECT_EQ(json.count("data.data"), 3);
    json.setValue("s", "text");
    EXPECT_TRUE(json.setValue("", R"({"s":"replaced"})", true));
    EXPECT_EQ(json.getText("s"), "replaced");
    EXPECT_FALSE(json.setValue("data.data[0]", R"({"sid":{"deep":1}})", true));  // number target
}

TEST_F(PageJson, PushAndItems) {
    EXPECT_TRUE(json.push("5", "list", true));
    EXPECT_EQ(json.getJson("list"), "[5]");
    EXPECT_TRUE(json.push("x", "list"));
    EXPECT_EQ(json.getJson("list"), R"([5,"x"])");
    EXPECT_TRUE(json.setItem(0, "list", "y"));
    EXPECT_TRUE(json.setItem(2, "list", "{\"o\":1}", true));
    EXPECT_EQ(json.getJson("list"), R"(["y","x",{"o":1}])");
    EXPECT_FALSE(json.setItem(0, "list", "it's"));
}

TEST_F(PageJson, RemoveItemAndMember) {
    json.removeItem(0, "data.data");
    EXPECT_EQ(json.count("data.data"), 1);
    EXPECT_EQ(json.getText("data.data[0].name"), "x2");
    ASSERT_TRUE(json.parse(kPage));
    json.removeItem(-1, "data.data");
    EXPECT_EQ(json.getText("data.data[0].name"), "x1");
    EXPECT_EQ(json.count("data.data"), 1);
    json.removeItem(7, "data.data");
    EXPECT_EQ(json.count("data.data"), 1);
    ASSERT_TRUE(json.parse(kPage));
    json.removeMember("data.data[0]");
    EXPECT_EQ(json.count("data.data"), 2);
    EXPECT_EQ(json.getJson("data.data"), R"([null,{"name":"x2","desc":"","sid":"7"}])");
}

TEST_F(PageJson, Numbers) {
    EXPECT_TRUE(json.setNumber("n", 42));
    EXPECT_EQ(json.getNumber("n"), 42);
    EXPECT_EQ(json.getNumber("missing"), 0);
    EXPECT_TRUE(json.setNumber("f", 0.1));
    EXPECT_EQ(json.getNumber("f"), 0.1);
    EXPECT_TRUE(json.setNumber("big", 1e300));
    EXPECT_EQ(json.getNumber("big"), 1e300);
    EXPECT_EQ(json.getNumber("data.data[1].sid"), 7);  // a decimal text converts
    json.setExpression("yes", "true");
    EXPECT_EQ(json.getNumber("yes"), -1);
}

TEST_F(PageJson, ObjectsOfTheirOwn) {
    ScriptJson item = json.getItemObject(1, "data.data");
    EXPECT_EQ(item.toJson(), R"({"name":"x2","desc":"","sid":"7"})");
    EXPECT_NE(item.getEngine(), json.getEngine());
    item.setValue("name", "changed");
    EXPECT_EQ(json.getText("data.data[1].name"), "x2");
    ScriptJson data = json.getObject("data");
    EXPECT_EQ(data.count("data"), 2);
    ScriptJson missing = json.getObject("nothing");
    EXPECT_EQ(missing.toJson(), "");
    json.setValue("path", "C:\\dir");
    EXPECT_EQ(json.getObject("path").toJson(), "null");  // "C:\dir" is no JSON text
}

// Plain member reads take a shortcut past the compiler; an answer that mentions "let" makes
// the engine run every script in full, so both ways must agree on every read.
TEST(ScriptJsonReads, ShortcutAgreesWithTheScript) {
    const std::string body =
        R"("data":{"data":[{"name":"x1","sid":0,"t":true,"n":null,"a":[1,[2,3]],"o":{}}]},)"
        R"("s":"str","e":"",)";
    ScriptJson quick;
    ScriptJson full;
    ASSERT_TRUE(quick.parse("{" + body + R"("note":"nothing"})"));
    ASSERT_TRUE(full.parse("{" + body + R"("note":"let"})"));
    full.setValue("bs", "a\\b");
    quick.setValue("bs", "a\\b");
    for (const char* path : {"data.data[0].name",
                             "data.data[0].sid",
                             "data.data[0].t",
                             "data.data[0].n",
                             "data.data[0].a",
                             "data.data[0].a[1]",
                             "data.data[0].o",
                             "data.data[0].missing",
                             "data.data[1].name",
                             "data.data[0].name.length",
                             "nothing.at.all",
                             "s",
                             "e",
                             "s.x",
                             "",
                             "da",
                             "da.s",
                             "da.missing",
                             "data",
                             "data.data[00]",
                             "data.data[0]['name']",
                             "toJSONString",
                             "bs",
                             "data.data[4294967295]"}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(quick.getText(path), full.getText(path));
        EXPECT_EQ(quick.typeOf(path), full.typeOf(path));
        GbkText a = path;
        GbkText b = path;
        EXPECT_EQ(quick.resolvePath(a), full.resolvePath(b));
        EXPECT_EQ(a, b);
    }
}

TEST(ScriptJsonReads, GettersThatThrowOrHang) {
    const int saved = ScriptEngine::evaluationTimeLimitMs();
    ScriptEngine::setEvaluationTimeLimitMs(300);
    ScriptJson json;
    ASSERT_TRUE(json.parse("({get boom(){throw 1}, get hang(){while(true){}}, ok:'fine'})"));
    EXPECT_EQ(json.getText("boom"), "");
    EXPECT_EQ(json.getText("hang"), "");
    EXPECT_EQ(json.getText("ok"), "fine");
    EXPECT_EQ(json.typeOf("boom"), -1);
    // A value whose own toString never ends is turned into text under the watchdog too.
    ASSERT_TRUE(
        json.parse("({list: [{replace: function () {"
                   " return {toString: function () { while (true) {} }}; }}], ok: 'x'})"));
    EXPECT_EQ(json.getItemText(0, "list"), "");
    EXPECT_EQ(json.getText("ok"), "x");
    ScriptEngine::setEvaluationTimeLimitMs(saved);
}

TEST(ScriptJsonSafety, NothingReachesTheOutside) {
    ScriptJson json;
    for (const char* global : {"console", "print", "require", "Qt", "XMLHttpRequest", "process"}) {
        SCOPED_TRACE(global);
        EXPECT_TRUE(json.parse(std::string("[typeof ") + global + "]"));
        EXPECT_EQ(json.getText(""), "undefined");
    }
}

}  // namespace
