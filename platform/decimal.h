#pragma once
// Whole numbers as decimal text, for every layer that writes or reads them (mode labels,
// layout files and their names, the controls' property bags). Written out here rather than
// with std::to_string or strtol, whose locale and printf machinery would be a large part of a
// small program's code.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

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

// A decimal integer with optional sign and blanks (spaces, tabs) around it, within [lo, hi];
// anything else (empty text, other characters, a fraction, overflow) yields nothing.
inline std::optional<std::int64_t> ParseDecimal(std::string_view text, std::int64_t lo,
                                                std::int64_t hi) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > hi - lo + 1) return std::nullopt;  // far out of range already
    }
    if (negative) value = -value;
    if (value < lo || value > hi) return std::nullopt;
    return value;
}

}  // namespace platform
