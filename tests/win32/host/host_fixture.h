#pragma once
// The Win32 host under test: the real main window of the program, created in this process
// over the in-memory platform, so that a test feeds it messages (as Wine's comctl32 tests do)
// and reads both the real child windows and the form's models.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/form_main.h"
#include "app/win32/main_window.h"
#include "platform/memory/memory_platform.h"
#include "tests/recording_icons.h"

namespace host_test {

// Non-empty when no window system is there (no DISPLAY for Wine's X driver).
std::string NoWindowSystemReason();

// Runs every message waiting in this thread's queue, without blocking.
void Pump();

// The pixels a window shows, as WM_PRINTCLIENT hands them out (what WM_PAINT puts on the screen).
struct Shot {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;  // empty: the window has drawn nothing yet
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    bool operator==(const Shot&) const = default;
};

// A colour no control of the window draws: what is left of it was not drawn.
inline constexpr COLORREF kUndrawn = RGB(1, 254, 3);

// A shot of the window's client size, its pixels still to be taken.
Shot SizedShot(HWND hwnd);
Shot Capture(HWND hwnd);

using testing_support::RecordingIcons;

class MainWindowHost : public ::testing::Test, protected platform::memory::MemoryPlatform {
protected:
    MainWindowHost();
    void SetUp() override;
    void TearDown() override;

    // Creates the window and runs the start-up sequence; the window is shown as the program
    // shows it. The icon layouts are the recording ones unless others are given; the window is
    // made at the screen's scale unless a dpi is given.
    void Start(icons::IconLayouts* layouts = nullptr, int dpi = 0);
    // After Start: a click on the movie button with the 800 x 600, 256-colour mode chosen
    // switches to the 256-colour look, whose controls the window makes when first shown. Both
    // looks' windows exist from then on (the full-colour ones hidden).
    void SwitchToThe256ColourLook();
    HWND Child(int id) const { return GetDlgItem(window->Handle(), id); }
    std::string WindowText(HWND hwnd) const;

    // Start runs the start-up layout save at once, instead of leaving it to the window's timer.
    bool saveStartUpAtOnce = true;
    RecordingIcons icons{platform, desktop};
    std::unique_ptr<app::FrmMain> form;
    std::unique_ptr<app::win32::MainWindow> window;
};

}  // namespace host_test
