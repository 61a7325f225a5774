// The tray component's hidden window, the popup menu, the session end and the about window,
// as real windows over the in-memory platform, fed the messages the shell and the user send.
#include "host_fixture.h"

#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/win32/tray_window.h"
#include "launch/about_design.h"

namespace {

namespace ids = app::ids;
namespace about = launch::about;
using host_test::MainWindowHost;
using platform::memory::MemoryShell;

constexpr const char* kOptions = "SOFTWARE\\Morv Dravik\\Options";

class TrayHost : public MainWindowHost {
protected:
    void StartInTray() {
        registry.Put(kOptions, "Start in SysTray", "1");
        Start();
    }
    HWND TrayWindow() const {
        return FindWindowA(app::win32::SysTrayWindow::kClassName, "Sys Tray Interface");
    }
    HWND AboutWindow() const { return FindWindowA(about::kWindowClass, nullptr); }
    // The shell's callback for the icon: WM_MOUSEMOVE with the mouse message in lParam.
    void Notify(UINT mouseMessage) {
        HWND tray = TrayWindow();
        ASSERT_NE(tray, nullptr);
        SendMessageA(tray, WM_MOUSEMOVE, 0, mouseMessage);
        host_test::Pump();
    }
    void TakeQuit() {
        MSG msg;
        PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    // A left click on a skinned button's window, as the mouse gives it.
    void ClickChild(HWND parent, int id) {
        HWND button = GetDlgItem(parent, id);
        ASSERT_NE(button, nullptr) << "control " << id;
        SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        host_test::Pump();
    }
};

TEST_F(TrayHost, HiddenWindowCarriesTheIconOfTheRecord) {
    StartInTray();
    HWND tray = TrayWindow();
    ASSERT_NE(tray, nullptr);
    EXPECT_FALSE(IsWindowVisible(tray));
    EXPECT_FALSE(IsWindowVisible(window->Handle()));
    ASSERT_FALSE(shell.notifications.empty());
    const platform::NotifyIconData& added = shell.notifications[0].data;
    EXPECT_EQ(shell.notifications[0].message, platform::kNimAdd);
    EXPECT_EQ(added.hWnd, reinterpret_cast<platform::WindowHandle>(tray));
    EXPECT_EQ(added.cbSize, NOTIFYICONDATAA_V1_SIZE);
    ASSERT_NE(added.hIcon, 0u) << "the program's 16 x 16 icon";
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(reinterpret_cast<HICON>(added.hIcon), &info));
    BITMAP colour{};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, 16);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    EXPECT_EQ(added.uID, static_cast<std::uint32_t>(added.hIcon));
    EXPECT_EQ(MemoryShell::Tip(shell.Icons().begin()->second),
              "1024 x 768 @ 60Hz 32bit colors - Doubleclick to change resoluti");
}

TEST_F(TrayHost, DoubleClickRebuildsTheIconFromInsideItsOwnWindow) {
    StartInTray();
    HWND first = TrayWindow();
    Notify(WM_LBUTTONDBLCLK);
    // The component that raised the event went with it; a new one took its place.
    EXPECT_FALSE(IsWindow(first));
    HWND second = TrayWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsWindowVisible(window->Handle()));
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(shell.Icons().size(), 1u);
    EXPECT_EQ(shell.Icons().begin()->first.first, reinterpret_cast<platform::WindowHandle>(second));
}

TEST_F(TrayHost, TaskbarCreatedAddsTheIconAgainWithItsTip) {
    StartInTray();
    const std::string tip = MemoryShell::Tip(shell.Icons().begin()->second);
    const std::size_t before = shell.notifications.size();
    SendMessageA(TrayWindow(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_EQ(shell.notifications.size(), before + 1);
    EXPECT_EQ(shell.notifications.back().message, platform::kNimAdd);
    EXPECT_EQ(shell.notifications.back().data.uFlags, 7u);
    EXPECT_EQ(MemoryShell::Tip(shell.notifications.back().data), tip);
}

// While the popup menu is open (it runs its own message loop), a thread timer reads it and
// answers with keys.
struct MenuVisit {
    std::vector<std::string> texts;
    int separators = 0;
    UINT defaultId = static_cast<UINT>(-1);
    std::vector<WPARAM> keys;  // sent to the menu; none: the menu is closed unpicked
    bool seen = false;
};
MenuVisit* g_visit = nullptr;

void CALLBACK ReadMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup) || !g_visit || g_visit->seen) return;
    KillTimer(nullptr, timer);
    g_visit->seen = true;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageA(popup, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        if (item.fType & MFT_SEPARATOR) {
            ++g_visit->separators;
            g_visit->texts.push_back("-");
            continue;
        }
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        g_visit->texts.push_back(text);
    }
    g_visit->defaultId = GetMenuDefaultItem(menu, TRUE, 0);
    if (g_visit->keys.empty()) {
        EndMenu();
        return;
    }
    for (WPARAM key : g_visit->keys) {
        PostMessageA(popup, WM_KEYDOWN, key, 0);
        PostMessageA(popup, WM_KEYUP, key, 0xC0000000);
    }
}

