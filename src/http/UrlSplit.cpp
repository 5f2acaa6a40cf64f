#include "http/UrlSplit.h"

#include <vector>

#include "text/TextCutting.h"
#include "text/TextPrimitives.h"

namespace {

GbkText withoutPort(const GbkText& host) {
    return containsText(host, ":") ? textLeftOf(host, ":") : host;
}

GbkText hostByLevel(std::string_view url, bool rootOnly, bool keepPort, int level) {
    GbkText s = toLowerText(url);
    s = replaceText(s, "http://", "");
    s = replaceText(s, "https://", "");
    if (containsText(s, "/")) s = textLeftOf(s, "/");
    // A dot that is the very last byte separates no label.
    const bool trailingDot = !s.empty() && s.back() == '.';
    const std::string_view labelled =
        trailingDot ? std::string_view(s).substr(0, s.size() - 1) : std::string_view(s);
    const long long wanted = static_cast<long long>(level < 0 ? 0 : level) + (rootOnly ? 1 : 2);
    long long labels = 1;
    std::size_t cut = std::string_view::npos;
    for (std::size_t i = labelled.size(); i-- > 0;) {
        if (labelled[i] != '.') continue;
        if (labels == wanted) {
            cut = i;
            break;
        }
        ++labels;
    }
    if (cut != std::string_view::npos) s.erase(0, cut + 1);
    return keepPort ? s : withoutPort(s);
}

}  // namespace

GbkText urlHost(std::string_view url, bool rootOnly, bool keepPort, std::optional<int> level) {
    if (level) return hostByLevel(url, rootOnly, keepPort, *level);
    GbkText s = toLowerText(url);
    if (s.empty() || s.back() != '/') s += '/';
    if (startsWithText(s, "https://")) {
        s = textBetween(s, "https://", "/");
    } else {
        if (!containsText(s, "http://")) s.insert(0, "http://");
        s = textBetween(s, "http://", "/");
    }
    if (rootOnly) {
        const std::vector<GbkText> labels = splitText(s, ".");
        if (labels.size() > 1) s = labels[labels.size() - 2] + "." + labels.back();
    }
    return keepPort ? s : withoutPort(s);
}

int urlPort(std::string_view url) {
    const GbkText hostAndPort = urlHost(url, false, true);
    const TextPos colon = findTextReverse(hostAndPort, ":");
    if (colon != kNotFound) return textToInteger(bytesFrom(hostAndPort, colon + 1));
    return startsWithText(url, "https", true) ? 443 : 80;
}

GbkText urlPath(std::string_view url) {
    const GbkText host = urlHost(url);
    const TextPos a = findText(url, host, 1, true);
    const TextPos b = findText(url, "/", a);
    if (b == kNotFound) return "/";
    return bytesFrom(url, b);
}
