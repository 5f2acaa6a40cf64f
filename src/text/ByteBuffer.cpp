#include "text/ByteBuffer.h"

std::string_view beforeNul(std::string_view bytes) {
    const std::size_t nul = bytes.find('\0');
    return nul == std::string_view::npos ? bytes : bytes.substr(0, nul);
}

GbkText textOf(const ByteBuffer& buffer) { return GbkText(beforeNul(buffer.view())); }

ByteBuffer bufferOf(std::string_view text) { return ByteBuffer(std::string(text)); }
