#include "wingui/dib_surface.h"

#include <algorithm>

namespace wingui {

namespace {
constexpr int kPresentStripBytes = 64 * 1024;
}  // namespace

paint::Surface DibSurface::Resize(int width, int height) {
    if (width == width_ && height == height_ && bits_) return View();
    if (width <= 0 || height <= 0 || !dc_.Ensure()) {
        width_ = height_ = 0;
        bits_ = nullptr;
        return {};
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, as the rasterizer counts rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        width_ = height_ = 0;
        bits_ = nullptr;
        return {};
    }
    dc_.Select(bitmap);
    bitmap_.Reset(bitmap);  // the old bitmap is no longer selected, so it may go
    bits_ = static_cast<std::uint8_t*>(bits);
    width_ = width;
    height_ = height;
    return View();
}

void DibSurface::Release() {
    dc_.Reset();  // selects the DC's own bitmap back first
    bitmap_.Reset(nullptr);
    bits_ = nullptr;
    width_ = height_ = 0;
}

paint::Surface DibSurface::View() const {
    if (!bits_) return {};
    // GDI may still be drawing into the bits (text); the rasterizer must see its result.
    GdiFlush();
    return paint::Surface(bits_, width_, height_, paint::Surface::StrideFor(width_), false);
}

void DibSurface::Present(HDC target, int x, int y) const {
    if (!bits_) return;
    GdiFlush();  // the text GDI drew is in the bits before they are read
    // Handed to the screen at 32 bits per pixel, the format of Wine's window surfaces: a blit
    // in any other format goes through a conversion buffer of the whole rectangle that Wine
    // allocates on the Unix side, and glibc keeps that block, freed, in the process heap for
    // good, as private memory. The 32-bit rows are copied here, in strips of at most 64 KB (the
    // most such a buffer can cost where the screen has another format), into pages of their
    // own that go back to the system once the strips are on the screen.
    const int rows = std::max(1, kPresentStripBytes / (width_ * 4));
    const int stripRows = std::min(rows, height_);
    auto* strip = static_cast<std::uint32_t*>(
        VirtualAlloc(nullptr, static_cast<SIZE_T>(width_) * stripRows * 4, MEM_COMMIT | MEM_RESERVE,
                     PAGE_READWRITE));
    if (!strip) {
        for (int top = 0; top < height_; top += rows)
            BitBlt(target, x, y + top, width_, std::min(rows, height_ - top), dc_.Get(), 0, top, SRCCOPY);
        return;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const int stride = paint::Surface::StrideFor(width_);
    for (int top = 0; top < height_; top += rows) {
        const int count = std::min(rows, height_ - top);
        for (int row = 0; row < count; ++row) {
            const std::uint8_t* from = bits_ + static_cast<std::ptrdiff_t>(top + row) * stride;
            std::uint32_t* to = strip + static_cast<std::ptrdiff_t>(row) * width_;
            for (int col = 0; col < width_; ++col, from += 3)
                to[col] = from[0] | (from[1] << 8) | (static_cast<std::uint32_t>(from[2]) << 16);
        }
        info.bmiHeader.biHeight = -count;  // top-down, as the rows were copied
        SetDIBitsToDevice(target, x, y + top, width_, count, 0, 0, 0, count, strip, &info,
                          DIB_RGB_COLORS);
    }
    VirtualFree(strip, 0, MEM_RELEASE);
}

}  // namespace wingui
