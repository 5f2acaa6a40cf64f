#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/ByteBuffer.h"
#include "text/GbkText.h"

// Decodes `bytes` from `fromCharset` and encodes the text in `toCharset`, returning the bytes
// from the 0-based `readPosition` on. Empty names become "UTF-8" and "GBK" and are written
// back. What neither side can hold becomes "?"; an unknown charset gives an empty result.
ByteBuffer convertCharset(const ByteBuffer& bytes, GbkText& fromCharset, GbkText& toCharset,
                          std::optional<TextPos> readPosition = std::nullopt);
// UTF-8 to GBK.
ByteBuffer convertCharset(const ByteBuffer& bytes);

// UTF-8 to program text: a NUL byte ends the text; malformed input and characters that code
// page 936 lacks become "?". Also turns the program's UTF-8 source literals into GBK.
GbkText utf8ToGbk(std::string_view utf8);
inline GbkText utf8ToGbk(const ByteBuffer& bytes) { return utf8ToGbk(bytes.view()); }

// Program text to UTF-8 (terminal output, percent-encoding via UTF-8).
std::string gbkToUtf8(std::string_view text);

// Crossings to and from UTF-16 for the window layer.
std::u16string gbkToUtf16(std::string_view text);
GbkText utf16ToGbk(std::u16string_view text);
