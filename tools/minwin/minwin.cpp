// minwin: the smallest Win32 window program worth comparing Dravik's start-up with. One window
// class, one top-level window, a paint handler that fills the client area and writes one line,
// and the message loop. Built with the same compiler, flags and static runtime as Dravik.exe,
// so that scripts/bench-startup.sh sees what any such program costs in the same Wine prefix.
//
// Built a second time as minwin_floor (MINWIN_FLOOR): the same program with what Dravik's main
// window must have and cannot draw itself: Dravik's manifest (common controls 6, so the
// standard controls come themed from comctl32 6), its standard controls at their places (two
// drop-down lists, three group boxes, two check boxes, in the form's MS Sans Serif 8), and the
// two lists filled with every mode the display offers. Dravik cannot start faster or smaller
// than this; the benchmark shows how far above it Dravik's own work (its skinned frame and
// buttons, its settings and icon layout) puts it.
#include <windows.h>
#ifdef MINWIN_FLOOR
#include <commctrl.h>

#include <cstdio>
#endif

namespace {

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        RECT rc;
        GetClientRect(hwnd, &rc);
        HBRUSH brush = CreateSolidBrush(RGB(0x3A, 0x6E, 0xA5));
        FillRect(dc, &rc, brush);
        DeleteObject(brush);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        DrawTextA(dc, "minwin", -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

#ifdef MINWIN_FLOOR
// A child control at a place given in twips, as Dravik's design gives it (15 twips a pixel).
HWND Control(HWND parent, const char* cls, const char* text, DWORD style, int left, int top,
             int width, int height, HFONT font) {
    HWND c = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
                             left / 15, top / 15, width / 15, height / 15, parent, nullptr,
                             reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)),
                             nullptr);
    if (c) SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return c;
}

void AddStandardControls(HWND hwnd) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    HFONT font = CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, "MS Sans Serif");
    Control(hwnd, "BUTTON", "Launch Dravik at system start", BS_AUTOCHECKBOX, 4080, 3960, 2775, 375, font);
    Control(hwnd, "BUTTON", "Start in systray", BS_AUTOCHECKBOX, 4080, 3600, 1335, 375, font);
    Control(hwnd, "BUTTON", "Startup settings:", BS_GROUPBOX, 3840, 3360, 3255, 1095, font);
    HWND movie = Control(hwnd, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, 4080, 960, 2895, 3915, font);
    Control(hwnd, "BUTTON", "Assign these values to the movie button:", BS_GROUPBOX, 3840, 720, 3255, 735, font);
    HWND res = Control(hwnd, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, 4080, 1800, 2895, 3915, font);
    Control(hwnd, "BUTTON", "Assign these values to the monitor button:", BS_GROUPBOX, 3840, 1560, 3255, 735, font);
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
        char label[96];
        std::snprintf(label, sizeof label, " %lu x %lu @ %luHz %lu bit colors", mode.dmPelsWidth,
                      mode.dmPelsHeight, mode.dmDisplayFrequency, mode.dmBitsPerPel);
        SendMessageA(res, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
        SendMessageA(movie, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label));
    }
    SendMessageA(res, CB_SETCURSEL, 0, 0);
    SendMessageA(movie, CB_SETCURSEL, 0, 0);
}
#endif

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "MinWin";
    if (!RegisterClassExA(&wc)) return 1;
    // A borderless window of Dravik's size (489 x 321) in the middle of the screen, as Dravik's.
    const int w = 489, h = 321;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    HWND hwnd = CreateWindowExA(0, "MinWin", "minwin", WS_POPUP | WS_SYSMENU, x, y, w, h, nullptr,
                                nullptr, instance, nullptr);
    if (!hwnd) return 1;
#ifdef MINWIN_FLOOR
    AddStandardControls(hwnd);
#endif
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
