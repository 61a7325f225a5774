#include "host_fixture.h"

#include <cstdlib>

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

MainWindowHost::MainWindowHost()
    : display({Mode(640, 480, 8, 60), Mode(800, 600, 8, 60), Mode(1024, 768, 32, 60),
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

void MainWindowHost::Start(icons::IconLayouts* layouts) {
    form = std::make_unique<app::FrmMain>(platform, layouts ? *layouts : icons);
    window = std::make_unique<app::win32::MainWindow>(*form);
    ASSERT_TRUE(window->Create(GetModuleHandleA(nullptr)));
    ASSERT_EQ(form->Form_Load(), app::FrmMain::LoadResult::Loaded);
    window->ShowIfVisible();
    Pump();
}

std::string MainWindowHost::WindowText(HWND hwnd) const {
    char buffer[256] = {};
    GetWindowTextA(hwnd, buffer, sizeof buffer);
    return buffer;
}

}  // namespace host_test
