#pragma once

#include <string>
#include <string_view>
#include <vector>

// The fixed pieces of every playlist entry, in UTF-8: the prefix, the title, the room
// between the two brackets, a line break and the address.
inline constexpr std::string_view kEntryPrefix = "#EXTINF:-1 group-title=\"YY影视轮播\",";
inline constexpr std::string_view kRoomOpen = "【";
inline constexpr std::string_view kRoomClose = "】";

// One entry of a UTF-8 playlist for IPTV apps.
struct PlaylistItem {
    std::string title;  // UTF-8
    std::string room;
    std::string address;
};

// The text on one line: every control byte (tab, CR, LF and the rest below 0x20, and 0x7F)
// becomes a blank, so that a hostile title can neither add entries nor split a field.
std::string oneLine(std::string_view text);

// "#EXTM3U", then per item `#EXTINF:-1 group-title="YY影视轮播",TITLE【ROOM】` and its address,
// each line ended by LF and held on one line.
std::string m3uPlaylist(const std::vector<PlaylistItem>& items);
