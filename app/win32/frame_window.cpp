#include "app/win32/frame_window.h"

#include "app/win32/accessible.h"

#include <commctrl.h>

#include <vector>

#include "wingui/mouse_position.h"

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

FrameWindow::FrameWindow(controls::SkinnedFrame& frame, int dpi, SurfacePainter paintBeneath,
                         BareMouse bareMouse)
    : SurfaceWindow(dpi), frame_(frame), paintBeneath_(std::move(paintBeneath)),
      bareMouse_(std::move(bareMouse)) {}

FrameWindow::~FrameWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
    frame_.SetHost(nullptr);
}

bool FrameWindow::Create(HWND parent, int id, int x, int y, int width, int height) {
    if (!CreateChild(kClassName, parent, id, frame_.Caption1Text(), 0, x, y, width, height))
        return false;
    frame_.SetHost(this);
    MakeFrameAccessible(hwnd_, frame_, [this] { return Scale(); });
    LayOutAt(width, height);
    if (frame_.Visible()) ShowWindow(hwnd_, SW_SHOWNA);
    return true;
}

void FrameWindow::LayOutAt(int width, int height) {
    // Edge to edge over the client area, as the design places the frames.
    frame_.Resize(static_cast<float>(width / Scale()) * kSkinTwipsPerPixel,
                  static_cast<float>(height / Scale()) * kSkinTwipsPerPixel);
}

float FrameWindow::ScreenWidthTwips() const {
    return static_cast<float>(GetSystemMetrics(SM_CXSCREEN) / Scale()) * kSkinTwipsPerPixel;
}

float FrameWindow::ScreenHeightTwips() const {
    return static_cast<float>(GetSystemMetrics(SM_CYSCREEN) / Scale()) * kSkinTwipsPerPixel;
}

void FrameWindow::DragContainer() {
    HWND container = hwnd_ ? GetParent(hwnd_) : nullptr;
    if (!container) return;
    ReleaseCapture();
    SendMessageA(container, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void FrameWindow::SetContainerShape(const paint::RegionData& region) {
    HWND container = hwnd_ ? GetParent(hwnd_) : nullptr;
    if (!container) return;
    HRGN rgn = CreateRegion(paint::ScaledRegion(region, Scale()));
    // The window owns the region from here on.
    if (rgn && !SetWindowRgn(container, rgn, TRUE)) DeleteObject(rgn);
}

namespace {

constexpr controls::FramePiece kCaptionButtons[] = {controls::FramePiece::CloseButton,
                                                    controls::FramePiece::MaximizeButton,
                                                    controls::FramePiece::MinimizeButton};

bool IsCaptionButton(controls::FramePiece piece) {
    for (controls::FramePiece button : kCaptionButtons)
        if (piece == button) return true;
    return false;
}

}  // namespace

bool FrameWindow::CreateToolTips() {
    if (!frame_.HasCaptionButtons()) return false;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    // Owned by no window: under Wine, SetWindowPos(HWND_TOPMOST) on a window that owns a
    // topmost popup moves the popup up and inserts the window after it, and the window itself
    // ends up not topmost, so the form could no longer keep itself on top. A tool tip shows
    // itself topmost, owner or not, and goes with the frame's window (OnDestroying).
    tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                            reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE)),
                            nullptr);
    if (!tips_) return false;
    for (controls::FramePiece piece : kCaptionButtons) {
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;  // understood by comctl32 5.8 and 6 alike
        // The frame hands its mouse messages on itself (HandleMessage): TTF_SUBCLASS would
        // subclass it through a window property, which Wine keeps in its server, so that
        // every message to the frame would cost two round trips to it.
        tool.uFlags = 0;
        tool.hwnd = hwnd_;
        tool.uId = static_cast<UINT_PTR>(piece);
        tool.lpszText = const_cast<char*>(controls::ToolTipOf(piece));
        SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    PlaceToolTips();
    return true;
}

void FrameWindow::RelayToToolTips(UINT msg, WPARAM wParam, LPARAM lParam) {
    MSG mouse{hwnd_, msg, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
    const DWORD at = GetMessagePos();
    mouse.pt = POINT{wingui::MouseX(at), wingui::MouseY(at)};
    SendMessageA(tips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&mouse));
}

