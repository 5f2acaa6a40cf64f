#include "files/RoomImport.h"

#include <filesystem>
#include <optional>

#include "files/FileBytes.h"
#include "files/FileFilterText.h"
#include "text/Charset.h"
#include "text/TextCutting.h"
#include "text/TextPrimitives.h"
#include "ui/RowColumns.h"

void forEachRoomNumber(std::string_view fileText, const std::function<void(GbkText)>& room) {
    forEachPiece(beforeNul(fileText), "\r\n",
                 [&](std::string_view line) { room(textLeftOf(line, ",")); });
}

std::vector<GbkText> roomNumbersOf(const GbkText& fileText) {
    std::vector<GbkText> rooms;
    forEachRoomNumber(fileText, [&](GbkText number) { rooms.push_back(std::move(number)); });
    return rooms;
}

void importRoomNumbers(ListView& streamers, FileChooser& chooser, MessageBoxes& messages,
                       const RunDirectory& run) {
    static const GbkText filter = utf8ToGbk("文本文件（*.txt）|*.txt");
    static const GbkText title = utf8ToGbk("打开文件");
    const GbkText chosen = chooser.chooseFile(title, parseFileFilter(filter), run.text());
    if (chosen.empty()) return;
    // Read first: a file that cannot be read must not cost the user the list.
    const std::optional<ByteBuffer> bytes =
        readRegularFile(std::filesystem::path(gbkToUtf8(chosen)), kImportLimitBytes);
    if (!bytes) {
        static const GbkText failed = utf8ToGbk("导入失败!请重试");
        messages.show(failed, MessageBoxes::kExclamation);
        return;
    }
    streamers.deleteAllRows();
    forEachRoomNumber(bytes->view(), [&](const GbkText& room) {
        const int row = streamers.appendRow();
        streamers.setCellText(row, StreamerColumn::kRoom, room);
    });
}
