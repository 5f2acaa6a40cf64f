#include "service/RoomCheck.h"

#include <chrono>
#include <string>

#include "http/HttpRequest.h"
#include "service/LiveSourceResolver.h"

std::string_view stateName(RoomCheck::State state) {
    switch (state) {
        case RoomCheck::State::Alive:
            return "alive";
        case RoomCheck::State::Dead:
            return "dead";
        case RoomCheck::State::Offline:
            break;
    }
    return "offline";
}

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

RoomCheck checkRoom(std::string_view room, const ServiceEndpoints& endpoints) {
    const auto started = std::chrono::steady_clock::now();
    RoomCheck check;
    check.address = resolveLiveSource(room, endpoints);
    if (check.address.empty()) {
        check.status = "no-address";
    } else {
        HttpRequestArgs args;
        args.url = check.address;
        const ByteBuffer body = httpRequest(args);
        const int code = statusCodeOf(args.responseHeaders);
        check.status = code > 0 ? std::to_string(code) : "no-answer";
        const bool playlist =
            body.view().starts_with("#EXTM3U") || body.view().starts_with("\xEF\xBB\xBF#EXTM3U");
        const bool ok = code >= 200 && code < 300;
        check.state = playlist && ok ? RoomCheck::State::Alive : RoomCheck::State::Dead;
    }
    check.milliseconds = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::steady_clock::now() - started)
                             .count();
    return check;
}
