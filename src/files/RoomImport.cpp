#include "files/RoomImport.h"

#include <filesystem>
#include <optional>

#include "files/FileBytes.h"
#include "files/FileFilterText.h"
#include "text/Charset.h"
#include "text/TextCutting.h"
#include "text/TextPrimitives.h"
#include "ui/RowColumns.h"

std::vector<GbkText> roomNumbersOf(const GbkText& fileText) {
    std::vector<GbkText> rooms;
    for (const GbkText& line : splitText(fileText, "\r\n")) rooms.push_back(textLeftOf(line, ","));
    return rooms;
}

void importRoomNumbers(ListView& streamers, FileChooser& chooser, MessageBoxes& messages,
                       const RunDirectory& run) {
    static const GbkText filter = utf8ToGbk("文本文件（*.txt）|*.txt");
    static const GbkText title = utf8ToGbk("打开文件");
    const GbkText chosen = chooser.chooseFile(title, parseFileFilter(filter), run.text());
    if (chosen.empty()) return;
    // Read first: a file that cannot be read must not cost the user the list.
    const std::optional<ByteBuffer> bytes = readFileBytes(std::filesystem::path(gbkToUtf8(chosen)));
    if (!bytes) {
        static const GbkText failed = utf8ToGbk("导入失败!请重试");
        messages.show(failed, MessageBoxes::kExclamation);
        return;
    }
    streamers.deleteAllRows();
    for (const GbkText& room : roomNumbersOf(textOf(*bytes))) {
        const int row = streamers.appendRow();
        streamers.setCellText(row, StreamerColumn::kRoom, room);
    }
}
