#include "relay/RequestTarget.h"

#include <algorithm>
#include <cctype>

std::vector<std::string> RequestTarget::values(std::string_view key) const {
    std::vector<std::string> found;
    for (const auto& [name, value] : query) {
        if (name == key) found.push_back(value);
    }
    return found;
}

RequestTarget splitTarget(std::string_view target) {
    RequestTarget split;
    const std::size_t mark = target.find('?');
    split.path = std::string(target.substr(0, mark));
    if (mark == std::string_view::npos) return split;
    std::string_view rest = target.substr(mark + 1);
    const std::size_t fragment = rest.find('#');
    rest = rest.substr(0, fragment);
    while (!rest.empty()) {
        const std::size_t amp = rest.find('&');
        const std::string_view pair = rest.substr(0, amp);
        if (!pair.empty()) {
            const std::size_t equals = pair.find('=');
            split.query.emplace_back(std::string(pair.substr(0, equals)),
                                     equals == std::string_view::npos
                                         ? std::string()
                                         : std::string(pair.substr(equals + 1)));
        }
        if (amp == std::string_view::npos) break;
        rest = rest.substr(amp + 1);
    }
    return split;
}

bool isRoomNumber(std::string_view room) {
    return !room.empty() && room.size() <= 20 &&
           std::all_of(room.begin(), room.end(),
                       [](unsigned char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::string> roomOfQuery(const RequestTarget& target) {
    const std::vector<std::string> rooms = target.values("t");
    if (rooms.size() != 1 || !isRoomNumber(rooms.front())) return std::nullopt;
    return rooms.front();
}

namespace {

bool isPort(std::string_view text) {
    return !text.empty() && text.size() <= 5 &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

}  // namespace

std::optional<std::string> usableHost(std::string_view host) {
    if (host.empty() || host.size() > 255) return std::nullopt;
    std::string_view name = host;
    if (host.front() == '[') {
        const std::size_t close = host.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        const std::string_view inside = host.substr(1, close - 1);
        const bool v6 =
            !inside.empty() && std::all_of(inside.begin(), inside.end(), [](unsigned char c) {
                return std::isxdigit(c) || c == ':' || c == '.';
            });
        const std::string_view after = host.substr(close + 1);
        if (!v6 || (!after.empty() && !(after.front() == ':' && isPort(after.substr(1))))) {
            return std::nullopt;
        }
        return std::string(host);
    }
    const std::size_t colon = host.find(':');
    if (colon != std::string_view::npos) {
        if (!isPort(host.substr(colon + 1))) return std::nullopt;
        name = host.substr(0, colon);
    }
    const bool nameOk = !name.empty() && std::all_of(name.begin(), name.end(), [](unsigned char c) {
        return std::isalnum(c) || c == '.' || c == '-' || c == '_';
    });
    if (!nameOk) return std::nullopt;
    return std::string(host);
}
