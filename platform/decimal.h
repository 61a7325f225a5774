#pragma once
// Whole numbers as decimal text, for every layer that writes them (mode labels, layout file
// names, the controls' property bags). Written out here rather than with std::to_string, whose
// printf machinery would be a large part of a small program's code.
#include <cstdint>
#include <string>

namespace platform {

// The number in decimal digits, with a minus sign when negative.
inline std::string Decimal(std::int32_t n) {
    char buffer[12];
    char* p = buffer + sizeof buffer;
    std::uint32_t magnitude =
        n < 0 ? 0u - static_cast<std::uint32_t>(n) : static_cast<std::uint32_t>(n);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (n < 0) *--p = '-';
    return std::string(p, buffer + sizeof buffer);
}

}  // namespace platform
