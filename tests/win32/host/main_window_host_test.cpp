// The main window's host fed message sequences: what a control's window does reaches the
// form, and what the form changes reaches the windows.
#include "host_fixture.h"

#include <commctrl.h>

#include <cstring>

#include "app/command_line.h"
#include "app/control_ids.h"
#include "app/layout.h"
#include "app/win32/surface_window.h"

namespace {

namespace ids = app::ids;
using host_test::MainWindowHost;

TEST_F(MainWindowHost, EveryControlIsAChildAtItsDesignPlace) {
    Start();
    SwitchToThe256ColourLook();  // the look not in use at start-up is made when first shown
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    for (const app::TwipsRect& design : app::DesignLayout()) {
        HWND child = Child(design.id);
        ASSERT_NE(child, nullptr) << "control " << design.id;
        RECT rc;
        GetWindowRect(child, &rc);
        MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&rc), 2);
        const app::PixelRect at = app::ToPixels(design, dpi);
        EXPECT_EQ(rc.left, at.left) << "control " << design.id;
        EXPECT_EQ(rc.top, at.top) << "control " << design.id;
        EXPECT_EQ(rc.right - rc.left, at.width) << "control " << design.id;
    }
}

// The controls of the look not in use are made when a switch first shows them, in their place
// in the z-order, which is also the order the Tab key follows: the small buttons right after
// the large ones, the plain frame among the frames beneath every other control.
TEST_F(MainWindowHost, TheOtherLookIsMadeInItsPlaceWhenASwitchShowsIt) {
    Start();
    for (int id : {ids::kCmdTray, ids::kCmdSettings, ids::kCmdMon, ids::kCmdMovie, ids::kMorvXPF1})
        EXPECT_EQ(Child(id), nullptr) << "control " << id << " made before it is shown";
    SwitchToThe256ColourLook();
    std::vector<int> order;
    for (HWND c = GetWindow(window->Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        order.push_back(GetDlgCtrlID(c));
    EXPECT_EQ(order, (std::vector<int>{ids::kBtnTray, ids::kBtnSettings, ids::kBtnMon,
                                       ids::kBtnMovie, ids::kCmdTray, ids::kCmdSettings,
                                       ids::kCmdMon, ids::kCmdMovie, ids::kChkTraySysStart,
                                       ids::kChkTraystart, ids::kCmbMovie, ids::kCmbRes,
                                       ids::kCmdIconRest, ids::kCmdIconSave, ids::kFrame3,
                                       ids::kFrame2, ids::kFrame1, ids::kMorvXPF1, ids::kXPF1,
                                       ids::kLblMorv}));
    // Made with the form's state of the moment: shown, captions and tab stops as the form has them.
    for (int id : {ids::kCmdTray, ids::kCmdSettings, ids::kCmdMon, ids::kCmdMovie, ids::kMorvXPF1})
        EXPECT_TRUE(IsWindowVisible(Child(id))) << id;
    EXPECT_EQ(WindowText(Child(ids::kCmdMovie)), "800 x 600 @ 60Hz 256 colors");
    EXPECT_EQ(WindowText(Child(ids::kCmdMon)), form->BtnMon.Caption());
    EXPECT_NE(GetWindowLongPtrA(Child(ids::kCmdSettings), GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(GetWindowLongPtrA(Child(ids::kBtnSettings), GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(GetNextDlgTabItem(window->Handle(), Child(ids::kCmdMovie), FALSE),
              Child(ids::kChkTraySysStart));
}

// The lists are filled while the window is hidden, without redrawing after each entry; once the
// window shows they redraw again, and their scroll range covers every entry.
TEST_F(MainWindowHost, ListsFilledWhileHiddenRedrawOnceTheWindowShows) {
    Start();
    for (int id : {ids::kCmbRes, ids::kCmbMovie}) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof(info);
        ASSERT_TRUE(GetComboBoxInfo(Child(id), &info)) << id;
        SCROLLINFO range{};
        range.cbSize = sizeof(range);
        range.fMask = SIF_RANGE;
        ASSERT_TRUE(GetScrollInfo(info.hwndList, SB_VERT, &range)) << id;
        EXPECT_EQ(range.nMax, 3) << "list " << id << " still does not redraw";
    }
}

TEST_F(MainWindowHost, ListSelectionReachesTheFormAndItsButtons) {
    Start();
    SwitchToThe256ColourLook();  // both buttons of the movie preset made
    HWND list = Child(ids::kCmbMovie);
    ASSERT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 4);
    SendMessageA(list, CB_SETCURSEL, 3, 0);
    SendMessageA(window->Handle(), WM_COMMAND, MAKEWPARAM(ids::kCmbMovie, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_EQ(form->CmbMovie.ListIndex(), 3);
    EXPECT_EQ(form->BtnMovie.Caption(), "1280 x 1024 @ 60Hz 32bit colors");
    EXPECT_EQ(WindowText(Child(ids::kBtnMovie)), "1280 x 1024 @ 60Hz 32bit colors");
    EXPECT_EQ(WindowText(Child(ids::kCmdMovie)), "1280 x 1024 @ 60Hz 32bit colors");
}

TEST_F(MainWindowHost, CheckBoxClickReachesTheModelAndCloseStoresIt) {
    Start();
    HWND box = Child(ids::kChkTraystart);
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(window->Handle(), WM_COMMAND, MAKEWPARAM(ids::kChkTraystart, BN_CLICKED),
                 reinterpret_cast<LPARAM>(box));
    EXPECT_EQ(form->ChkTraystart.Value(), 1);

    SendMessageA(window->Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(box));
    const auto stored = registry.Get("SOFTWARE\\Morv Dravik\\Options", "Start in SysTray");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->bytes, "1");
    // The close posted WM_QUIT for the program's loop; take it out of this test's queue.
    MSG msg;
    PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

// A command-line client's WM_COPYDATA, as another process sends it to the main window.
LRESULT SendCommand(HWND window, std::uintptr_t tag, const std::string& payload) {
    COPYDATASTRUCT data{};
    data.dwData = tag;
    data.cbData = static_cast<DWORD>(payload.size());
    data.lpData = const_cast<char*>(payload.data());
    return SendMessageA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
}

TEST_F(MainWindowHost, CommandsHandedOverByCopyDataSwitchAndAnswerWithTheirExitCode) {
    Start();
    const HWND main = window->Handle();
    // Another program's WM_COPYDATA is no command: the default answer, nothing switches.
    EXPECT_EQ(SendCommand(main, 0x1234, "movie"), 0);
    EXPECT_EQ(SendCommand(main, app::kCommandTag, "format c:"), app::kReplyBase + app::kExitBadArguments);
    EXPECT_TRUE(display.Switches().empty());

    EXPECT_EQ(SendCommand(main, app::kCommandTag, "movie"), app::kReplyBase + app::kExitDone);
    ASSERT_EQ(display.Switches().size(), 1u);
    EXPECT_EQ(SendCommand(main, app::kCommandTag, "mode\n123 x 45 @ 60Hz 32bit colors"),
              app::kReplyBase + app::kExitNotSwitched);
    EXPECT_EQ(display.Switches().size(), 1u);
    EXPECT_TRUE(IsWindow(main));

    // A payload longer than any command is refused without being read: its bytes lie beyond
    // the one readable page.
    SYSTEM_INFO si;
    GetSystemInfo(&si);
    char* pages = static_cast<char*>(VirtualAlloc(nullptr, 2 * si.dwPageSize, MEM_RESERVE, PAGE_NOACCESS));
    ASSERT_TRUE(pages && VirtualAlloc(pages, si.dwPageSize, MEM_COMMIT, PAGE_READWRITE));
    std::memcpy(pages, "list", 4);
    COPYDATASTRUCT huge{app::kCommandTag, 16 * si.dwPageSize, pages};
    EXPECT_EQ(SendMessageA(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&huge)),
              app::kReplyBase + app::kExitBadArguments);
    VirtualFree(pages, 0, MEM_RELEASE);

    EXPECT_EQ(SendCommand(main, app::kCommandTag, "exit"), app::kReplyBase + app::kExitDone);
    host_test::Pump();
    EXPECT_FALSE(IsWindow(main));
}

// The text of /list goes back to the client's window. A window that does not take it (Windows
// drops messages into a process with more rights than the sender) makes the answer say so,
// not "done" with nothing printed.
LRESULT CALLBACK RefusingReplyProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    return msg == WM_COPYDATA ? FALSE : DefWindowProcA(hwnd, msg, w, l);
}

TEST_F(MainWindowHost, AListWhoseTextTheClientCannotTakeIsAnsweredAsLost) {
    Start();
    WNDCLASSA wc{};
    wc.lpfnWndProc = RefusingReplyProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "RefusingReply";
    RegisterClassA(&wc);
    const HWND client = CreateWindowA("RefusingReply", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      wc.hInstance, nullptr);
    ASSERT_TRUE(client);
    const std::string payload = "list";
    COPYDATASTRUCT data{app::kCommandTag, static_cast<DWORD>(payload.size()),
                        const_cast<char*>(payload.data())};
    EXPECT_EQ(SendMessageA(window->Handle(), WM_COPYDATA, reinterpret_cast<WPARAM>(client),
                           reinterpret_cast<LPARAM>(&data)),
              app::kReplyOutputLost);
    DestroyWindow(client);
}

// A skinned window whose look changes while it draws, as a model that changes during a paint:
// the change is owed a paint of its own, not validated away with the one under way.
class ChangingWhileDrawn final : public app::win32::SurfaceWindow {
public:
    ChangingWhileDrawn() : SurfaceWindow(96) {}
    bool Make(HWND parent) {
        return CreateChild("DravikTestChangingWhileDrawn", parent, 4711, "", WS_CHILD | WS_VISIBLE, 0, 0,
                           40, 20);
    }
    int draws = 0;

private:
    void LayOutAt(int, int) override {}
    bool DrawForPaint() override {
        Surface(40, 20);
        if (++draws == 1) InvalidateRect(hwnd_, nullptr, FALSE);
        return true;
    }
};

TEST_F(MainWindowHost, ALookThatChangesDuringItsPaintIsPaintedAgain) {
    Start();
    ChangingWhileDrawn changing;
    ASSERT_TRUE(changing.Make(window->Handle()));
    UpdateWindow(changing.Handle());
    RECT owed;
    EXPECT_TRUE(GetUpdateRect(changing.Handle(), &owed, FALSE));
    UpdateWindow(changing.Handle());
    EXPECT_EQ(changing.draws, 2);
    DestroyWindow(changing.Handle());
}

}  // namespace
