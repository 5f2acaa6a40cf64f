#include "fuzz/FuzzInput.h"
#include "text/TextCutting.h"
#include "text/TextPrimitives.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const std::string text = in.next();
    const std::string a = in.next();
    const std::string b = in.next();
    const long long start = in.number();
    const bool fold = (size & 1) != 0;
    const TextPos found = findText(text, a, start, fold);
    if (found != kNotFound && (found < 1 || found > textLength(text) + 1)) __builtin_trap();
    findTextReverse(text, a, start, fold);
    textBetween(text, a, b, start, fold);
    textLeftOf(text, a, start, fold);
    middleBytes(text, start, static_cast<TextPos>(size));
    trimText(text);
    splitText(text, a);
    const GbkText replaced = replaceText(text, a, b, fold);
    if (a.empty() && replaced != text) __builtin_trap();
    if (toLowerText(text).size() != text.size()) __builtin_trap();
    textToInteger(text);
    return 0;
}
