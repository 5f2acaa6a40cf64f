#include "fuzz/FuzzInput.h"
#include "http/UrlSplit.h"
#include "text/TextPrimitives.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string url = in.next();
    const long long level = in.number();
    urlHost(url, size & 1, size & 2);
    urlHost(url, size & 1, size & 2, static_cast<int>(level % 8));
    urlPort(url);
    const GbkText path = urlPath(url);
    if (path.empty() || path[0] != '/') __builtin_trap();
    return 0;
}
