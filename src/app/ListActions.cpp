#include "app/ListActions.h"

#include "files/Export.h"
#include "service/LiveSourceResolver.h"
#include "text/Charset.h"

namespace {

enum StreamerColumn { kRoom = 1, kTitle = 2, kPermanent = 4 };
enum SourceColumn { kSourceTitle = 0, kAddress = 1 };

void copyAndShow(const ListActionContext& context, const GbkText& entry) {
    context.clipboard.setText(entry);
    context.notices.show(context.clipboard.readText());
}

}  // namespace

GbkText sourceEntry(const GbkText& title, const GbkText& address) {
    static const GbkText head = utf8ToGbk("#EXTINF:-1 group-title=\"YY影视轮播\",");
    return head + title + "\r\n" + address;
}

GbkText streamerEntry(const GbkText& title, const GbkText& room, const GbkText& address) {
    GbkText entry = playlistEntry(title, room, address);
    entry.resize(entry.size() - 2);  // the export's line break
    return entry;
}

void openRoomSource(const ListActionContext& context) {
    context.sources.deleteAllRows();
    const int sourceRow = context.sources.appendRow();
    const int row = context.streamers.selectedRow();
    context.sources.setCellText(sourceRow, kSourceTitle, context.streamers.cellText(row, kTitle));
    const GbkText room = context.streamers.cellText(row, kRoom);
    context.sources.setCellText(sourceRow, kAddress, resolveLiveSource(room, context.endpoints));
}

void copyRoomEntry(const ListActionContext& context) {
    const int row = context.streamers.selectedRow();
    copyAndShow(context, streamerEntry(context.streamers.cellText(row, kTitle),
                                       context.streamers.cellText(row, kRoom),
                                       context.streamers.cellText(row, kPermanent)));
}

void playSource(const ListActionContext& context) {
    const bool play = context.autoPlay.isChecked() && !context.playerPath.text().empty();
    const GbkText address = context.sources.cellText(context.sources.selectedRow(), kAddress);
    context.clipboard.setText(address);
    if (!play) return;
    // On the clipboard first, so the user can paste it when the player does not start.
    context.processes.run(context.playerPath.text() + " " +
                          context.sources.cellText(context.sources.selectedRow(), kAddress));
}

void copySourceEntry(const ListActionContext& context) {
    copyAndShow(context, sourceEntry(context.sources.cellText(0, kSourceTitle),
                                     context.sources.cellText(0, kAddress)));
}
