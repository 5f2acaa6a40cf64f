#include "service/Utf8Playlist.h"

std::string oneLine(std::string_view text) {
    std::string line(text);
    for (char& c : line) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) c = ' ';
    }
    return line;
}

std::string m3uPlaylist(const std::vector<PlaylistItem>& items) {
    std::string text = "#EXTM3U\n";
    for (const PlaylistItem& item : items) {
        text += kEntryPrefix;
        text += oneLine(item.title);
        text += kRoomOpen;
        text += oneLine(item.room);
        text += kRoomClose;
        text += '\n';
        text += oneLine(item.address);
        text += '\n';
    }
    return text;
}
