// What each skinned control says to a screen reader: the push buttons, the maker label and the
// frame with its caption buttons. The object that carries it is in accessible.cpp.
#include "app/win32/accessible.h"
#include "app/win32/accessible_window.h"

#include <vector>

#include "controls/frame/skinned_frame.h"
#include "controls/paint/scale.h"

namespace app::win32 {
namespace {

// The states every control here shares: unavailable, invisible, focusable and focused.
long WindowState(HWND hwnd, bool focusable) {
    long state = 0;
    const bool reaches = ReachesInput(hwnd);
    if (!reaches) state |= STATE_SYSTEM_UNAVAILABLE;
    if (!IsWindowVisible(hwnd)) state |= STATE_SYSTEM_INVISIBLE;
    if (focusable && reaches) state |= STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == hwnd) state |= STATE_SYSTEM_FOCUSED;
    return state;
}

class ButtonAccess final : public AccessibleControl {
public:
    explicit ButtonAccess(HWND hwnd) : hwnd_(hwnd) {}
    bool Describe(int child, AccessibleElement& out) const override {
        if (child != 0) return false;
        out.role = ROLE_SYSTEM_PUSHBUTTON;
        out.name = SpokenText(hwnd_);
        out.screen = ScreenRect(hwnd_);
        const bool tabStop = (GetWindowLongPtrA(hwnd_, GWL_STYLE) & WS_TABSTOP) != 0;
        out.state = WindowState(hwnd_, tabStop);
        // The dialog manager's notion of the default button, which the window itself states.
        if (SendMessageA(hwnd_, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
            out.state |= STATE_SYSTEM_DEFAULT;
        // Held down, as a standard button tells it (BM_GETSTATE), which the skinned ones answer.
        if (SendMessageA(hwnd_, BM_GETSTATE, 0, 0) & BST_PUSHED) out.state |= STATE_SYSTEM_PRESSED;
        out.pressable = true;
        return true;
    }
    void Press(int) override { SendMessageA(hwnd_, BM_CLICK, 0, 0); }

private:
    HWND hwnd_;
};

class LinkAccess final : public AccessibleControl {
public:
    explicit LinkAccess(HWND hwnd) : hwnd_(hwnd) {}
    bool Describe(int child, AccessibleElement& out) const override {
        if (child != 0) return false;
        out.role = ROLE_SYSTEM_LINK;
        out.name = SpokenText(hwnd_);
        out.screen = ScreenRect(hwnd_);
        out.state = WindowState(hwnd_, false) | STATE_SYSTEM_LINKED;
        out.pressable = true;
        return true;
    }
    void Press(int) override {
        SendMessageA(GetParent(hwnd_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd_), STN_CLICKED),
                     reinterpret_cast<LPARAM>(hwnd_));
    }

private:
    HWND hwnd_;
};

class FrameAccess final : public AccessibleControl {
public:
    FrameAccess(HWND hwnd, controls::SkinnedFrame& frame, std::function<double()> scale)
        : hwnd_(hwnd), frame_(frame), scale_(std::move(scale)) {}

    int ChildCount() const override { return static_cast<int>(ShownButtons().size()); }
    bool Describe(int child, AccessibleElement& out) const override {
        if (child == 0) {
            out.role = ROLE_SYSTEM_CLIENT;
            out.name = SpokenText(hwnd_);
            out.screen = ScreenRect(hwnd_);
            out.state = WindowState(hwnd_, false);
            return true;
        }
        const controls::FramePiece piece = Piece(child);
        if (piece == controls::FramePiece::None) return false;
        out.role = ROLE_SYSTEM_PUSHBUTTON;
        const char* tip = controls::ToolTipOf(piece);
        out.name.assign(tip, tip + lstrlenA(tip));
        // The box in the window's pixels: its 100% place enlarged as the paint enlarges it.
        const paint::Rect r = paint::ScaledRect(frame_.Box(piece).Pixels(), scale_());
        POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
        MapWindowPoints(hwnd_, nullptr, corners, 2);
        out.screen = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
        out.state = WindowState(hwnd_, false);
        out.pressable = true;
        return true;
    }
    int ChildAt(POINT at) const override {
        const double scale = scale_();
        const controls::FramePiece hit =
            frame_.PieceAt(paint::UnscaledPixel(at.x, scale), paint::UnscaledPixel(at.y, scale));
        for (int child = 1; child <= ChildCount(); ++child)
            if (Piece(child) == hit) return child;
        return 0;
    }
    void Press(int child) override {
        const controls::FramePiece piece = Piece(child);
        if (piece != controls::FramePiece::None) frame_.PieceClick(piece);
    }

private:
    static constexpr controls::FramePiece kCaptionButtons[] = {
        controls::FramePiece::CloseButton, controls::FramePiece::MaximizeButton,
        controls::FramePiece::MinimizeButton};

    // The caption buttons that show, in the order the children are numbered.
    std::vector<controls::FramePiece> ShownButtons() const {
        std::vector<controls::FramePiece> shown;
        if (!frame_.HasCaptionButtons()) return shown;
        for (controls::FramePiece p : kCaptionButtons)
            if (frame_.Box(p).visible) shown.push_back(p);
        return shown;
    }
    // The caption button of child number `child` (1 up); None when there is no such child.
    controls::FramePiece Piece(int child) const {
        const std::vector<controls::FramePiece> shown = ShownButtons();
        if (child < 1 || child > static_cast<int>(shown.size())) return controls::FramePiece::None;
        return shown[static_cast<std::size_t>(child - 1)];
    }

    HWND hwnd_;
    controls::SkinnedFrame& frame_;
    std::function<double()> scale_;
};

}  // namespace

void MakeButtonAccessible(HWND button) {
    MakeAccessible(button, std::make_unique<ButtonAccess>(button));
}

void MakeLinkAccessible(HWND label) { MakeAccessible(label, std::make_unique<LinkAccess>(label)); }

void MakeFrameAccessible(HWND frame, controls::SkinnedFrame& model, std::function<double()> scale) {
    MakeAccessible(frame, std::make_unique<FrameAccess>(frame, model, std::move(scale)));
}

}  // namespace app::win32
