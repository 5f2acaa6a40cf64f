#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The program's text: bytes in code page 936, a double-byte character being a lead byte
// 0x81-0xFE and the byte after it. An absent text and the empty text are the same value.
using GbkText = std::string;

// Positions in a GbkText count bytes from 1; a failed search gives -1.
using TextPos = long long;

inline constexpr TextPos kNotFound = -1;

// True for bytes that start a double-byte character.
constexpr bool isLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

inline TextPos textLength(std::string_view text) { return static_cast<TextPos>(text.size()); }
