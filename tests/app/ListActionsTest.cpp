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
    using Start = RecordingProcessStarter::Start;
    struct Case {
        const char* name;
        bool checked;
        GbkText path;
        int selected;
        GbkText address;
        std::vector<Start> started;
    };
    const GbkText address = FakeService::addressOf("111");
    const GbkText mpv = "/usr/bin/mpv";
    const std::vector<Case> cases = {
        {"unchecked copies only", false, mpv, 0, address, {}},
        {"checked with a player plays", true, mpv, 0, address, {{mpv, {address}}}},
        {"checked with an empty path copies only", true, "", 0, address, {}},
        {"empty space starts the player alone", true, mpv, -1, address, {{mpv, {}}}},
        {"the user's options stay in the command",
         true,
         mpv + " --fs",
         0,
         address,
         {{mpv + " --fs", {address}}}},
        {"NUL ends the path",
         true,
         std::string("/usr/bin/mpv\0 --evil", 20),
         0,
         address,
         {{mpv, {address}}}},
        {"NUL first: no player", true, std::string("\0/usr/bin/mpv", 13), 0, address, {}},
        {"scheme in any case", true, mpv, 0, "HTTPS://x/a.m3u8", {{mpv, {"HTTPS://x/a.m3u8"}}}},
        {"address with blanks and options is only copied",
         true,
         mpv,
         0,
         "http://x/a.m3u8 --script=/tmp/x.lua",
         {}},
        {"address starting with a dash is only copied", true, mpv, 0, "--script=/tmp/x.lua", {}},
        {"address with a line break is only copied", true, mpv, 0, "http://x/a\r\n--x", {}},
        {"not http is only copied", true, mpv, 0, "file:///etc/passwd", {}},
        {"shell characters are no concern without a shell",
         true,
         mpv,
         0,
         "http://x/a;$(id)`id`",
         {{mpv, {"http://x/a;$(id)`id`"}}}},
    };
    streamers.selectRow(0);
    openRoomSource(context());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        processes.started.clear();
        clipboard.setText("old");
        sources.setCellText(0, 1, c.address);
        autoPlay.setChecked(c.checked);
        playerPath.setText(c.path);
        sources.selectRow(c.selected);
        playSource(context());
        EXPECT_EQ(clipboard.readText(), c.selected < 0 ? GbkText() : c.address);
        EXPECT_EQ(processes.started, c.started);
    }
}

}  // namespace
