#include "controls/paint/surface.h"

#include <algorithm>

namespace paint {

Surface::Surface(std::uint8_t* bits, int width, int height, int stride, bool bottomUp)
    : bits_(bits), width_(width), height_(height), stride_(stride), bottomUp_(bottomUp) {
    if (!bits_ || width_ <= 0 || height_ <= 0) width_ = height_ = 0;
}

Rgb Surface::Pixel(int x, int y) const {
    return Contains(x, y) ? Get(Row(y) + x * 3) : 0;
}

void Surface::FillSpan(int x0, int x1, int y, Rgb c) {
    if (y < 0 || y >= height_) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width_);
    if (x0 >= x1) return;
    std::uint8_t* p = Row(y) + x0 * 3;
    const auto b = static_cast<std::uint8_t>(Blue(c));
    const auto g = static_cast<std::uint8_t>(Green(c));
    const auto r = static_cast<std::uint8_t>(Red(c));
    for (int x = x0; x < x1; ++x, p += 3) {
        p[0] = b;
        p[1] = g;
        p[2] = r;
    }
}

void Surface::Clear(Rgb c) {
    for (int y = 0; y < height_; ++y) FillSpan(0, width_, y, c);
}

PixelBuffer::PixelBuffer(int width, int height, Rgb fill, bool bottomUp)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), bottomUp_(bottomUp) {
    bits_.assign(static_cast<std::size_t>(Surface::StrideFor(width_)) * height_, 0);
    if (fill != 0) View().Clear(fill);
}

PixelBuffer PixelBuffer::Borrowing(const std::uint8_t* rows, int width, int height, bool bottomUp) {
    PixelBuffer buffer;
    buffer.borrowed_ = rows;
    buffer.width_ = std::max(width, 0);
    buffer.height_ = std::max(height, 0);
    buffer.bottomUp_ = bottomUp;
    return buffer;
}

}  // namespace paint
