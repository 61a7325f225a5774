// Win32Ui on real windows of Wine's X driver.
#include <windows.h>

#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/win32/win32_ui.h"
#include "test_support.h"

namespace {

using platform::WindowHandle;
using platform::win32::Win32Ui;

struct CaptionPress {
    WPARAM hitTest;
    LPARAM point;
    HWND captureAtPress;
};
std::vector<CaptionPress> g_captionPresses;

// Records title-bar presses instead of handing them to DefWindowProc, whose move loop would
// hold the test until a mouse button is released.
LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCLBUTTONDOWN) {
        g_captionPresses.push_back({wp, lp, GetCapture()});
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

class Win32UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string reason = win32_test::NoWindowSystemReason();
        if (!reason.empty()) GTEST_SKIP() << reason;
        WNDCLASSA wc{};
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClass;
        RegisterClassA(&wc);  // fails harmlessly when an earlier test registered it
        hwnd_ = CreateWindowExA(0, kClass, "Dravik Ui test", WS_POPUP | WS_VISIBLE, 40, 50, 200,
                                120, nullptr, nullptr, wc.hInstance, nullptr);
        ASSERT_NE(hwnd_, nullptr);
        g_captionPresses.clear();
    }
    void TearDown() override {
        if (hwnd_) DestroyWindow(hwnd_);
    }

    WindowHandle Handle() const { return reinterpret_cast<WindowHandle>(hwnd_); }
    bool IsTopMost() const { return GetWindowLongA(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST; }

    static constexpr char kClass[] = "DravikUiTestWindow";
    HWND hwnd_ = nullptr;
    Win32Ui ui_;
};

TEST_F(Win32UiTest, SetTopMostSetsAndClearsTopMostOnly) {
    RECT before{};
    GetWindowRect(hwnd_, &before);
    ASSERT_FALSE(IsTopMost());
    ui_.SetTopMost(Handle(), true);
    EXPECT_TRUE(IsTopMost());
    ui_.SetTopMost(Handle(), false);
    EXPECT_FALSE(IsTopMost());
    RECT after{};
    GetWindowRect(hwnd_, &after);
    EXPECT_TRUE(EqualRect(&before, &after)) << "the window moved or changed size";
}

TEST_F(Win32UiTest, DragByCaptionReleasesCaptureAndPressesTheCaption) {
    SetCapture(hwnd_);
    ASSERT_EQ(GetCapture(), hwnd_);
    ui_.DragByCaption(Handle());
    ASSERT_EQ(g_captionPresses.size(), 1u);
    EXPECT_EQ(g_captionPresses[0].hitTest, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(g_captionPresses[0].point, 0);
    EXPECT_EQ(g_captionPresses[0].captureAtPress, nullptr);
}

// What a second thread found on the message box before it pressed OK.
struct BoxSeen {
    bool found = false;
    HWND owner = nullptr;
    int buttons = 0;
    int okButtons = 0;
    bool textShown = false;
};

BOOL CALLBACK ExamineChild(HWND child, LPARAM param) {
    auto* seen = reinterpret_cast<std::pair<BoxSeen*, const char*>*>(param);
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof(cls));
    if (lstrcmpiA(cls, "Button") == 0) {
        ++seen->first->buttons;
        if (GetDlgCtrlID(child) == IDOK) ++seen->first->okButtons;
    }
    char text[256] = {};
    GetWindowTextA(child, text, sizeof(text));
    if (lstrcmpA(text, seen->second) == 0) seen->first->textShown = true;
    return TRUE;
}

BoxSeen ShowBoxAndPressOk(Win32Ui& ui, const std::string& text, const std::string& title) {
    BoxSeen seen;
    std::thread presser([&] {
        for (int i = 0; i < 3000 && !seen.found; ++i) {
            const HWND box = FindWindowA("#32770", title.c_str());
            if (!box || !IsWindowVisible(box)) {
                Sleep(20);
                continue;
            }
            seen.found = true;
            seen.owner = GetWindow(box, GW_OWNER);
            std::pair<BoxSeen*, const char*> param{&seen, text.c_str()};
            EnumChildWindows(box, ExamineChild, reinterpret_cast<LPARAM>(&param));
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
    });
    ui.ShowMessage(text, title);
    presser.join();
    return seen;
}

TEST_F(Win32UiTest, MessageBoxShowsTextTitleAndOnlyOkForItsOwner) {
    const std::string title = "Dravik test " + std::to_string(GetCurrentProcessId());
    ui_.SetOwner(Handle());
    const BoxSeen seen = ShowBoxAndPressOk(ui_, "Sorry, nothing to test", title);
    ASSERT_TRUE(seen.found) << "no message box titled " << title;
    EXPECT_EQ(seen.owner, hwnd_);
    EXPECT_EQ(seen.buttons, 1);
    EXPECT_EQ(seen.okButtons, 1);
    EXPECT_TRUE(seen.textShown);
}

TEST_F(Win32UiTest, MessageBoxWithoutOwnerHasNone) {
    const std::string title = "Dravik test ownerless " + std::to_string(GetCurrentProcessId());
    const BoxSeen seen = ShowBoxAndPressOk(ui_, "No owner", title);
    ASSERT_TRUE(seen.found) << "no message box titled " << title;
    EXPECT_EQ(seen.owner, nullptr);
}

}  // namespace
