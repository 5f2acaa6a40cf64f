#include "text/TextCutting.h"

#include "text/Charset.h"
#include "text/TextPrimitives.h"

namespace {

GbkText withQuotes(std::string_view delimiter) {
    static const GbkText quoteMarker = utf8ToGbk("#引号");
    return replaceText(delimiter, quoteMarker, "\"");
}

}  // namespace

GbkText textBetween(std::string_view text, std::string_view leftDelimiter,
                    std::string_view rightDelimiter, TextPos start, bool caseInsensitive) {
    const GbkText left = withQuotes(leftDelimiter);
    const GbkText right = withQuotes(rightDelimiter);
    TextPos p = findText(text, left, start, caseInsensitive);
    if (p == kNotFound) return {};
    p += textLength(left);
    const TextPos q = findText(text, right, p, caseInsensitive);
    if (q == kNotFound) return {};
    return middleBytes(text, p, q - p);
}

GbkText textLeftOf(std::string_view text, std::string_view delimiter, TextPos start,
                   bool caseInsensitive) {
    TextPos p;
    if (start >= 0) {
        p = findText(text, delimiter, start == 0 ? 1 : start, caseInsensitive);
    } else if (start == -1) {
        p = findTextReverse(text, delimiter, std::nullopt, caseInsensitive);
    } else {
        // -n: the occurrence must lie within the first length - n bytes.
        p = findTextReverse(text, delimiter, textLength(text) + start + 1, caseInsensitive);
    }
    if (p == kNotFound) return {};
    return leftBytes(text, p - 1);
}
