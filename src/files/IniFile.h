#pragma once

#include <filesystem>
#include <string_view>

#include "text/GbkText.h"

// Profile-file semantics: section and key names match without regard to ASCII case, the value
// is the text after the first "=" with blanks trimmed, read up to 10239 bytes. A missing file,
// section or key reads as the empty text.
GbkText readIniValue(const std::filesystem::path& file, std::string_view section,
                     std::string_view key);

// Replaces the key's value in place, adds a missing key at the end of its section and a
// missing section or file; every other line stays byte for byte. The file is replaced
// atomically. False when it cannot be written, or when the value holds a line break.
bool writeIniValue(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value);

inline constexpr std::size_t kIniValueLimit = 10239;
