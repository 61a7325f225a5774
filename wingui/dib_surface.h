#pragma once
// A control's persistent drawing surface: a top-down 24-bit DIB section selected into a memory
// DC. The rasterizer writes its bits directly; GDI draws text into the same DC; WM_PAINT copies
// it to the screen.
#include <windows.h>

#include "platform/win32/scoped.h"
#include "controls/paint/surface.h"

namespace wingui {

// A memory DC made on first use and deleted with the object; the bitmap it started with is
// selected back first (the selection is the later member, so it ends first).
class MemoryDc {
public:
    HDC Get() const { return dc_.Get(); }
    // Creates the DC on first use; true when there is one.
    bool Ensure() {
        if (!dc_) dc_.Reset(CreateCompatibleDC(nullptr));
        return static_cast<bool>(dc_);
    }
    // Selects the bitmap, remembering the DC's own the first time.
    void Select(HBITMAP bitmap) { selection_.Select(dc_.Get(), bitmap); }
    void Reset() {
        if (!dc_) return;
        selection_.Restore();
        dc_.Reset();
    }

private:
    platform::win32::ScopedMemoryDc dc_;
    platform::win32::ScopedSelection selection_;
};

class DibSurface {
public:
    DibSurface() = default;
    // A bitmap still selected into a DC cannot be deleted (DeleteObject fails and the bitmap
    // leaks; Wine instead defers the delete until it is deselected, so the leak shows only on
    // Windows): the DC gives its own bitmap back first, whatever the members' order.
    ~DibSurface() { Release(); }
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

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
    MemoryDc dc_;
    platform::win32::ScopedBitmap bitmap_;
    std::uint8_t* bits_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace wingui
