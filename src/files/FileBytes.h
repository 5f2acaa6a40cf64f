#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "text/ByteBuffer.h"

// The whole file, or nothing when it cannot be read or is no regular file (a FIFO or device
// is never opened for reading, so it cannot block the caller).
std::optional<ByteBuffer> readFileBytes(const std::filesystem::path& file);

// The whole file when it is a regular file of at most `maxBytes`; nothing for anything else
// (a FIFO, device or socket is never opened for reading, so it cannot block the caller).
std::optional<ByteBuffer> readRegularFile(const std::filesystem::path& file, long long maxBytes);

// Creates or replaces the file with exactly these bytes; false when it could not be written
// completely.
bool writeFileBytes(const std::filesystem::path& file, std::string_view bytes);

// Writes a new plain file; false when anything, a dangling link included, has the name.
bool createNewFile(const std::filesystem::path& file, std::string_view bytes);

// Where `file` ends after following its links (itself when it is none); nothing for a loop.
std::optional<std::filesystem::path> linkTarget(const std::filesystem::path& file);

// The same as writeFileBytes, but through a temporary file in the same folder and a rename,
// so that the file is either the old one or the new one whatever happens meanwhile. A link
// stays a link and its target is replaced; a dangling link, a file without its owner's write
// permission or anything but a regular file is left alone and gives false.
bool replaceFileBytes(const std::filesystem::path& file, std::string_view bytes);
