#include "service/PageRange.h"

#include <charconv>

namespace {

std::optional<int> pageNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 1) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<PageRange> parsePageRange(std::string_view text) {
    const std::size_t dash = text.find('-');
    const std::optional<int> first = pageNumber(text.substr(0, dash));
    const std::optional<int> last =
        dash == std::string_view::npos ? first : pageNumber(text.substr(dash + 1));
    if (!first || !last || *last < *first) return std::nullopt;
    const PageRange range{*first, *last};
    if (range.count() > kMaxPagesAtOnce || range.count() < 1) return std::nullopt;
    return range;
}
