// Page answers built to hang the program or eat its memory end with the rows read so far.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "objects/EvaluationWatchdog.h"
#include "service/CategoryPage.h"
#include "support/FakeService.h"

namespace {

using Clock = std::chrono::steady_clock;

class HostilePageTest : public ::testing::Test {
  protected:
    HostilePageTest() {
        endpoints.pageHost = service.hostPort();
        saved_ = pageLimits();
    }
    ~HostilePageTest() override { setPageLimits(saved_); }

    void limit(std::chrono::milliseconds time, long long growth, int rows) {
        setPageLimits(PageLimits{time, growth, rows});
    }
    std::vector<StreamerRow> load(const std::string& answer) {
        service.setPageAnswer(1, answer);
        const auto started = Clock::now();
        std::vector<StreamerRow> rows = fetchCategoryPage(1, pageJson, endpoints);
        elapsed = Clock::now() - started;
        return rows;
    }

    FakeService service;
    ServiceEndpoints endpoints;
    ScriptJson pageJson;
    Clock::duration elapsed{};

  private:
    PageLimits saved_;
};

// One ordinary room, then rooms made by `item` (script text of an object, with i in scope).
std::string pageWith(const std::string& item, int count) {
    return "(function () { var hold = []; var a = [{name: 'n0', desc: 'd0', sid: 100}];"
           " for (var i = 1; i <= " +
           std::to_string(count) + "; i++) { a.push(" + item +
           "); } return {data: {data: a}}; })()";
}

TEST_F(HostilePageTest, RowsStopAtTheCap) {
    limit(std::chrono::seconds(30), 0, 25);
    const std::vector<StreamerRow> rows = load(pageWith("{name: 'n' + i, desc: 'd', sid: i}", 40));
    ASSERT_EQ(rows.size(), 25u);
    EXPECT_EQ(rows.back().ordinal, "25");
    EXPECT_EQ(rows.back().streamer, "n24");
}

TEST_F(HostilePageTest, SparseArrayOfFourBillionRowsEndsAtTheCap) {
    limit(std::chrono::seconds(30), 0, 100);
    const std::vector<StreamerRow> rows = load("{\"data\":{\"data\":new Array(4294967295)}}");
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_EQ(rows[99].ordinal, "100");
    EXPECT_EQ(rows[99].room, "");
}

TEST_F(HostilePageTest, GettersThatNeverReturnSpendTheTimeBudget) {
    limit(std::chrono::milliseconds(1500), 0, 10000);
    const std::vector<StreamerRow> rows =
        load(pageWith("{get name() { while (true) {} }, desc: 'd', sid: i}", 100));
    ASSERT_EQ(rows.size(), 1u);  // the ordinary room only
    EXPECT_EQ(rows[0].room, "100");
    EXPECT_LT(elapsed, std::chrono::seconds(15));  // 100 rooms would take minutes
    // The engine that ran the answer is gone; the next page loads as usual.
    EXPECT_EQ(load(R"({"data":{"data":[{"name":"a","desc":"b","sid":1}]}})").size(), 1u);
}

TEST_F(HostilePageTest, AllocatingGettersSpendTheMemoryBudgetAndGiveItBack) {
    constexpr long long kGrowth = 192LL << 20;
    limit(std::chrono::seconds(60), kGrowth, 10000);
    const long long before = residentBytes();
    // Each read keeps 32 MB alive; 100,000 rooms would want terabytes.
    const std::vector<StreamerRow> rows = load(pageWith(
        "{get name() { hold.push(new Array(4000000).fill(i)); return 'x'; }, desc: 'd', sid: i}",
        100000));
    EXPECT_GE(rows.size(), 1u);
    EXPECT_LT(rows.size(), 100u);
    EXPECT_LT(elapsed, std::chrono::seconds(60));
    EXPECT_LT(residentBytes(), before + kGrowth / 2);  // the engine and its heap are gone
}

}  // namespace
