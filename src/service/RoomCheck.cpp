#include "service/RoomCheck.h"

#include <chrono>
#include <string>

#include "http/HttpRequest.h"
#include "http/StatusLine.h"
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
