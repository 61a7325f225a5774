#pragma once
// Plain RGB colours as GDI's COLORREF lays them out: red in the low byte, then green, then blue
// (0x00BBGGRR). The top byte is always 0 here; system-colour references are resolved before a
// colour reaches the drawing layer.
#include <cstdint>

namespace paint {

using Rgb = std::uint32_t;

constexpr Rgb MakeRgb(int r, int g, int b) {
    return static_cast<Rgb>(r & 0xFF) | (static_cast<Rgb>(g & 0xFF) << 8) |
           (static_cast<Rgb>(b & 0xFF) << 16);
}
constexpr int Red(Rgb c) { return static_cast<int>(c & 0xFF); }
constexpr int Green(Rgb c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int Blue(Rgb c) { return static_cast<int>((c >> 16) & 0xFF); }

}  // namespace paint
