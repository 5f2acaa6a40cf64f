#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Splits fuzzer input into texts at 0xFF 0x00 pairs, so one input drives several arguments.
class FuzzInput {
  public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    std::string next() {
        const std::size_t cut = rest_.find(std::string_view("\xFF\0", 2));
        std::string piece(rest_.substr(0, cut));
        rest_ = cut == std::string_view::npos ? std::string_view() : rest_.substr(cut + 2);
        return piece;
    }

    long long number() {
        const std::string piece = next();
        unsigned long long value = 0;
        for (unsigned char c : piece) value = value * 31 + c;
        return static_cast<long long>(value);
    }

  private:
    std::string_view rest_;
};
