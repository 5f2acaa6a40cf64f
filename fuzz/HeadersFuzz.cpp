#include "fuzz/FuzzInput.h"
#include "http/Cookies.h"
#include "http/RequestHeaders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string headers = in.next();
    const std::string url = in.next();
    GbkText sent = in.next();
    const std::string received = in.next();
    const GbkText normalized = normalizeHeaderNames(headers);
    if (normalizeHeaderNames(normalized) != normalized) __builtin_trap();  // idempotent
    chooseUserAgent(normalized);
    const GbkText completed =
        completeRequestHeaders(normalized, url, methodFromCode(static_cast<int>(size % 9) - 1));
    if (!sent.empty()) appendCookieHeader(completed, sent);
    collectSetCookies(headers);
    removeDuplicateItems(received, "; ");
    mergeCookies(sent, received);
    return 0;
}
