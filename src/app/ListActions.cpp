#include "app/ListActions.h"

#include "files/Export.h"
#include "http/PlainUrl.h"
#include "service/LiveSourceResolver.h"
#include "text/ByteBuffer.h"
#include "ui/RowColumns.h"

namespace {

void copyAndShow(const ListActionContext& context, const GbkText& entry) {
    context.clipboard.setText(entry);
    context.notices.show(context.clipboard.readText());
}

}  // namespace

GbkText sourceEntry(const GbkText& title, const GbkText& address) {
    return playlistPrefix() + title + "\r\n" + address;
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
    context.sources.setCellText(sourceRow, SourceColumn::kTitle,
                                context.streamers.cellText(row, StreamerColumn::kTitle));
    const GbkText room = context.streamers.cellText(row, StreamerColumn::kRoom);
    GbkText address;
    context.runner.run([&] { address = resolveLiveSource(room, context.endpoints); });
    context.sources.setCellText(sourceRow, SourceColumn::kAddress, address);
}

void copyRoomEntry(const ListActionContext& context) {
    const int row = context.streamers.selectedRow();
    copyAndShow(context,
                streamerEntry(context.streamers.cellText(row, StreamerColumn::kTitle),
                              context.streamers.cellText(row, StreamerColumn::kRoom),
                              context.streamers.cellText(row, StreamerColumn::kPermanent)));
}

void playSource(const ListActionContext& context) {
    // The player path is a NUL-terminated text: nothing after a NUL reaches the command line.
    const GbkText player(beforeNul(context.playerPath.text()));
    const bool play = context.autoPlay.isChecked() && !player.empty();
    const GbkText address =
        context.sources.cellText(context.sources.selectedRow(), SourceColumn::kAddress);
    // On the clipboard first, so the user can paste it when the player does not start.
    context.clipboard.setText(address);
    if (!play) return;
    if (address.empty()) {
        context.processes.run(player, {});
        return;
    }
    // The address came over the network: it reaches the player only as one plain URL.
    if (isPlainHttpUrl(address)) context.processes.run(player, {address});
}

void copySourceEntry(const ListActionContext& context) {
    copyAndShow(context, sourceEntry(context.sources.cellText(0, SourceColumn::kTitle),
                                     context.sources.cellText(0, SourceColumn::kAddress)));
}
