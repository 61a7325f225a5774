#include "app/win32/dib_surface.h"

#include <algorithm>

namespace app::win32 {

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
    // In strips of at most 64 KB on a 32-bit screen. Wine converts a 24-bit blit to the screen's
    // format through a buffer the size of the whole rectangle, allocated on the Unix side; glibc
    // keeps a freed block of that size (600 KB for a window-sized frame) in the process heap
    // for good, as private memory. Strips stay below its mmap threshold and reuse one block.
    const int rows = std::max(1, kPresentStripBytes / (width_ * 4));
    for (int top = 0; top < height_; top += rows)
        BitBlt(target, x, y + top, width_, std::min(rows, height_ - top), dc_.Get(), 0, top, SRCCOPY);
}

}  // namespace app::win32
