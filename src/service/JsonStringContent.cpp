#include "service/JsonStringContent.h"

#include <optional>
#include <string>

#include "text/Charset.h"
#include "text/GbkText.h"

namespace {

std::optional<char16_t> hexUnit(std::string_view text, std::size_t at) {
    if (at + 4 > text.size()) return std::nullopt;
    unsigned value = 0;
    for (std::size_t i = at; i < at + 4; ++i) {
        const char c = text[i];
        value <<= 4;
        if (c >= '0' && c <= '9') {
            value |= static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            value |= static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            value |= static_cast<unsigned>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
    }
    return static_cast<char16_t>(value);
}

bool isHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char16_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

char simpleEscape(char c) {
    switch (c) {
        case '/':
            return '/';
        case '\\':
            return '\\';
        case '"':
            return '"';
        case 'b':
            return '\b';
        case 'f':
            return '\f';
        case 'n':
            return '\n';
        case 'r':
            return '\r';
        case 't':
            return '\t';
        default:
            return '\0';
    }
}

}  // namespace

GbkText decodeJsonStringContent(std::string_view text) {
    GbkText out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (isLeadByte(byte) && i + 1 < text.size()) {
            out.append(text.substr(i, 2));  // a trail byte is never an escape
            i += 2;
            continue;
        }
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out += text[i++];
            continue;
        }
        if (const char simple = simpleEscape(text[i + 1]); simple != '\0') {
            out += simple;
            i += 2;
            continue;
        }
        const std::optional<char16_t> unit =
            text[i + 1] == 'u' ? hexUnit(text, i + 2) : std::nullopt;
        if (!unit) {
            out += text[i++];  // no valid escape: the backslash stays
            continue;
        }
        std::u16string character(1, *unit);
        std::size_t consumed = 6;
        if (isHighSurrogate(*unit) && i + 12 <= text.size() && text[i + 6] == '\\' &&
            text[i + 7] == 'u') {
            const std::optional<char16_t> low = hexUnit(text, i + 8);
            if (low && isLowSurrogate(*low)) {
                character += *low;
                consumed = 12;
            }
        }
        out += utf16ToGbk(character);
        i += consumed;
    }
    return out;
}
