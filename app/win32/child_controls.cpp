#include "app/win32/child_controls.h"

#include "app/win32/subclass.h"

#include "app/control_ids.h"
#include "launch/about_design.h"

namespace app::win32 {

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

// Paints the box's fill before the standard paint draws its frame and caption on it.
bool OpaqueGroupBoxHook(void*, HWND hwnd, UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (msg != WM_ERASEBKGND && msg != WM_PAINT) return false;
    HDC dc = msg == WM_ERASEBKGND ? reinterpret_cast<HDC>(wParam) : GetDC(hwnd);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(hwnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(hwnd)));
    if (brush) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        FillRect(dc, &rc, brush);
    }
    if (msg == WM_PAINT) ReleaseDC(hwnd, dc);
    result = 1;
    return msg == WM_ERASEBKGND && brush;
}

}  // namespace

void MakeGroupBoxOpaque(HWND box) { Subclass<OpaqueGroupBoxHook>::Attach(box, nullptr); }

}  // namespace app::win32