void FrameWindow::PlaceToolTips() {
    if (!tips_) return;
    for (controls::FramePiece piece : kCaptionButtons) {
        const controls::PieceBox& box = frame_.Box(piece);
        // Hidden: nowhere.
        const paint::Rect r = box.visible ? paint::ScaledRect(box.Pixels(), Scale()) : paint::Rect{};
        TOOLINFOA tool{};
        tool.cbSize = TTTOOLINFOA_V2_SIZE;
        tool.hwnd = hwnd_;
        tool.uId = static_cast<UINT_PTR>(piece);
        tool.rect = RECT{r.left, r.top, r.right, r.bottom};
        SendMessageA(tips_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

paint::Surface FrameWindow::DrawingSurface(int width, int height) {
    laidOut_ = true;
    return painting_ ? Surface(width, height) : paint::Surface{};
}

void FrameWindow::SurfaceDrawn() {
    // A drawing follows every layout, so the buttons' tips move with the buttons.
    PlaceToolTips();
    if (!painting_) MarkForPaint();
}

void FrameWindow::OnDestroying() {
    if (tips_) DestroyWindow(tips_);
    tips_ = nullptr;
}

void FrameWindow::PaintBeneath(paint::Surface& s) {
    if (!painting_) return;
    if (paintBeneath_)
        paintBeneath_(s, *ControlText());
    else
        s.Clear(GetSysColor(COLOR_BTNFACE));
}

void FrameWindow::RedrawBeneathChanged() { MarkForPaint(); }

bool FrameWindow::DrawForPaint() {
    // Before its first layout the frame has nothing to show.
    if (!laidOut_) return false;
    painting_ = true;
    frame_.Redraw();
    painting_ = false;
    return true;
}

bool FrameWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    // The pieces are where the 100% layout put them; the form's surface takes client pixels.
    const int clientX = wingui::MouseX(lParam), clientY = wingui::MouseY(lParam);
    const int x = Unscaled(clientX), y = Unscaled(clientY);
    if (tips_ && msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) RelayToToolTips(msg, wParam, lParam);
    switch (msg) {
    case WM_MOUSEMOVE:
        // The caption buttons' tool tip is made when the mouse first comes over one of them,
        // not before: it is a top-level window of its own, which under Wine means an X window
        // and its round trips, and a window that shows up under the pointer gets a move
        // while it still paints. The move that made it is handed to it, as every later one
        // is (above), so that it starts timing the rest at once.
        if (!tips_ && IsCaptionButton(frame_.PieceAt(x, y)) && CreateToolTips())
            RelayToToolTips(msg, wParam, lParam);
        frame_.MouseMove(ButtonsHeld(wParam), x, y);
        return true;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        const int button = msg == WM_LBUTTONDOWN ? 1 : msg == WM_RBUTTONDOWN ? 2 : 4;
        barePressed_ = frame_.PieceAt(x, y) == controls::FramePiece::None;
        if (barePressed_) {
            // The form's surface: its release comes back here too, unless the form starts a
            // drag (which takes the capture for itself).
            SetCapture(hwnd_);
            if (bareMouse_) bareMouse_(msg, clientX, clientY);
            return true;
        }
        // The close button follows the mouse until release; a title press starts a drag.
        SetCapture(hwnd_);
        frame_.MouseDown(button, x, y);
        return true;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        const int button = msg == WM_LBUTTONUP ? 1 : msg == WM_RBUTTONUP ? 2 : 4;
        if (GetCapture() == hwnd_) ReleaseCapture();
        if (barePressed_) {
            barePressed_ = false;
            if (bareMouse_ && frame_.PieceAt(x, y) == controls::FramePiece::None)
                bareMouse_(msg, clientX, clientY);
            return true;
        }
        frame_.MouseUp(button, x, y);
        return true;
    }
    default:
        return SurfaceWindow::HandleMessage(msg, wParam, lParam, result);
    }
}

}  // namespace app::win32
