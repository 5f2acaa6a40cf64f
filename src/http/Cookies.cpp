#include "http/Cookies.h"

#include <algorithm>
#include <string>
#include <unordered_set>
#include <vector>

#include "text/TextCutting.h"
#include "text/TextPrimitives.h"

namespace {

// Trimmed, and a final ";" made into "; " so that it ends the last item when split.
GbkText prepareCookieText(std::string_view text) {
    GbkText out = trimText(text);
    if (!out.empty() && out.back() == ';') out += ' ';
    return out;
}

GbkText joinPieces(const std::vector<GbkText>& pieces, std::string_view delimiter) {
    GbkText out;
    for (const GbkText& piece : pieces) {
        out += piece;
        out += delimiter;
    }
    out.resize(out.size() - std::min(out.size(), delimiter.size()));
    return out;
}

}  // namespace

GbkText collectSetCookies(std::string_view rawHeaders) {
    std::vector<GbkText> items;
    for (const GbkText& line : splitText(rawHeaders, "\r\n")) {
        if (textLeftOf(line, ": ") != "Set-Cookie") continue;
        if (containsText(line, ";")) {
            items.push_back(trimText(textBetween(line, "Set-Cookie:", ";")));
        } else {
            items.push_back(trimText(replaceText(line, "Set-Cookie:", "", true)));
        }
    }
    return joinPieces(items, "; ");
}

GbkText cookieName(std::string_view item) {
    if (!containsText(item, "=")) return trimText(item);
    return trimText(textLeftOf(item, "="));
}

GbkText removeDuplicateItems(std::string_view text, std::string_view delimiter) {
    std::vector<GbkText> kept;
    std::unordered_set<GbkText> seen;
    for (GbkText& piece : splitText(text, delimiter)) {
        if (seen.insert(piece).second) kept.push_back(std::move(piece));
    }
    return joinPieces(kept, delimiter);
}

GbkText mergeCookies(GbkText& sent, std::string_view received) {
    std::vector<GbkText> merged = splitText(prepareCookieText(received), "; ");
    std::unordered_set<GbkText> names;
    for (const GbkText& piece : merged) names.insert(cookieName(piece));
    for (GbkText& piece : splitText(prepareCookieText(sent), "; ")) {
        if (names.insert(cookieName(piece)).second) merged.push_back(std::move(piece));
    }
    std::vector<GbkText> alive;
    for (GbkText& piece : merged) {
        if (rightBytes(piece, 8) != "=deleted") alive.push_back(std::move(piece));
    }
    sent = removeDuplicateItems(joinPieces(alive, "; "), "; ");
    return sent;
}
