#include "fuzz/FuzzInput.h"
#include "text/Charset.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const GbkText gbk = utf8ToGbk(bytes);
    if (gbk.find('\0') != std::string::npos) __builtin_trap();
    // Whatever came out is code page 936 text that survives the trip through UTF-8.
    if (utf8ToGbk(gbkToUtf8(gbk)) != utf8ToGbk(gbkToUtf8(utf8ToGbk(gbkToUtf8(gbk))))) {
        __builtin_trap();
    }
    utf16ToGbk(gbkToUtf16(bytes));
    GbkText from = (size & 1) ? "GBK" : "";
    GbkText to = (size & 2) ? "utf-16" : "";
    convertCharset(ByteBuffer(bytes), from, to, static_cast<long long>(size % 7) - 2);
    return 0;
}
