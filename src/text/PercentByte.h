#pragma once

#include <string>

// Appends "%" and the byte's value in two upper-case hex digits.
inline void appendPercentByte(std::string& out, unsigned char byte) {
    static constexpr char hex[] = "0123456789ABCDEF";
    out += '%';
    out += hex[byte >> 4];
    out += hex[byte & 0x0F];
}
