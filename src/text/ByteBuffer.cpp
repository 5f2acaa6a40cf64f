#include "text/ByteBuffer.h"

#include <cstring>

GbkText textOf(const ByteBuffer& buffer) {
    const void* nul = std::memchr(buffer.data(), '\0', buffer.size());
    if (nul == nullptr) return buffer.bytes();
    return GbkText(buffer.data(), static_cast<const char*>(nul) - buffer.data());
}

ByteBuffer bufferOf(std::string_view text) { return ByteBuffer(std::string(text)); }