TEST_F(TrayHost, RightButtonPopsUpTheMenuWithOpenDravikAsDefault) {
    StartInTray();
    MenuVisit visit;
    g_visit = &visit;
    SetTimer(nullptr, 0, 50, ReadMenu);
    Notify(WM_RBUTTONDOWN);
    g_visit = nullptr;
    ASSERT_TRUE(visit.seen) << "no popup menu opened";
    EXPECT_EQ(visit.texts,
              (std::vector<std::string>{"Open Dravik", "-", "1024 x 768 @ 60Hz 32bit colors",
                                        "800 x 600 @ 60Hz 256 colors", "Monitor settings", "-",
                                        "Save Desktop Icons", "Restore Desktop Icons", "-", "About",
                                        "Donate", "-", "Exit"}));
    EXPECT_EQ(visit.defaultId, 0u) << "the first item is the default";
    EXPECT_FALSE(IsWindowVisible(window->Handle())) << "a closed menu does nothing";
    ASSERT_FALSE(shell.foreground.empty());
    EXPECT_EQ(shell.foreground[0], reinterpret_cast<platform::WindowHandle>(TrayWindow()));

    // A left button does not open it.
    visit = MenuVisit{};
    g_visit = &visit;
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ReadMenu);
    Notify(WM_LBUTTONDOWN);
    Notify(WM_LBUTTONUP);
    KillTimer(nullptr, timer);
    g_visit = nullptr;
    EXPECT_FALSE(visit.seen);
}

TEST_F(TrayHost, PickingExitStoresTheSettingsAndEndsTheProgram) {
    StartInTray();
    form->ChkTraystart.SetValue(0);
    MenuVisit visit;
    visit.keys = {VK_UP, VK_RETURN};  // Up with nothing selected: the last item
    g_visit = &visit;
    SetTimer(nullptr, 0, 50, ReadMenu);
    Notify(WM_RBUTTONDOWN);
    g_visit = nullptr;
    ASSERT_TRUE(visit.seen);
    EXPECT_FALSE(IsWindow(window->Handle())) << "the main window is gone";
    EXPECT_EQ(registry.Get(kOptions, "Start in SysTray")->bytes, "0");
    EXPECT_TRUE(shell.Icons().empty());
    EXPECT_EQ(shell.log.back(), "delete");
    TakeQuit();
}

