#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <vector>

#include "files/Export.h"
#include "files/RoomImport.h"
#include "support/Gbk.h"
#include "support/TempDir.h"
#include "text/Charset.h"
#include "ui/MemoryControls.h"
#include "ui/MemoryListView.h"

namespace {

using Rows = std::vector<std::vector<GbkText>>;

class ImportExportTest : public ::testing::Test {
  protected:
    void addRow(const GbkText& room, const GbkText& title, const GbkText& address) {
        const int row = list.appendRow();
        list.setCellText(row, 1, room);
        list.setCellText(row, 2, title);
        list.setCellText(row, 4, address);
    }
    std::vector<GbkText> roomColumn() const {
        std::vector<GbkText> rooms;
        for (const auto& row : list.rows()) rooms.push_back(row[1]);
        return rooms;
    }
    void import(const std::string& bytes) {
        dir.write("rooms.txt", bytes);
        chooser.answers = {(dir.path() / "rooms.txt").string()};
        importRoomNumbers(list, chooser, messages, run);
    }

    TempDir dir;
    RunDirectory run{dir.path()};
    MemoryListView list{5};
    RecordingMessageBoxes messages;
    ScriptedFileChooser chooser;
};

TEST_F(ImportExportTest, ImportTable) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<GbkText> rooms;
    };
    const std::vector<Case> cases = {
        {"two lines", G("11,标题一\r\n22,标题二\r\n"), {"11", "22"}},
        {"line without comma", "11,a\r\nplain\r\n", {"11", ""}},
        {"empty line between", "11,a\r\n\r\n22,b", {"11", "", "22"}},
        {"LF only is one line", "11,a\n22,b\n", {"11"}},
        {"empty file", "", {}},
        {"blanks stay", " 11 ,a\r\n", {" 11 "}},
        {"NUL ends the text",
         std::string("11,a\r\n\0"
                     "22,b\r\n",
                     14),
         {"11"}},
        {"UTF-16 is cut at its first NUL", std::string("1\0,\0", 4), {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        addRow("old", "t", "a");
        import(c.bytes);
        EXPECT_EQ(roomColumn(), c.rooms);
    }
    ASSERT_FALSE(chooser.requests.empty());
    EXPECT_EQ(chooser.requests[0].filter, (FileFilter{{G("文本文件（*.txt）"), "*.txt"}}));
    EXPECT_EQ(chooser.requests[0].initialDirectory, dir.path().string());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ImportExportTest, ImportedRowsHoldOnlyTheRoomNumber) {
    import("11,a\r\n");
    EXPECT_EQ(list.rows(), (Rows{{"", "11", "", "", ""}}));
}

TEST_F(ImportExportTest, CancelOrUnreadableFileKeepsTheList) {
    addRow("keep", "t", "a");
    importRoomNumbers(list, chooser, messages, run);  // cancelled
    EXPECT_EQ(roomColumn(), (std::vector<GbkText>{"keep"}));
    chooser.answers = {(dir.path() / "missing.txt").string()};
    importRoomNumbers(list, chooser, messages, run);
    EXPECT_EQ(roomColumn(), (std::vector<GbkText>{"keep"}));
    chooser.answers = {dir.path().string()};  // a folder
    importRoomNumbers(list, chooser, messages, run);
    EXPECT_EQ(roomColumn(), (std::vector<GbkText>{"keep"}));
    const ShownMessage failed{G("导入失败!请重试"), 48, ""};
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{failed, failed}));
}

TEST_F(ImportExportTest, FifosAndOversizeFilesAreRefusedUnread) {
    const std::filesystem::path fifo = dir.path() / "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path huge = dir.path() / "huge.txt";
    dir.write("huge.txt", "1,a\r\n");
    std::filesystem::resize_file(huge, kImportLimitBytes + 1);  // sparse: no disk is used
    dir.write("limit.txt", "1,a\r\n");
    std::filesystem::resize_file(dir.path() / "limit.txt", kImportLimitBytes);
    for (const std::filesystem::path& file : {fifo, huge}) {
        SCOPED_TRACE(file.string());
        list.deleteAllRows();
        addRow("keep", "t", "a");
        messages.shown.clear();
        chooser.answers = {file.string()};
        auto done = std::async(std::launch::async,
                               [&] { importRoomNumbers(list, chooser, messages, run); });
        if (done.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
            const int unblock = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);  // let it end
            done.wait();
            ::close(unblock);
            FAIL() << "the import blocked";
        }
        EXPECT_EQ(roomColumn(), (std::vector<GbkText>{"keep"}));
        EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{{G("导入失败!请重试"), 48, ""}}));
    }
    chooser.answers = {(dir.path() / "limit.txt").string()};  // exactly the limit is read
    importRoomNumbers(list, chooser, messages, run);
    EXPECT_EQ(roomColumn(), (std::vector<GbkText>{"1"}));
}

TEST_F(ImportExportTest, ExportsByteForByte) {
    addRow("11", "T1", "A1");
    addRow("22", "T2", "A2");
    exportSources(list, messages, run, "STAMP");
    exportIdTitles(list, messages, run, "STAMP");
    const std::string head = G("#EXTINF:-1 group-title=\"YY影视轮播\",");
    EXPECT_EQ(head.size(), 36u);
    EXPECT_EQ(dir.read(gbkToUtf8(G("YY直播源STAMP.txt"))),
              head + "T1" + G("【") + "11" + G("】") + "\r\nA1\r\n" + head + "T2" + G("【") + "22" +
                  G("】") + "\r\nA2\r\n");
    EXPECT_EQ(dir.read(gbkToUtf8(G("YY直播ID+直播地址有效性STAMP.txt"))), "11,T1\r\n22,T2\r\n");
    const ShownMessage done{G("导出完成"), 0, ""};
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{done, done}));
}

TEST_F(ImportExportTest, ExportEdgeRows) {
    addRow("33", G("标题,带逗号"), "");
    EXPECT_EQ(playlistText(list),
              G("#EXTINF:-1 group-title=\"YY影视轮播\",标题,带逗号【33】\r\n\r\n"));
    list.deleteAllRows();
    exportSources(list, messages, run, "E");
    EXPECT_TRUE(std::filesystem::exists(run.file(G("YY直播源E.txt"))));
    EXPECT_EQ(std::filesystem::file_size(run.file(G("YY直播源E.txt"))), 0u);
}

TEST_F(ImportExportTest, ExportThenImportGivesTheSameRooms) {
    addRow("11", G("中文,标题"), "x");
    addRow("", "t", "x");
    addRow("33", "", "x");
    exportIdTitles(list, messages, run, "R");
    list.deleteAllRows();
    // The dialog answers in program text.
    chooser.answers = {G(run.file(G("YY直播ID+直播地址有效性R.txt")).string())};
    importRoomNumbers(list, chooser, messages, run);
    EXPECT_EQ(roomColumn(), (std::vector<GbkText>{"11", "", "33"}));
}

TEST_F(ImportExportTest, UnwritableFolderSaysSo) {
    dir.write("plain", "");
    RunDirectory broken(dir.path() / "plain");
    addRow("11", "t", "a");
    exportSources(list, messages, broken, "S");
    exportIdTitles(list, messages, broken, "S");
    const ShownMessage failed{G("导出失败!请重试"), 48, ""};
    EXPECT_EQ(messages.shown, (std::vector<ShownMessage>{failed, failed}));
}

}  // namespace
