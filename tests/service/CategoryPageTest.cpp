#include "service/CategoryPage.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/FakeService.h"
#include "support/Gbk.h"
#include "ui/MemoryCaption.h"
#include "ui/MemoryListView.h"

namespace {

using Rows = std::vector<std::vector<GbkText>>;

class CategoryPageTest : public ::testing::Test {
  protected:
    CategoryPageTest() {
        endpoints.pageHost = service.hostPort();
        endpoints.relayHost = "relay.test:8866";
    }
    CategoryPageView view() { return {list, currentPage, pageTotal, pageJson}; }
    std::vector<GbkText> row(const char* ordinal, const char* room, const GbkText& title,
                             const GbkText& name) const {
        return {ordinal, room, title, name, "http://relay.test:8866/dl/yy1.php?t=" + GbkText(room)};
    }

    FakeService service;
    ServiceEndpoints endpoints;
    MemoryListView list{5};
    MemoryCaption currentPage;
    MemoryCaption pageTotal;
    ScriptJson pageJson;
};

const char* const kTwoRooms =
    "{\"data\":{\"data\":[{\"name\":\"x1\",\"desc\":\"d1\",\"sid\":123},"
    "{\"name\":\"\xE4\xB8\xBB\xE6\x92\xAD\",\"desc\":\"\xE9\x99\xAA\xE4\xBD\xA0\xE7\x9C\x8B "
    "\xF0\x9F\x98\x80\",\"sid\":\"7\"}]}}";  // 主播, 陪你看 and an emoji

TEST_F(CategoryPageTest, RowsAndCaptionsOfAPage) {
    service.setPageAnswer(1, kTwoRooms);
    loadCategoryPage(1, view(), endpoints);
    EXPECT_EQ(currentPage.text(), "1");
    EXPECT_EQ(pageTotal.text(), "/16");
    EXPECT_EQ(list.rows(),
              (Rows{row("1", "123", "d1", "x1"), row("2", "7", G("陪你看 ?"), G("主播"))}));
    ASSERT_EQ(service.requests().size(), 1u);
    const RecordedRequest request = service.requests()[0];
    EXPECT_EQ(request.method, "GET");
    EXPECT_EQ(request.target, "/mobyy/module/other/pnk1/448764?page=1");
    EXPECT_EQ(request.header("User-Agent"), "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)");
    EXPECT_EQ(request.header("Accept"), "*/*");
    EXPECT_EQ(request.header("Accept-Language"), "zh-cn");
    EXPECT_EQ(request.header("Referer"), categoryPageUrl(1, endpoints));
}

TEST_F(CategoryPageTest, AnswersWithoutRooms) {
    struct Case {
        const char* name;
        std::string answer;
    };
    const std::vector<Case> cases = {
        {"not JSON", "<html>busy</html>"},
        {"data.data an object", R"({"data":{"data":{"name":"x","sid":1}}})"},
        {"no data at all", R"({"code":1})"},
        {"empty text", ""},
        {"null", "null"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        service.setPageAnswer(4, c.answer);
        list.deleteAllRows();
        loadCategoryPage(4, view(), endpoints);
        EXPECT_EQ(list.rowCount(), 0);
        EXPECT_EQ(currentPage.text(), "4");
        EXPECT_EQ(pageTotal.text(), "/16");
    }
}

TEST_F(CategoryPageTest, MissingMembersGiveEmptyCells) {
    service.setPageAnswer(1, R"({"data":{"data":[{"desc":"only a title"}]}})");
    loadCategoryPage(1, view(), endpoints);
    EXPECT_EQ(list.rows(), (Rows{row("1", "", "only a title", "")}));
}

TEST_F(CategoryPageTest, NoNetwork) {
    endpoints.pageHost = "127.0.0.1:1";
    list.appendRow();
    nextPage(view(), endpoints);
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(currentPage.text(), "1");
}

TEST_F(CategoryPageTest, PageLinks) {
    service.setPageAnswer(1, kTwoRooms);
    loadCategoryPage(0, view(), endpoints);  // below 1 is page 1
    EXPECT_EQ(currentPage.text(), "1");
    previousPage(view(), endpoints);  // page 1 again: emptied and filled once more
    EXPECT_EQ(currentPage.text(), "1");
    EXPECT_EQ(list.rowCount(), 2);
    currentPage.setText("16");
    nextPage(view(), endpoints);  // no stop at the page total
    EXPECT_EQ(currentPage.text(), "17");
    EXPECT_EQ(service.requests().back().target, "/mobyy/module/other/pnk1/448764?page=17");
    currentPage.setText(G("第3页"));  // no leading number reads as 0
    nextPage(view(), endpoints);
    EXPECT_EQ(currentPage.text(), "1");
    currentPage.setText("x");
    previousPage(view(), endpoints);
    EXPECT_EQ(currentPage.text(), "1");
    currentPage.setText("2147483647");
    nextPage(view(), endpoints);
    EXPECT_EQ(currentPage.text(), "2147483647");
}

TEST_F(CategoryPageTest, LoadingAppendsAfterExistingRows) {
    service.setPageAnswer(2, kTwoRooms);
    const int existing = list.appendRow();
    list.setCellText(existing, 0, "old");
    loadCategoryPage(2, view(), endpoints);
    ASSERT_EQ(list.rowCount(), 3);
    EXPECT_EQ(list.cellText(0, 0), "old");
    EXPECT_EQ(list.cellText(1, 0), "1");
}

TEST_F(CategoryPageTest, EndlessAnswerDoesNotFreeze) {
    const int saved = ScriptEngine::evaluationTimeLimitMs();
    ScriptEngine::setEvaluationTimeLimitMs(300);
    service.setPageAnswer(1, "while(true){}");
    const auto started = std::chrono::steady_clock::now();
    loadCategoryPage(1, view(), endpoints);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
    EXPECT_EQ(list.rowCount(), 0);
    ScriptEngine::setEvaluationTimeLimitMs(saved);
}

}  // namespace
