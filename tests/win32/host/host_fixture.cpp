#include "host_fixture.h"

#include <cstdint>
#include <cstdlib>

#include "app/control_ids.h"

namespace host_test {

using platform::memory::Mode;

std::string NoWindowSystemReason() {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) return "no DISPLAY: Wine's X driver has no screen to create windows on";
    return {};
}

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// A shot of the window's client size, its pixels still to be taken.
Shot SizedShot(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    Shot shot;
    shot.width = rc.right;
    shot.height = rc.bottom;
    return shot;
}

Shot Capture(HWND hwnd) {
    Shot shot = SizedShot(hwnd);
    if (shot.width <= 0 || shot.height <= 0) return shot;
    const RECT rc{0, 0, shot.width, shot.height};
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = rc.right;
    info.bmiHeader.biHeight = -rc.bottom;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        DeleteDC(dc);
        return shot;
    }
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH undrawn = CreateSolidBrush(kUndrawn);
    FillRect(dc, &rc, undrawn);
    DeleteObject(undrawn);
    SendMessageA(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    bool drawn = false;
    std::vector<COLORREF> pixels;
    const auto* p = static_cast<const std::uint8_t*>(bits);
    for (int i = 0; i < rc.right * rc.bottom; ++i, p += 4) {
        pixels.push_back(RGB(p[2], p[1], p[0]));
        drawn = drawn || pixels.back() != kUndrawn;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    if (drawn) shot.pixels = std::move(pixels);
    return shot;
}

MainWindowHost::MainWindowHost()
    : MemoryPlatform({Mode(640, 480, 8, 60), Mode(800, 600, 8, 60), Mode(1024, 768, 32, 60),
                      Mode(1280, 1024, 32, 60)}) {
    display.SetCurrent(Mode(1024, 768, 32, 60));
}

void MainWindowHost::SetUp() {
    const std::string reason = NoWindowSystemReason();
    if (!reason.empty()) {
        // Under CI the bench is always up: a host test that cannot run there is a failure.
        const char* ci = std::getenv("CI");
        if (ci && std::string(ci) == "true") GTEST_FAIL() << "the host tests cannot run here: DISPLAY is not set";
        GTEST_SKIP() << reason;
    }
    // The window comes up centred on the screen: with the pointer left over it by whatever
    // ran before, a control would start hovered.
    SetCursorPos(0, 0);
}

void MainWindowHost::TearDown() {
    if (window && window->Handle()) DestroyWindow(window->Handle());
    Pump();
    window.reset();
    form.reset();
}

void MainWindowHost::Start(icons::IconLayouts* layouts, int dpi) {
    form = std::make_unique<app::FrmMain>(platform, layouts ? *layouts : icons);
    window = std::make_unique<app::win32::MainWindow>(*form, dpi);
    ASSERT_TRUE(window->Create(GetModuleHandleA(nullptr)));
    ASSERT_EQ(form->Form_Load(), app::FrmMain::LoadResult::Loaded);
    window->ShowIfVisible();
    window->ScheduleStartUpSave();
    Pump();
    // The timer's message comes only once the queue is idle; most tests go on from a saved start.
    if (saveStartUpAtOnce) form->SaveStartUpLayout();
}

void MainWindowHost::SwitchToThe256ColourLook() {
    // As a user does it: the 800 x 600, 8-bit mode picked in the movie list, then a click on
    // the movie button.
    HWND list = GetDlgItem(window->Handle(), app::ids::kCmbMovie);
    SendMessageA(list, CB_SETCURSEL, 1, 0);
    SendMessageA(window->Handle(), WM_COMMAND, MAKEWPARAM(app::ids::kCmbMovie, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    HWND movie = GetDlgItem(window->Handle(), app::ids::kBtnMovie);
    const LPARAM at = MAKELPARAM(30, 30);
    SendMessageA(movie, WM_MOUSEMOVE, 0, at);
    SendMessageA(movie, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(movie, WM_LBUTTONUP, 0, at);
    Pump();
    ASSERT_EQ(display.Current().bitsPerPel, 8u) << "the movie button did not switch";
}

std::string MainWindowHost::WindowText(HWND hwnd) const {
    char buffer[256] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

}  // namespace host_test
