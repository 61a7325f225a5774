#pragma once
// A 24-bit pixel surface: blue, green, red per pixel, rows padded to a multiple of 4 bytes, the
// layout of a 24-bit device-independent bitmap. A Surface is a view over memory someone else
// owns (a DIB section's bits on Win32, a PixelBuffer elsewhere); rows may be stored bottom-up, as
// a DIB with a positive height keeps them. All coordinates are top-down; writes outside the
// surface are clipped.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "controls/paint/color.h"

namespace paint {

class Surface {
public:
    Surface() = default;
    Surface(std::uint8_t* bits, int width, int height, int stride, bool bottomUp);

    // Bytes per row of a 24-bit DIB of the given width.
    static int StrideFor(int width) { return (width * 3 + 3) & ~3; }

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return stride_; }
    bool BottomUp() const { return bottomUp_; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // First byte of row y counted from the top.
    std::uint8_t* Row(int y) const {
        const int stored = bottomUp_ ? height_ - 1 - y : y;
        return bits_ + static_cast<std::ptrdiff_t>(stored) * stride_;
    }

    // Black outside the surface.
    Rgb Pixel(int x, int y) const;
    void SetPixel(int x, int y, Rgb c) {
        if (Contains(x, y)) Put(Row(y) + x * 3, c);
    }
    // Pixels x0 .. x1 - 1 of row y, clipped.
    void FillSpan(int x0, int x1, int y, Rgb c);
    void Clear(Rgb c);

    static void Put(std::uint8_t* p, Rgb c) {
        p[0] = static_cast<std::uint8_t>(Blue(c));
        p[1] = static_cast<std::uint8_t>(Green(c));
        p[2] = static_cast<std::uint8_t>(Red(c));
    }
    static Rgb Get(const std::uint8_t* p) { return MakeRgb(p[2], p[1], p[0]); }

private:
    std::uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    bool bottomUp_ = false;
};

// Memory of its own for a surface: pictures, the background capture, test targets.
class PixelBuffer {
public:
    PixelBuffer() = default;
    PixelBuffer(int width, int height, Rgb fill = 0, bool bottomUp = false);
    // Rows that stay where they are, in 24-bit DIB layout, kept unchanged by their owner for
    // as long as this buffer and its copies: a picture read in place from the program's own
    // module. Only ever read through.
    static PixelBuffer Borrowing(const std::uint8_t* rows, int width, int height, bool bottomUp);

    int Width() const { return width_; }
    int Height() const { return height_; }
    Surface View() {
        return Surface(borrowed_ ? const_cast<std::uint8_t*>(borrowed_) : bits_.data(), width_,
                       height_, Surface::StrideFor(width_), bottomUp_);
    }
    // The view is writable only through a non-const buffer; this one is for reading.
    Surface View() const { return const_cast<PixelBuffer*>(this)->View(); }
    // A view of this buffer at width x height, made anew (black) when the size differs: a
    // control's persistent drawing surface kept in memory.
    Surface Sized(int width, int height) {
        if (borrowed_ || width_ != width || height_ != height) *this = PixelBuffer(width, height);
        return View();
    }
    Rgb Pixel(int x, int y) const { return View().Pixel(x, y); }
    void SetPixel(int x, int y, Rgb c) { View().SetPixel(x, y, c); }

private:
    std::vector<std::uint8_t> bits_;
    const std::uint8_t* borrowed_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    bool bottomUp_ = false;
};

}  // namespace paint
