#pragma once

#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "text/GbkText.h"

// Double-byte aware primitives over GbkText. Positions count bytes from 1, -1 means not
// found, and no search ever matches starting on the second byte of a double-byte character.
// Case folding touches single-byte ASCII letters only.

// First occurrence of `sought` beginning at or after `start` (below 2: from the first byte;
// beyond the length: not found). An empty `sought` is found at 1 when the searched part is
// not empty.
TextPos findText(std::string_view text, std::string_view sought, TextPos start = 0,
                 bool caseInsensitive = false);

// Last occurrence lying wholly within the first start - 1 bytes (whole text when `start` is
// absent or beyond the length; start of 1 or less finds nothing).
TextPos findTextReverse(std::string_view text, std::string_view sought,
                        std::optional<TextPos> start = std::nullopt, bool caseInsensitive = false);

inline bool containsText(std::string_view text, std::string_view sought,
                         bool caseInsensitive = false) {
    return findText(text, sought, 0, caseInsensitive) != kNotFound;
}

GbkText leftBytes(std::string_view text, TextPos count);
GbkText rightBytes(std::string_view text, TextPos count);
// `count` bytes from position `start`, cut at the end of the text.
GbkText middleBytes(std::string_view text, TextPos start, TextPos count);
// The bytes from position `start` to the end.
GbkText bytesFrom(std::string_view text, TextPos start);

// Removes ASCII blanks and full-width blanks (A1 A1) at both ends; tabs, CR and LF stay.
GbkText trimText(std::string_view text);

// Pieces between delimiters: none for an empty text, no empty piece after a final delimiter.
std::vector<GbkText> splitText(std::string_view text, std::string_view delimiter);
// The same pieces, handed to `piece` one at a time as views into `text`, so that a large
// text is split without holding every piece at once.
void forEachPiece(std::string_view text, std::string_view delimiter,
                  const std::function<void(std::string_view)>& piece);

// Joins pieces with `delimiter` between them.
GbkText joinText(const std::vector<GbkText>& pieces, std::string_view delimiter);

// Every occurrence, left to right, without overlaps.
GbkText replaceText(std::string_view text, std::string_view sought, std::string_view replacement,
                    bool caseInsensitive = false);

GbkText toLowerText(std::string_view text);
GbkText toUpperText(std::string_view text);

bool equalsText(std::string_view a, std::string_view b, bool caseInsensitive = false);
bool startsWithText(std::string_view text, std::string_view prefix, bool caseInsensitive = false);

// Leading decimal number: white space skipped, a sign accepted, full-width digits counted;
// 0 when there is no leading digit. Saturates at the limits of int.
int textToInteger(std::string_view text);
