#pragma once

#include <optional>
#include <string_view>

// A run of category pages, "3" or "1-16", first and last included.
struct PageRange {
    int first = 1;
    int last = 16;
    int count() const { return last - first + 1; }
};

inline constexpr int kMaxPagesAtOnce = 64;

// Nothing for text that is not one page or "A-B" with 1 <= A <= B, or for more than
// kMaxPagesAtOnce pages.
std::optional<PageRange> parsePageRange(std::string_view text);
