#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "text/ByteBuffer.h"

// The whole file, or nothing when it cannot be read.
std::optional<ByteBuffer> readFileBytes(const std::filesystem::path& file);

// Creates or replaces the file with exactly these bytes; false when it could not be written
// completely.
bool writeFileBytes(const std::filesystem::path& file, std::string_view bytes);

// The same, but through a temporary file in the same folder and a rename, so that the file
// is either the old one or the new one whatever happens meanwhile.
bool replaceFileBytes(const std::filesystem::path& file, std::string_view bytes);
