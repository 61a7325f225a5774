#include "app/win32/child_controls.h"

#include "app/control_ids.h"
#include "launch/about_design.h"
#include "platform/win32/scoped.h"
#include "wingui/subclass.h"

namespace app::win32 {

using wingui::Subclass;

std::string ControlName(int id) {
    namespace about = launch::about;
    switch (id) {
    case ids::kBtnTray: return "BtnTray";
    case ids::kBtnSettings: return "BtnSettings";
    case ids::kBtnMon: return "BtnMon";
    case ids::kBtnMovie: return "BtnMovie";
    case ids::kCmdIconRest: return "CmdIconRest";
    case ids::kCmdIconSave: return "CmdIconSave";
    case ids::kCmdTray: return "CmdTray";
    case ids::kCmdSettings: return "CmdSettings";
    case ids::kCmdMon: return "CmdMon";
    case ids::kCmdMovie: return "CmdMovie";
    case about::kCmdOk: return "CmdOk";
    case about::kCmdDonate: return "CmdDonate";
    case about::kCmdUrl: return "CmdUrl";
    default: return "Control";
    }
}

namespace {

// Fills the box with the brush its parent gives for it; that brush.
HBRUSH FillWithParentBrush(HWND hwnd, HDC dc) {
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(hwnd)));
    if (brush) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(dc, &rc, brush);
    }
    return brush;
}

// Paints the box's fill before the standard paint draws its frame and caption on it.
bool OpaqueGroupBoxHook(void*, HWND hwnd, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_ERASEBKGND && msg != WM_PAINT) return false;
    // WM_PAINT brings no DC: the window's own, given back once the fill is done.
    const HBRUSH brush = msg == WM_ERASEBKGND
                             ? FillWithParentBrush(hwnd, reinterpret_cast<HDC>(wParam))
                             : FillWithParentBrush(hwnd, platform::win32::WindowDc(hwnd).Get());
    result = 1;
    return msg == WM_ERASEBKGND && brush;
}

}  // namespace

void MakeGroupBoxOpaque(HWND box) { Subclass<OpaqueGroupBoxHook>::Attach(box, nullptr); }

void SetTextIfChanged(HWND hwnd, const std::string& text) {
    if (!hwnd) return;
    // WM_GETTEXT on a window of this thread stays in the process.
    const int length = GetWindowTextLengthA(hwnd);
    if (length == static_cast<int>(text.size())) {
        std::string shown(static_cast<std::size_t>(length) + 1, '\0');
        shown.resize(static_cast<std::size_t>(GetWindowTextA(hwnd, shown.data(), length + 1)));
        if (shown == text) return;
    }
    SetWindowTextA(hwnd, text.c_str());
}

void SetVisibleIfChanged(HWND hwnd, bool visible) {
    if (!hwnd) return;
    // The window's own flag: IsWindowVisible is false for any child of a hidden window.
    const bool shown = (GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != visible) ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void SetTabStopIfChanged(HWND hwnd, bool tabStop) {
    if (!hwnd) return;
    const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
    const LONG_PTR wanted = tabStop ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    if (wanted != style) SetWindowLongPtrA(hwnd, GWL_STYLE, wanted);
}

void RedrawIfShown(HWND hwnd) {
    if (hwnd && IsWindowVisible(hwnd)) InvalidateRect(hwnd, nullptr, TRUE);
}

bool MirrorCommonChange(HWND child, const controls::ControlModel& model, controls::Change change) {
    using controls::Change;
    switch (change) {
    case Change::Caption: SetTextIfChanged(child, model.Caption()); return true;
    case Change::Enabled: EnableWindow(child, model.Enabled()); return true;
    case Change::Visible: SetVisibleIfChanged(child, model.Visible()); return true;
    case Change::TabStop: SetTabStopIfChanged(child, model.TabStop()); return true;
    case Change::Colors:
    case Change::Redraw: RedrawIfShown(child); return true;
    default: return false;
    }
}

}  // namespace app::win32
