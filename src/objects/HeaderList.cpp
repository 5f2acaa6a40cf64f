#include "objects/HeaderList.h"

#include "text/Charset.h"
#include "text/PercentByte.h"
#include "text/TextCutting.h"
#include "text/TextPrimitives.h"

void HeaderList::add(std::string_view name, std::string_view value, bool toUtf8) {
    names_.push_back(toUtf8 ? gbkToUtf8(name) : GbkText(name));
    values_.push_back(toUtf8 ? gbkToUtf8(value) : GbkText(value));
}

void HeaderList::addFromQuery(std::string_view text, bool toUtf8) {
    for (const GbkText& piece : splitText(text, "&")) {
        const TextPos lastEquals = findTextReverse(piece, "=");
        const GbkText name = textLeftOf(piece, "=");
        const GbkText value =
            lastEquals == kNotFound ? GbkText() : bytesFrom(piece, lastEquals + 1);
        add(name, value, toUtf8);
    }
}

long long HeaderList::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        if (names_[i] == name) return static_cast<long long>(i);
    }
    return -1;
}

GbkText HeaderList::get(std::string_view name) const {
    const long long i = indexOf(name);
    return i < 0 ? GbkText() : values_[static_cast<std::size_t>(i)];
}

void HeaderList::set(std::string_view name, std::string_view value) {
    const long long i = indexOf(name);
    if (i < 0) {
        add(name, value);
    } else {
        values_[static_cast<std::size_t>(i)] = GbkText(value);
    }
}

GbkText HeaderList::toQueryText(bool encode) const {
    GbkText out;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        out += encode ? percentEncode(names_[i], true, false) : names_[i];
        out += '=';
        out += encode ? percentEncode(values_[i], true, false) : values_[i];
        out += '&';
    }
    if (!out.empty()) out.pop_back();
    return out;
}

GbkText HeaderList::toHeaderText(bool encode) const {
    GbkText out;
    for (std::size_t i = 0; i < names_.size(); ++i) {
        out += names_[i];
        out += ": ";
        out += encode ? percentEncode(values_[i], true, false) : values_[i];
        out += "\r\n";
    }
    if (!out.empty()) out.resize(out.size() - 2);
    return out;
}

void HeaderList::names(std::vector<GbkText>& out) const { out = names_; }

void HeaderList::values(std::vector<GbkText>& out) const { out = values_; }

void HeaderList::clear() {
    names_.clear();
    values_.clear();
}

void HeaderList::remove(std::string_view name) {
    const long long i = indexOf(name);
    if (i < 0) return;
    names_.erase(names_.begin() + i);
    values_.erase(values_.begin() + i);
}

GbkText HeaderList::toJsonText() const {
    GbkText out = "{";
    for (std::size_t i = 0; i < names_.size(); ++i) {
        out += '"';
        out += names_[i];
        out += "\":\"";
        out += escapeQuotes(values_[i]);
        out += "\",";
    }
    stripAffix(out, ",");
    out += '}';
    return out;
}

GbkText HeaderList::escapeQuotes(std::string_view text) { return replaceText(text, "\"", "\\\""); }

GbkText HeaderList::stripAffix(GbkText& text, std::string_view affix) {
    if (affix.empty()) return text;
    if (text.ends_with(affix)) text.resize(text.size() - affix.size());
    if (text.starts_with(affix)) text.erase(0, affix.size());
    return text;
}

GbkText percentEncode(std::string_view text, bool keepUnreserved, bool viaUtf8) {
    const GbkText bytes = viaUtf8 ? gbkToUtf8(text) : GbkText(text);
    GbkText out;
    out.reserve(bytes.size() * 3);
    for (unsigned char byte : bytes) {
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.';
        if (keepUnreserved && unreserved) {
            out += static_cast<char>(byte);
        } else {
            appendPercentByte(out, byte);
        }
    }
    return out;
}
