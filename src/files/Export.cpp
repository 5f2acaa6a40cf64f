#include "files/Export.h"

#include "files/FileBytes.h"
#include "text/Charset.h"

namespace {

enum Column { kRoom = 1, kTitle = 2, kPermanent = 4 };

void writeExport(const GbkText& stem, const GbkText& stamp, const GbkText& content,
                 MessageBoxes& messages, const RunDirectory& run) {
    static const GbkText done = utf8ToGbk("导出完成");
    static const GbkText failed = utf8ToGbk("导出失败!请重试");
    if (writeFileBytes(run.file(stem + stamp + ".txt"), content)) {
        messages.show(done, MessageBoxes::kNoIcon);
    } else {
        messages.show(failed, MessageBoxes::kExclamation);
    }
}

}  // namespace

GbkText playlistEntry(const GbkText& title, const GbkText& room, const GbkText& address) {
    static const GbkText head = utf8ToGbk("#EXTINF:-1 group-title=\"YY影视轮播\",");
    static const GbkText open = utf8ToGbk("【");
    static const GbkText close = utf8ToGbk("】\r\n");
    return head + title + open + room + close + address + "\r\n";
}

GbkText playlistText(const ListView& streamers) {
    GbkText content;
    const int rows = streamers.rowCount();
    for (int row = 0; row < rows; ++row) {
        content += playlistEntry(streamers.cellText(row, kTitle), streamers.cellText(row, kRoom),
                                 streamers.cellText(row, kPermanent));
    }
    return content;
}

GbkText idTitleText(const ListView& streamers) {
    GbkText content;
    const int rows = streamers.rowCount();
    for (int row = 0; row < rows; ++row) {
        content += streamers.cellText(row, kRoom) + "," + streamers.cellText(row, kTitle) + "\r\n";
    }
    return content;
}

void exportSources(const ListView& streamers, MessageBoxes& messages, const RunDirectory& run,
                   const GbkText& stamp) {
    static const GbkText stem = utf8ToGbk("YY直播源");
    writeExport(stem, stamp, playlistText(streamers), messages, run);
}

void exportIdTitles(const ListView& streamers, MessageBoxes& messages, const RunDirectory& run,
                    const GbkText& stamp) {
    static const GbkText stem = utf8ToGbk("YY直播ID+直播地址有效性");
    writeExport(stem, stamp, idTitleText(streamers), messages, run);
}
