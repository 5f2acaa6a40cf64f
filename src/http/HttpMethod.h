#pragma once

#include <string_view>

// Request method code; the engine takes any value outside 0..7 as GET.
enum class HttpMethod : int {
    Get = 0,
    Post = 1,
    Head = 2,
    Put = 3,
    Options = 4,
    Delete = 5,
    Trace = 6,
    Connect = 7,
};

// The method for a code, GET for codes outside 0..7.
constexpr HttpMethod methodFromCode(int code) {
    return (code < 0 || code > 7) ? HttpMethod::Get : static_cast<HttpMethod>(code);
}

constexpr std::string_view methodVerb(HttpMethod method) {
    constexpr std::string_view verbs[] = {"GET",     "POST",   "HEAD",  "PUT",
                                          "OPTIONS", "DELETE", "TRACE", "CONNECT"};
    const int code = static_cast<int>(method);
    return (code < 0 || code > 7) ? verbs[0] : verbs[code];
}
