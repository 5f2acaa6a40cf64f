#include "http/PlainUrl.h"

#include <algorithm>

#include "text/TextPrimitives.h"

bool isPlainHttpUrl(std::string_view address) {
    const auto startsWithScheme = [&](std::string_view scheme) {
        return address.size() > scheme.size() &&
               equalsText(address.substr(0, scheme.size()), scheme, true);
    };
    if (!startsWithScheme("http://") && !startsWithScheme("https://")) return false;
    return std::none_of(address.begin(), address.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= 0x20 || byte == 0x7F;
    });
}
