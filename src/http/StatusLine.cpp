#include "http/StatusLine.h"

int statusCodeOf(std::string_view responseHeaders) {
    // "HTTP/1.1 200 OK": the three digits after the first blank.
    const std::size_t blank = responseHeaders.find(' ');
    if (!responseHeaders.starts_with("HTTP/") || blank == std::string_view::npos ||
        responseHeaders.size() < blank + 4) {
        return 0;
    }
    int code = 0;
    for (std::size_t i = blank + 1; i < blank + 4; ++i) {
        const char c = responseHeaders[i];
        if (c < '0' || c > '9') return 0;
        code = code * 10 + (c - '0');
    }
    return code;
}
