#include "files/IniFile.h"

#include <optional>
#include <string>
#include <vector>

#include "files/FileBytes.h"
#include "text/ByteBuffer.h"
#include "text/TextPrimitives.h"

namespace {

struct Line {
    std::string text;        // without its line break
    std::string terminator;  // "\r\n", "\n" or "" for a last line without one
};

std::vector<Line> splitLines(std::string_view content) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        const std::size_t lf = content.find('\n', start);
        if (lf == std::string_view::npos) {
            lines.push_back({std::string(content.substr(start)), ""});
            break;
        }
        const bool crlf = lf > start && content[lf - 1] == '\r';
        const std::size_t end = crlf ? lf - 1 : lf;
        lines.push_back({std::string(content.substr(start, end - start)), crlf ? "\r\n" : "\n"});
        start = lf + 1;
    }
    return lines;
}

std::string joinLines(const std::vector<Line>& lines) {
    std::string out;
    for (const Line& line : lines) out += line.text + line.terminator;
    return out;
}

// The section a line opens, or nothing when it opens none.
std::optional<GbkText> sectionName(const std::string& line) {
    const GbkText trimmed = trimText(line);
    if (trimmed.size() < 2 || trimmed.front() != '[') return std::nullopt;
    const std::size_t close = trimmed.find(']');
    if (close == std::string::npos) return std::nullopt;
    return trimText(std::string_view(trimmed).substr(1, close - 1));
}

// The key of a "key=value" line, or nothing.
std::optional<GbkText> keyName(const std::string& line) {
    const TextPos equals = findText(line, "=");
    if (equals == kNotFound) return std::nullopt;
    return trimText(leftBytes(line, equals - 1));
}

bool isKeyLine(const std::string& line, std::string_view key) {
    const std::optional<GbkText> name = keyName(line);
    return name && equalsText(*name, key, true);
}

// Cut at the limit without splitting a double-byte character.
GbkText limited(const GbkText& value) {
    if (value.size() <= kIniValueLimit) return value;
    std::size_t end = 0;
    while (end < value.size()) {
        const std::size_t width = isLeadByte(static_cast<unsigned char>(value[end])) ? 2 : 1;
        if (end + width > kIniValueLimit) break;
        end += width;
    }
    return value.substr(0, end);
}

struct SectionSpan {
    std::size_t header;
    std::size_t end;  // one past the section's last line
};

std::optional<SectionSpan> findSection(const std::vector<Line>& lines, std::string_view section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::optional<GbkText> name = sectionName(lines[i].text);
        if (!name || !equalsText(*name, section, true)) continue;
        std::size_t end = i + 1;
        while (end < lines.size() && !sectionName(lines[end].text)) ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

// Inserts a line before `at`, giving the line before it a break if it had none.
void insertLine(std::vector<Line>& lines, std::size_t at, std::string text) {
    if (at > 0 && lines[at - 1].terminator.empty()) {
        lines[at - 1].terminator = "\r\n";
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), ""});
        return;
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), Line{std::move(text), "\r\n"});
}

}  // namespace

GbkText readIniValue(const std::filesystem::path& file, std::string_view section,
                     std::string_view key) {
    const std::optional<ByteBuffer> content = readFileBytes(file);
    if (!content) return {};
    const std::vector<Line> lines = splitLines(content->view());
    const std::optional<SectionSpan> span = findSection(lines, section);
    if (!span) return {};
    for (std::size_t i = span->header + 1; i < span->end; ++i) {
        if (!isKeyLine(lines[i].text, key)) continue;
        const TextPos equals = findText(lines[i].text, "=");
        // A value is a NUL-terminated text: nothing after a NUL byte belongs to it.
        return limited(trimText(beforeNul(bytesFrom(lines[i].text, equals + 1))));
    }
    return {};
}

bool writeIniValue(const std::filesystem::path& file, std::string_view section,
                   std::string_view key, std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos) return false;
    const std::optional<ByteBuffer> content = readFileBytes(file);
    std::vector<Line> lines = content ? splitLines(content->view()) : std::vector<Line>();
    const std::string keyLine = std::string(key) + "=" + std::string(value);
    const std::optional<SectionSpan> span = findSection(lines, section);
    if (!span) {
        insertLine(lines, lines.size(), "[" + std::string(section) + "]");
        insertLine(lines, lines.size(), keyLine);
        lines.back().terminator = "\r\n";
    } else {
        bool replaced = false;
        for (std::size_t i = span->header + 1; i < span->end && !replaced; ++i) {
            if (!isKeyLine(lines[i].text, key)) continue;
            lines[i].text = keyLine;
            replaced = true;
        }
        if (!replaced) {
            // After the section's last non-empty line, so blank separators stay in place.
            std::size_t at = span->end;
            while (at > span->header + 1 && trimText(lines[at - 1].text).empty()) --at;
            insertLine(lines, at, keyLine);
        }
    }
    return replaceFileBytes(file, joinLines(lines));
}
