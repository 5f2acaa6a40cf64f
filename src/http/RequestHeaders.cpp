#include "http/RequestHeaders.h"

#include <vector>

#include "text/TextCutting.h"
#include "text/TextPrimitives.h"

GbkText capitalizeFirst(std::string_view text) {
    GbkText out(text);
    if (!out.empty() && out[0] >= 'a' && out[0] <= 'z') out[0] = static_cast<char>(out[0] - 32);
    return out;
}

GbkText normalizeHeaderNames(std::string_view headers) {
    std::vector<GbkText> kept;
    for (GbkText& line : splitText(headers, "\r\n")) {
        const TextPos colon = findText(line, ":");
        if (colon == kNotFound) continue;
        // The name's first byte and every byte after a "-" in it get a capital: each piece
        // between the "-" capitalised, a "-" at the end of the name kept.
        for (TextPos i = 0; i < colon - 1; ++i) {
            if (i == 0 || line[i - 1] == '-') {
                line.replace(i, 1, capitalizeFirst(std::string_view(line).substr(i, 1)));
            }
        }
        kept.push_back(std::move(line));
    }
    return joinText(kept, "\r\n");
}

GbkText valueAfterFirstColon(std::string_view text) {
    const TextPos colon = findText(text, ":");
    if (colon == kNotFound) return {};
    return trimText(bytesFrom(text, colon + 1));
}

GbkText chooseUserAgent(std::string_view headers) {
    if (!containsText(headers, "User-Agent:", true)) return GbkText(kDefaultUserAgent);
    const GbkText agent = trimText(textBetween(GbkText(headers) + "\r\n", "User-Agent:", "\r\n"));
    if (!agent.empty()) return agent;
    return valueAfterFirstColon(headers);
}

GbkText completeRequestHeaders(std::string_view headers, std::string_view url, HttpMethod method) {
    GbkText out = headers.empty() ? GbkText("Accept: */*") : GbkText(headers);
    if (!containsText(out, "Accept:", true)) out += "\r\nAccept: */*";
    if (!containsText(out, "Referer:", true)) {
        out += "\r\nReferer: ";
        out += url;
    }
    if (!containsText(out, "Accept-Language:", true)) out += "\r\nAccept-Language: zh-cn";
    if (method == HttpMethod::Post && !containsText(out, "Content-Type:", true)) {
        out += "\r\nContent-Type: application/x-www-form-urlencoded";
    }
    return out;
}

GbkText appendCookieHeader(std::string_view headers, std::string_view cookies) {
    GbkText out(headers);
    out += containsText(cookies, "Cookie:") ? "\r\n" : "\r\nCookie: ";
    out += cookies;
    return out;
}
