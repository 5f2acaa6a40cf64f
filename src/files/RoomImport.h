#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "files/RunDirectory.h"
#include "ui/FileChooser.h"
#include "ui/ListView.h"
#include "ui/MessageBoxes.h"

// The rows of an import file's text: one room number (the text before the first comma) per
// CR LF line; the text ends at its first NUL byte.
std::vector<GbkText> roomNumbersOf(const GbkText& fileText);
// The same room numbers one at a time, without holding them all.
void forEachRoomNumber(std::string_view fileText, const std::function<void(GbkText)>& room);

// Import files larger than this are refused unread.
inline constexpr long long kImportLimitBytes = 64LL << 20;

// The import button: replaces the streamer list with the room numbers of a chosen text file.
// A file that cannot be read leaves the list as it was and says so.
void importRoomNumbers(ListView& streamers, FileChooser& chooser, MessageBoxes& messages,
                       const RunDirectory& run);
