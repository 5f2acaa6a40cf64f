#include "files/Export.h"

#include "files/FileBytes.h"
#include "service/Utf8Playlist.h"
#include "text/Charset.h"
#include "ui/RowColumns.h"

namespace {

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

const GbkText& playlistPrefix() {
    static const GbkText prefix = utf8ToGbk(kEntryPrefix);
    return prefix;
}

GbkText playlistEntry(const GbkText& title, const GbkText& room, const GbkText& address) {
    static const GbkText open = utf8ToGbk(kRoomOpen);
    static const GbkText close = utf8ToGbk(kRoomClose) + "\r\n";
    return playlistPrefix() + title + open + room + close + address + "\r\n";
}

GbkText playlistText(const ListView& streamers) {
    GbkText content;
    const int rows = streamers.rowCount();
    for (int row = 0; row < rows; ++row) {
        content += playlistEntry(streamers.cellText(row, StreamerColumn::kTitle),
                                 streamers.cellText(row, StreamerColumn::kRoom),
                                 streamers.cellText(row, StreamerColumn::kPermanent));
    }
    return content;
}

GbkText idTitleText(const ListView& streamers) {
    GbkText content;
    const int rows = streamers.rowCount();
    for (int row = 0; row < rows; ++row) {
        content += streamers.cellText(row, StreamerColumn::kRoom) + "," +
                   streamers.cellText(row, StreamerColumn::kTitle) + "\r\n";
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
