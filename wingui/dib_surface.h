#pragma once
// A control's persistent drawing surface: a top-down 24-bit DIB section selected into a memory
// DC. The rasterizer writes its bits directly; GDI draws text into the same DC; WM_PAINT copies
// it to the screen.
#include <windows.h>

#include "app/win32/gdi.h"
#include "controls/paint/surface.h"

namespace app::win32 {

// A memory DC, deleted with the object; the bitmap it started with is selected back first.
class ScopedMemoryDC {
public:
    ScopedMemoryDC() = default;
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;
    ~ScopedMemoryDC() { Reset(); }

    HDC Get() const { return dc_; }
    // Creates the DC on first use; true when there is one.
    bool Ensure() {
        if (!dc_) {
            dc_ = CreateCompatibleDC(nullptr);
            platform::win32::CountTaken(platform::win32::HeldKind::Gdi, dc_);
        }
        return dc_ != nullptr;
    }
    // Selects the bitmap, remembering the DC's own the first time.
    void Select(HBITMAP bitmap) {
        HGDIOBJ previous = SelectObject(dc_, bitmap);
        if (!original_) original_ = previous;
    }
    void Reset() {
        if (!dc_) return;
        if (original_) SelectObject(dc_, original_);
        platform::win32::CountReleased(platform::win32::HeldKind::Gdi, dc_);
        DeleteDC(dc_);
        dc_ = nullptr;
        original_ = nullptr;
    }

private:
    HDC dc_ = nullptr;
    HGDIOBJ original_ = nullptr;
};

using ScopedBitmap = ScopedGdiObject<HBITMAP>;

class DibSurface {
public:
    // A surface of width x height pixels, made anew when the size changes; the previous
    // pixels are kept when it does not. An empty surface when the DIB cannot be made.
    paint::Surface Resize(int width, int height);
    paint::Surface View() const;
    HDC Dc() const { return dc_.Get(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Frees the bitmap and its DC; the next Resize makes them anew.
    void Release();
    // Copies the surface to (x, y) of the target DC.
    void Present(HDC target, int x, int y) const;

private:
    ScopedMemoryDC dc_;
    ScopedBitmap bitmap_;
    std::uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace app::win32
