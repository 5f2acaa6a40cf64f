#include "text/Charset.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <climits>
#include <cstring>
#include <memory>

#include "text/TextPrimitives.h"

namespace {

constexpr const char* kGbkConverter = "windows-936-2000";

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Writes "?" for every byte sequence that cannot be decoded.
void substituteQuestionMark(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                            UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) return;  // reset, close, clone: nothing to write
    static const UChar questionMark = u'?';
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &questionMark, 1, 0, error);
}

// Writes "?" for every code point the target cannot hold. ICU's own substitution callback
// drops default-ignorable ones (U+200B, U+FEFF, ...) instead, which would lose characters.
void substituteQuestionMarkFromU(const void*, UConverterFromUnicodeArgs* args, const UChar*,
                                 int32_t, UChar32, UConverterCallbackReason reason,
                                 UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) return;
    *error = U_ZERO_ERROR;
    ucnv_cbFromUWriteSub(args, 0, error);
}

// Maps the stream object's charset names onto ICU's; code page 936 is Windows' own table.
std::string icuName(std::string_view charset) {
    const GbkText name = toLowerText(trimText(charset));
    if (name == "gbk" || name == "gb2312" || name == "cp936" || name == "936" ||
        name == "windows-936" || name == "x-gbk") {
        return kGbkConverter;
    }
    if (name == "unicode") return "UTF-16LE";
    return name;
}

Converter openConverter(std::string_view charset) {
    UErrorCode error = U_ZERO_ERROR;
    Converter converter(ucnv_open(icuName(charset).c_str(), &error));
    if (U_FAILURE(error)) return nullptr;
    ucnv_setToUCallBack(converter.get(), substituteQuestionMark, nullptr, nullptr, nullptr, &error);
    error = U_ZERO_ERROR;
    ucnv_setFromUCallBack(converter.get(), substituteQuestionMarkFromU, nullptr, nullptr, nullptr,
                          &error);
    error = U_ZERO_ERROR;
    ucnv_setSubstChars(converter.get(), "?", 1, &error);
    return converter;
}

// The code page 936 and UTF-8 converters are opened once per thread: opening one costs more
// than converting a short text. Conversions reset them, so no state leaks between calls.
UConverter* cachedConverter(std::string_view charset) {
    thread_local Converter gbk = openConverter(kGbkConverter);
    thread_local Converter utf8 = openConverter("UTF-8");
    UConverter* converter = charset == kGbkConverter ? gbk.get() : utf8.get();
    if (converter != nullptr) ucnv_reset(converter);
    return converter;
}

bool fitsInt32(std::size_t size) { return size < static_cast<std::size_t>(INT32_MAX) / 4; }

std::u16string decode(UConverter* converter, std::string_view bytes) {
    std::u16string out;
    if (bytes.empty() || !fitsInt32(bytes.size())) return out;
    // One code unit per byte covers every charset but a few; the rest get a second pass.
    out.resize(bytes.size() + 1);
    UErrorCode error = U_ZERO_ERROR;
    int32_t length = ucnv_toUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                   bytes.data(), static_cast<int32_t>(bytes.size()), &error);
    if (error == U_BUFFER_OVERFLOW_ERROR) {
        out.resize(static_cast<std::size_t>(length) + 1);
        error = U_ZERO_ERROR;
        length = ucnv_toUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                               bytes.data(), static_cast<int32_t>(bytes.size()), &error);
    }
    if (U_FAILURE(error)) return {};
    out.resize(static_cast<std::size_t>(length));
    return out;
}

std::string encode(UConverter* converter, std::u16string_view text) {
    std::string out;
    if (text.empty() || !fitsInt32(text.size())) return out;
    out.resize(text.size() * 2 + 4);
    UErrorCode error = U_ZERO_ERROR;
    int32_t length = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                     text.data(), static_cast<int32_t>(text.size()), &error);
    if (error == U_BUFFER_OVERFLOW_ERROR) {
        out.resize(static_cast<std::size_t>(length) + 1);
        error = U_ZERO_ERROR;
        length = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                 text.data(), static_cast<int32_t>(text.size()), &error);
    }
    if (U_FAILURE(error)) return {};
    out.resize(static_cast<std::size_t>(length));
    return out;
}

std::string convertBytes(std::string_view bytes, std::string_view from, std::string_view to) {
    const Converter decoder = openConverter(from);
    const Converter encoder = openConverter(to);
    if (!decoder || !encoder) return {};
    return encode(encoder.get(), decode(decoder.get(), bytes));
}

bool isUtf8Name(std::string_view charset) {
    const GbkText name = toLowerText(trimText(charset));
    return name == "utf-8" || name == "utf8";
}

}  // namespace

ByteBuffer convertCharset(const ByteBuffer& bytes, GbkText& fromCharset, GbkText& toCharset,
                          std::optional<TextPos> readPosition) {
    if (fromCharset.empty()) fromCharset = "UTF-8";
    if (toCharset.empty()) toCharset = "GBK";
    std::string_view input = bytes.view();
    // The stream object skips a byte-order mark when it reads UTF-8 text.
    if (isUtf8Name(fromCharset) && input.starts_with("\xEF\xBB\xBF")) input.remove_prefix(3);
    std::string converted = convertBytes(input, fromCharset, toCharset);
    if (readPosition && *readPosition > 0) {
        if (static_cast<unsigned long long>(*readPosition) >= converted.size()) {
            converted.clear();
        } else {
            converted.erase(0, static_cast<std::size_t>(*readPosition));
        }
    }
    return ByteBuffer(std::move(converted));
}

ByteBuffer convertCharset(const ByteBuffer& bytes) {
    GbkText from;
    GbkText to;
    return convertCharset(bytes, from, to);
}

GbkText utf8ToGbk(std::string_view utf8) {
    // A NUL byte is never part of a longer UTF-8 sequence, so cutting first is the same as
    // cutting the converted text at its first NUL.
    UConverter* decoder = cachedConverter("UTF-8");
    if (decoder == nullptr) return {};
    const std::u16string text = decode(decoder, beforeNul(utf8));
    return utf16ToGbk(text);
}

std::string gbkToUtf8(std::string_view text) {
    const std::u16string decoded = gbkToUtf16(text);
    UConverter* encoder = cachedConverter("UTF-8");
    return encoder == nullptr ? std::string() : encode(encoder, decoded);
}

std::u16string gbkToUtf16(std::string_view text) {
    UConverter* decoder = cachedConverter(kGbkConverter);
    return decoder == nullptr ? std::u16string() : decode(decoder, text);
}

GbkText utf16ToGbk(std::u16string_view text) {
    UConverter* encoder = cachedConverter(kGbkConverter);
    return encoder == nullptr ? GbkText() : encode(encoder, text);
}
