#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A request target split into its path and its query's key=value pairs, as sent (no
// percent-decoding: every value the relay accepts is plain ASCII).
struct RequestTarget {
    std::string path;
    std::vector<std::pair<std::string, std::string>> query;

    // Every value given for `key`, in order.
    std::vector<std::string> values(std::string_view key) const;
};

RequestTarget splitTarget(std::string_view target);

// A room number the relay resolves: 1 to 20 ASCII digits.
bool isRoomNumber(std::string_view room);

// The room of a permanent address's query: exactly one `t` of 1 to 20 ASCII digits.
std::optional<std::string> roomOfQuery(const RequestTarget& target);

// A Host header value fit to be written into addresses: a name or IPv4 address with an
// optional port, or a bracketed IPv6 address with one; nothing otherwise.
std::optional<std::string> usableHost(std::string_view host);
