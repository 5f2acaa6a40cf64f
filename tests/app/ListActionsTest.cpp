#include "app/ListActions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/FakeService.h"
#include "support/Gbk.h"
#include "ui/MemoryCaption.h"
#include "ui/MemoryControls.h"
#include "ui/MemoryListView.h"

namespace {

class ListActionsTest : public ::testing::Test {
  protected:
    ListActionsTest() {
        endpoints.hlsHost = service.hostPort();
        addStreamer("111", "T1", "http://relay/dl/yy1.php?t=111");
        addStreamer("222", G("标题二"), "http://relay/dl/yy1.php?t=222");
    }
    void addStreamer(const GbkText& room, const GbkText& title, const GbkText& permanent) {
        const int row = streamers.appendRow();
        streamers.setCellText(row, 0, std::to_string(row + 1));
        streamers.setCellText(row, 1, room);
        streamers.setCellText(row, 2, title);
        streamers.setCellText(row, 4, permanent);
    }
    ListActionContext context() {
        return {streamers, sources, playerPath, autoPlay, clipboard, notices, processes, endpoints};
    }

    FakeService service;
    ServiceEndpoints endpoints;
    MemoryListView streamers{5};
    MemoryListView sources{2};
    MemoryCaption playerPath;
    MemoryCheckBox autoPlay;
    MemoryClipboard clipboard;
    RecordingNotices notices;
    RecordingProcessStarter processes;
};

const GbkText kHead = "#EXTINF:-1 group-title=\"YY" + G("影视轮播") + "\",";

TEST_F(ListActionsTest, DoubleClickResolvesTheSelectedRoom) {
    streamers.selectRow(1);
    openRoomSource(context());
    EXPECT_EQ(sources.rows(),
              (std::vector<std::vector<GbkText>>{{G("标题二"), FakeService::addressOf("222")}}));
    streamers.selectRow(0);
    openRoomSource(context());  // the source list holds one row only
    EXPECT_EQ(sources.rowCount(), 1);
    EXPECT_EQ(sources.cellText(0, 0), "T1");
}

TEST_F(ListActionsTest, DoubleClickOnEmptySpaceAsksForTheEmptyRoom) {
    service.setRoomAnswer("", R"({"hls":"","a":1})");
    openRoomSource(context());
    EXPECT_EQ(sources.rows(), (std::vector<std::vector<GbkText>>{{"", ""}}));
    EXPECT_EQ(service.requests().back().target, "/hls/new/get///1200?source=wapyy&callback=jsonp3");
}

TEST_F(ListActionsTest, RightButtonCopiesTheSelectedEntry) {
    streamers.selectRow(0);
    copyRoomEntry(context());
    const GbkText entry =
        kHead + "T1" + G("【") + "111" + G("】") + "\r\nhttp://relay/dl/yy1.php?t=111";
    EXPECT_EQ(clipboard.readText(), entry);
    EXPECT_EQ(notices.shown, (std::vector<GbkText>{entry}));
    streamers.selectRow(-1);
    copyRoomEntry(context());
    EXPECT_EQ(notices.shown.back(), kHead + G("【】") + "\r\n");
}

TEST_F(ListActionsTest, RightButtonOnSources) {
    copySourceEntry(context());  // nothing resolved yet
    EXPECT_EQ(notices.shown.back(), kHead + "\r\n");
    streamers.selectRow(0);
    openRoomSource(context());
    copySourceEntry(context());
    EXPECT_EQ(notices.shown.back(), kHead + "T1\r\n" + FakeService::addressOf("111"));
}

TEST_F(ListActionsTest, PlaySourceTable) {
    struct Case {
        const char* name;
        bool checked;
        GbkText path;
        int selected;
        std::vector<GbkText> started;
    };
    const GbkText address = FakeService::addressOf("111");
    const std::vector<Case> cases = {
        {"unchecked copies only", false, "/usr/bin/mpv", 0, {}},
        {"checked with a player plays", true, "/usr/bin/mpv", 0, {"/usr/bin/mpv " + address}},
        {"checked with an empty path copies only", true, "", 0, {}},
        {"empty space plays an empty address", true, "/usr/bin/mpv", -1, {"/usr/bin/mpv "}},
    };
    streamers.selectRow(0);
    openRoomSource(context());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        processes.started.clear();
        clipboard.setText("old");
        autoPlay.setChecked(c.checked);
        playerPath.setText(c.path);
        sources.selectRow(c.selected);
        playSource(context());
        EXPECT_EQ(clipboard.readText(), c.selected < 0 ? GbkText() : address);
        EXPECT_EQ(processes.started, c.started);
    }
}

}  // namespace