TEST_F(TrayHost, SessionEndStoresOnceAndRemovesTheIcon) {
    registry.Put("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", "Other", "C:\\other.exe");
    StartInTray();
    form->ChkTraystart.SetValue(0);
    const int before = registry.Writes();
    EXPECT_EQ(SendMessageA(window->Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
    SendMessageA(window->Handle(), WM_ENDSESSION, FALSE, 0);
    EXPECT_EQ(registry.Writes(), before) << "a cancelled session end stores nothing";
    EXPECT_EQ(shell.Icons().size(), 1u);

    // The user closed the window (its frame's close button posts WM_CLOSE) just as the
    // session ended: the sent WM_ENDSESSION comes first, the queued close after it.
    HWND main = window->Handle();
    PostMessageA(main, WM_CLOSE, 0, 0);
    SendMessageA(main, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(registry.Get(kOptions, "Start in SysTray")->bytes, "0");
    EXPECT_TRUE(shell.Icons().empty());
    const int after = registry.Writes();
    EXPECT_EQ(after - before, 3) << "tray value, autostart and movie preset, once";
    host_test::Pump();
    EXPECT_EQ(registry.Writes(), after) << "the close after the session end stores nothing";
    EXPECT_FALSE(IsWindow(main));
    TakeQuit();
}

TEST_F(TrayHost, MakerLabelOpensTheAboutWindowAndOkBringsTheMainWindowBack) {
    Start();
    HWND label = Child(ids::kLblMorv);
    SendMessageA(window->Handle(), WM_COMMAND, MAKEWPARAM(ids::kLblMorv, STN_CLICKED),
                 reinterpret_cast<LPARAM>(label));
    host_test::Pump();
    HWND aboutWindow = AboutWindow();
    ASSERT_NE(aboutWindow, nullptr);
    EXPECT_TRUE(IsWindowVisible(aboutWindow));
    EXPECT_FALSE(IsWindowVisible(window->Handle()));
    EXPECT_FALSE(IsWindowEnabled(window->Handle()));
    EXPECT_EQ(WindowText(GetDlgItem(aboutWindow, about::kLbVersion)), "Version 3.1.1");
    EXPECT_EQ(WindowText(GetDlgItem(aboutWindow, about::kLblTitle)), "Morv Dravik");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(aboutWindow, about::kXPFAbout)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(aboutWindow, about::kXPFAbout256)));

    // Every control of the design at its place.
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    for (const about::Place& place : about::Layout()) {
        HWND child = GetDlgItem(aboutWindow, place.id);
        ASSERT_NE(child, nullptr) << place.id;
        RECT rc;
        GetWindowRect(child, &rc);
        MapWindowPoints(nullptr, aboutWindow, reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(rc.left, MulDiv(place.left, dpi, 1440)) << place.id;
        EXPECT_EQ(rc.top, MulDiv(place.top, dpi, 1440)) << place.id;
    }

    ClickChild(aboutWindow, about::kCmdOk);
    EXPECT_FALSE(IsWindow(aboutWindow)) << "unloaded from inside its own button's click";
    EXPECT_TRUE(IsWindowVisible(window->Handle()));
    EXPECT_TRUE(IsWindowEnabled(window->Handle()));
    EXPECT_TRUE(shell.notifications.empty());
}

TEST_F(TrayHost, AboutFromTheTrayFollowsALinkAndStaysInTheTray) {
    StartInTray();
    form->m_frmSysTray_MenuClick(9, "about");
    host_test::Pump();
    HWND aboutWindow = AboutWindow();
    ASSERT_NE(aboutWindow, nullptr);
    ClickChild(aboutWindow, about::kCmdUrl);
    EXPECT_FALSE(IsWindow(aboutWindow));
    ASSERT_EQ(shell.executed.size(), 1u);
    EXPECT_EQ(shell.executed[0].showCommand, SW_SHOWMAXIMIZED);
    EXPECT_EQ(shell.executed[0].file.rfind("http://", 0), 0u);
    EXPECT_FALSE(IsWindowVisible(window->Handle()));
    EXPECT_TRUE(IsWindowEnabled(window->Handle()));
    EXPECT_EQ(shell.Icons().size(), 1u);

    // Loaded again: a fresh window.
    form->m_frmSysTray_MenuClick(9, "about");
    host_test::Pump();
    ASSERT_NE(AboutWindow(), nullptr);
    EXPECT_NE(AboutWindow(), aboutWindow);
}

TEST_F(TrayHost, PressOnTheAboutWindowsLabelsDragsIt) {
    Start();
    form->ShowAbout();
    host_test::Pump();
    HWND aboutWindow = AboutWindow();
    ASSERT_NE(aboutWindow, nullptr);
    // A label lets the press through to the frame beneath it, which hands a press on its bare
    // surface to the window.
    HWND email = GetDlgItem(aboutWindow, about::kLbEmail);
    EXPECT_EQ(SendMessageA(email, WM_NCHITTEST, 0, 0), HTTRANSPARENT);
    RECT rc;
    GetWindowRect(email, &rc);
    MapWindowPoints(nullptr, aboutWindow, reinterpret_cast<POINT*>(&rc), 2);
    ui.calls.clear();
    SendMessageA(GetDlgItem(aboutWindow, about::kXPFAbout), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM(rc.left + 2, rc.top + 2));
    ASSERT_FALSE(ui.calls.empty());
    EXPECT_EQ(ui.calls.back().kind, platform::memory::MemoryUi::Call::Drag);
    EXPECT_EQ(ui.calls.back().window, reinterpret_cast<platform::WindowHandle>(aboutWindow));
}

}  // namespace
