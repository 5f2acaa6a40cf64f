#include "objects/MemberPath.h"

namespace {

bool isNameStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '$';
}
bool isNamePart(char c) { return isNameStart(c) || (c >= '0' && c <= '9'); }

std::optional<std::string> readName(std::string_view text, std::size_t& i) {
    if (i >= text.size() || !isNameStart(text[i])) return std::nullopt;
    const std::size_t start = i;
    while (i < text.size() && isNamePart(text[i])) ++i;
    return std::string(text.substr(start, i - start));
}

// "[" digits "]" with no leading zero (a script reads 017 as octal) and below 2^32 - 1.
std::optional<std::uint32_t> readIndex(std::string_view text, std::size_t& i) {
    if (i >= text.size() || text[i] != '[') return std::nullopt;
    std::size_t j = i + 1;
    std::uint64_t value = 0;
    const std::size_t digitsStart = j;
    while (j < text.size() && text[j] >= '0' && text[j] <= '9') {
        value = value * 10 + static_cast<std::uint64_t>(text[j] - '0');
        if (value >= 0xFFFFFFFFull) return std::nullopt;
        ++j;
    }
    const std::size_t digits = j - digitsStart;
    if (digits == 0 || (digits > 1 && text[digitsStart] == '0')) return std::nullopt;
    if (j >= text.size() || text[j] != ']') return std::nullopt;
    i = j + 1;
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::optional<MemberPath> MemberPath::parse(std::string_view text) {
    std::size_t i = 0;
    std::optional<std::string> root = readName(text, i);
    if (!root) return std::nullopt;
    MemberPath path{std::move(*root), {}};
    while (i < text.size()) {
        if (text[i] == '.') {
            ++i;
            std::optional<std::string> name = readName(text, i);
            if (!name) return std::nullopt;
            path.steps.emplace_back(std::move(*name));
        } else if (std::optional<std::uint32_t> index = readIndex(text, i)) {
            path.steps.emplace_back(*index);
        } else {
            return std::nullopt;
        }
    }
    return path;
}
