#include "app/win32/frame_surface.h"

#include <vector>

namespace app::win32 {

HRGN CreateRegion(const paint::RegionData& region) {
    std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + region.rects.size() * sizeof(RECT));
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    rgn->rdh.dwSize = sizeof(RGNDATAHEADER);
    rgn->rdh.iType = RDH_RECTANGLES;
    rgn->rdh.nCount = static_cast<DWORD>(region.rects.size());
    rgn->rdh.nRgnSize = static_cast<DWORD>(region.rects.size() * sizeof(RECT));
    RECT bounds{0, 0, 0, 0};
    auto* rects = reinterpret_cast<RECT*>(rgn->Buffer);
    for (std::size_t i = 0; i < region.rects.size(); ++i) {
        const paint::Rect& r = region.rects[i];
        rects[i] = RECT{r.left, r.top, r.right, r.bottom};
        UnionRect(&bounds, &bounds, &rects[i]);
    }
    rgn->rdh.rcBound = bounds;
    return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), rgn);
}

paint::Surface FrameSurface::Surface(int width, int height) {
    paint::Surface surface = surface_.Resize(width, height);
    text_.SetDc(surface_.Dc());
    return surface;
}

float FrameSurface::ScreenWidthTwips() const {
    return static_cast<float>(GetSystemMetrics(SM_CXSCREEN)) * TwipsPerPixelX();
}

float FrameSurface::ScreenHeightTwips() const {
    return static_cast<float>(GetSystemMetrics(SM_CYSCREEN)) * TwipsPerPixelY();
}

void FrameSurface::DragContainer() {
    if (!window_) return;
    ReleaseCapture();
    SendMessageA(window_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void FrameSurface::SetContainerShape(const paint::RegionData& region) {
    if (!window_) return;
    HRGN rgn = CreateRegion(region);
    // The window owns the region from here on.
    if (rgn && !SetWindowRgn(window_, rgn, TRUE)) DeleteObject(rgn);
}

void FrameSurface::ProcessPendingMessages() { PumpPendingMessages(); }

void FrameSurface::SurfaceDrawn() {
    if (window_) InvalidateRect(window_, nullptr, FALSE);
}

}  // namespace app::win32
