#include "app/BatchExtraction.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeService.h"
#include "ui/MemoryListView.h"

namespace {

class BatchExtractionTest : public ::testing::Test {
  protected:
    BatchExtractionTest() { endpoints.hlsHost = service.hostPort(); }
    void addRoom(const GbkText& room) {
        const int row = list.appendRow();
        list.setCellText(row, 0, std::to_string(row + 1));
        list.setCellText(row, 1, room);
        list.setCellText(row, 4, "http://relay/dl/yy1.php?t=" + room);
    }

    FakeService service;
    ServiceEndpoints endpoints;
    MemoryListView list{5};
};

TEST_F(BatchExtractionTest, EveryRowGetsItsAddress) {
    for (const char* room : {"1", "2", "3"}) addRoom(room);
    service.setRoomAnswer("2", "no address here");
    extractAllSources(list, endpoints);
    EXPECT_EQ(list.cellText(0, 4), FakeService::addressOf("1"));
    EXPECT_EQ(list.cellText(1, 4), "");  // a failed resolution replaces the relay address
    EXPECT_EQ(list.cellText(2, 4), FakeService::addressOf("3"));
    EXPECT_EQ(list.cellText(2, 0), "3");
    EXPECT_EQ(list.cellText(2, 1), "3");
    EXPECT_EQ(list.lastVisibleRequest(), 2);
}

TEST_F(BatchExtractionTest, EmptyRoomAndEmptyList) {
    extractAllSources(list, endpoints);
    EXPECT_TRUE(service.requests().empty());
    addRoom("");
    service.setRoomAnswer("", R"({"hls":"E","x":1})");
    extractAllSources(list, endpoints);
    EXPECT_EQ(list.cellText(0, 4), "E");
}

TEST_F(BatchExtractionTest, ListChangedDuringARunGetsNoWrongAddress) {
    for (const char* room : {"1", "2"}) addRoom(room);
    service.setAnswerDelayMs(300);
    BatchExtraction extraction(list, endpoints);
    extraction.startExtraction();  // returns at once
    while (service.requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    list.deleteAllRows();
    addRoom("9");
    extraction.waitForRuns([] {});
    EXPECT_EQ(list.cellText(0, 4), "http://relay/dl/yy1.php?t=9");  // not room 1's address
    EXPECT_EQ(list.rowCount(), 1);
}

}  // namespace
