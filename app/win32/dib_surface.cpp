#include "app/win32/dib_surface.h"

namespace app::win32 {

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

paint::Surface DibSurface::View() const {
    if (!bits_) return {};
    // GDI may still be drawing into the bits (text); the rasterizer must see its result.
    GdiFlush();
    return paint::Surface(bits_, width_, height_, paint::Surface::StrideFor(width_), false);
}

void DibSurface::Present(HDC target, int x, int y) const {
    if (bits_) BitBlt(target, x, y, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
}

}  // namespace app::win32
