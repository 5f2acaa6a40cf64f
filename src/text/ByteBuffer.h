#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "text/GbkText.h"

// A counted byte string that may hold NUL bytes: request and response bodies, file contents.
class ByteBuffer {
  public:
    ByteBuffer() = default;
    explicit ByteBuffer(std::string bytes) : bytes_(std::move(bytes)) {}
    ByteBuffer(const char* data, std::size_t size) : bytes_(data, size) {}

    const std::string& bytes() const { return bytes_; }
    std::string& bytes() { return bytes_; }
    std::string_view view() const { return bytes_; }
    const char* data() const { return bytes_.data(); }
    std::size_t size() const { return bytes_.size(); }
    bool empty() const { return bytes_.empty(); }

    void append(const char* data, std::size_t size) { bytes_.append(data, size); }
    void clear() { bytes_.clear(); }

    friend bool operator==(const ByteBuffer&, const ByteBuffer&) = default;

  private:
    std::string bytes_;
};

// The bytes before the first NUL byte, all of them when there is none.
std::string_view beforeNul(std::string_view bytes);

// The buffer read as text: its bytes up to the first NUL byte.
GbkText textOf(const ByteBuffer& buffer);

// The text's bytes, without a terminator.
ByteBuffer bufferOf(std::string_view text);
