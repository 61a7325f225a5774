// Win32Desktop against real list views: one in this process, and the x86_64 testdesk in a
// process of its own (in the i686 build that is also across bitness, as into a 64-bit shell).
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "icons/list_view.h"
#include "platform/win32/scoped.h"
#include "platform/win32/window_handle.h"
#include "platform/win32/win32_desktop.h"
#include "test_support.h"

namespace {

using platform::Point;
using platform::WindowHandle;
using platform::win32::ScopedHandle;
using platform::win32::Win32Desktop;

using platform::win32::FromHwnd;

std::vector<UINT> g_settingChanges;

LRESULT CALLBACK TopProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETTINGCHANGE) g_settingChanges.push_back(static_cast<UINT>(wp));
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// The state of the page at `address` in `process`.
DWORD PageState(HANDLE process, std::uintptr_t address) {
    MEMORY_BASIC_INFORMATION info{};
    if (!VirtualQueryEx(process, reinterpret_cast<void*>(address), &info, sizeof info)) return 0;
    return info.State;
}

// What every variant of the buffer has to give: the positions the list view writes.
std::vector<Point> ReadThrough(platform::PointBuffer& buffer, platform::Desktop& desktop,
                               WindowHandle list, int count) {
    std::vector<Point> positions(static_cast<size_t>(count));
    buffer.Store(Point{});
    for (int i = 0; i < count; ++i) {
        desktop.Send(list, icons::kLvmGetItemPosition, static_cast<WPARAM>(i),
                     static_cast<LPARAM>(buffer.Address()));
        buffer.Load(positions[static_cast<size_t>(i)]);
    }
    return positions;
}

const std::vector<Point> kPositions = {{10, 20}, {-10, 5}, {300, 40}, {75, 300}};

// A desktop-like window tree in this process: top-level > view > a real list view.
class Win32DesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string reason = win32_test::NoWindowSystemReason();
        if (!reason.empty()) GTEST_SKIP() << reason;
        INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        WNDCLASSA top{};
        top.lpfnWndProc = TopProc;
        top.hInstance = GetModuleHandleA(nullptr);
        top.lpszClassName = "DravikDesktopTestTop";
        RegisterClassA(&top);  // fails harmlessly when an earlier test registered it
        WNDCLASSA view{};
        view.lpfnWndProc = DefWindowProcA;
        view.hInstance = top.hInstance;
        view.lpszClassName = "DravikDesktopTestView";
        RegisterClassA(&view);
        top_ = CreateWindowExA(0, top.lpszClassName, "", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                               nullptr, top.hInstance, nullptr);
        view_ = CreateWindowExA(0, view.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, 640, 480, top_,
                                nullptr, top.hInstance, nullptr);
        list_ = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_ICON,
                                0, 0, 640, 480, view_, nullptr, top.hInstance, nullptr);
        ASSERT_TRUE(top_ && view_ && list_);
        for (size_t i = 0; i < kPositions.size(); ++i) {
            char text[] = "Icon";
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(i);
            item.pszText = text;
            SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        // Wine's list view arranges its items at its first paint: paint, then place them.
        UpdateWindow(list_);
        for (size_t i = 0; i < kPositions.size(); ++i)
            SendMessageA(list_, LVM_SETITEMPOSITION, i,
                         MAKELPARAM(static_cast<WORD>(kPositions[i].x), static_cast<WORD>(kPositions[i].y)));
        g_settingChanges.clear();
    }
    void TearDown() override {
        if (top_) DestroyWindow(top_);
    }

    Win32Desktop desktop_;
    HWND top_ = nullptr, view_ = nullptr, list_ = nullptr;
};

TEST_F(Win32DesktopTest, FindsWindowsByClassWithoutRegardToCase) {
    EXPECT_EQ(desktop_.FindTopLevel("DRAVIKdesktopTESTtop"), FromHwnd(top_));
    EXPECT_EQ(desktop_.FindChild(FromHwnd(top_), "draviKDesktopTestView"), FromHwnd(view_));
    EXPECT_EQ(desktop_.FindChild(FromHwnd(view_), "SYSLISTVIEW32"), FromHwnd(list_));
    EXPECT_EQ(desktop_.FindChild(FromHwnd(top_), "SysListView32"), 0u) << "children only, not grandchildren";
    EXPECT_EQ(desktop_.FindTopLevel("Dravik No Such Class"), 0u);
    EXPECT_EQ(desktop_.ParentOf(FromHwnd(list_)), FromHwnd(view_));
    EXPECT_EQ(desktop_.OwnerProcessId(FromHwnd(list_)), GetCurrentProcessId());
}

TEST_F(Win32DesktopTest, StyleCountAndMovesReachTheListView) {
    EXPECT_EQ(desktop_.WindowStyle(FromHwnd(list_)) & icons::kLvsAutoArrange, 0u);
    SetWindowLongA(list_, GWL_STYLE, GetWindowLongA(list_, GWL_STYLE) | LVS_AUTOARRANGE);
    EXPECT_NE(desktop_.WindowStyle(FromHwnd(list_)) & icons::kLvsAutoArrange, 0u);
    SetWindowLongA(list_, GWL_STYLE, GetWindowLongA(list_, GWL_STYLE) & ~LVS_AUTOARRANGE);

    EXPECT_EQ(desktop_.Send(FromHwnd(list_), icons::kLvmGetItemCount, 0, 0), 4);
    icons::MoveItem(desktop_, FromHwnd(list_), 2, {-30, 7});
    POINT p{};
    SendMessageA(list_, LVM_GETITEMPOSITION, 2, reinterpret_cast<LPARAM>(&p));
    EXPECT_EQ(p.x, -30);
    EXPECT_EQ(p.y, 7);
}

TEST_F(Win32DesktopTest, BothBufferVariantsGiveThePositionsAndGiveTheirMemoryBack) {
    std::uintptr_t remoteAt = 0, sharedAt = 0;
    {
        auto remote = desktop_.AllocRemoteBuffer(GetCurrentProcessId());
        ASSERT_NE(remote, nullptr);
        remoteAt = remote->Address();
        EXPECT_EQ(PageState(GetCurrentProcess(), remoteAt), static_cast<DWORD>(MEM_COMMIT));
        EXPECT_EQ(ReadThrough(*remote, desktop_, FromHwnd(list_), 4), kPositions);
    }
    {
        // In one process the view's address is valid for the list view too.
        auto shared = desktop_.MapSharedBuffer();
        ASSERT_NE(shared, nullptr);
        sharedAt = shared->Address();
        EXPECT_EQ(ReadThrough(*shared, desktop_, FromHwnd(list_), 4), kPositions);
    }
    EXPECT_EQ(PageState(GetCurrentProcess(), remoteAt), static_cast<DWORD>(MEM_FREE));
    EXPECT_EQ(PageState(GetCurrentProcess(), sharedAt), static_cast<DWORD>(MEM_FREE));
}

TEST_F(Win32DesktopTest, ABufferHoldsWhatWasStoredUntilTheListViewWritesIt) {
    auto remote = desktop_.AllocRemoteBuffer(GetCurrentProcessId());
    ASSERT_NE(remote, nullptr);
    remote->Store({123, -456});
    Point p{};
    remote->Load(p);
    EXPECT_EQ(p, (Point{123, -456}));
    // An item that does not exist is not written: the buffer keeps the last value.
    desktop_.Send(FromHwnd(list_), icons::kLvmGetItemPosition, 99, static_cast<LPARAM>(remote->Address()));
    remote->Load(p);
    EXPECT_EQ(p, (Point{123, -456}));
}

TEST_F(Win32DesktopTest, NoRemoteBufferForAProcessThatIsNotThere) {
    // Process ids are multiples of four; this one is never handed out.
    EXPECT_EQ(desktop_.AllocRemoteBuffer(0xFFFFFFF1u), nullptr);
}

TEST_F(Win32DesktopTest, VersionBroadcastLockAndRedraw) {
    EXPECT_EQ(desktop_.VersionPlatformId(), std::optional<std::uint32_t>(VER_PLATFORM_WIN32_NT));
    EXPECT_EQ(desktop_.DesktopWindow(), FromHwnd(GetDesktopWindow()));

    desktop_.LockUpdate(desktop_.DesktopWindow());
    EXPECT_FALSE(LockWindowUpdate(top_)) << "one window at a time: the desktop holds the lock";
    desktop_.SendWithTimeout(0xFFFF, WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0, SMTO_ABORTIFHUNG, 1);
    desktop_.LockUpdate(0);
    EXPECT_TRUE(LockWindowUpdate(top_)) << "let go";
    LockWindowUpdate(nullptr);
    EXPECT_EQ(g_settingChanges, std::vector<UINT>{SPI_SETNONCLIENTMETRICS});

    ValidateRect(top_, nullptr);
    desktop_.RedrawAll();
    RECT dirty{};
    EXPECT_TRUE(GetUpdateRect(top_, &dirty, FALSE)) << "every window is to be repainted";
}

// The testdesk program: a desktop list view in a process of its own.
class Win32DesktopAcrossProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string reason = win32_test::NoWindowSystemReason();
        if (!reason.empty()) GTEST_SKIP() << reason;
        std::string exe = "Z:" + std::string(TESTDESK_EXE_PATH);
        for (char& c : exe)
            if (c == '/') c = '\\';
        ASSERT_NE(GetFileAttributesA(exe.c_str()), INVALID_FILE_ATTRIBUTES) << exe << " was not built";
        log_ = win32_test::TempPath("testdesk.log");
        DeleteFileA(log_.c_str());
        std::string cmd = win32_test::Quoted(exe) + " serve " + win32_test::Quoted(log_) +
                          " 10,20 -10,5 300,40 -2000,-3000";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        PROCESS_INFORMATION pi{};
        ASSERT_TRUE(CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &si, &pi));
        process_.Reset(pi.hProcess);
        CloseHandle(pi.hThread);
        pid_ = pi.dwProcessId;
        for (int i = 0; i < 3000 && win32_test::ReadFile(log_).find("ready") == std::string::npos; ++i)
            Sleep(20);
        ASSERT_NE(win32_test::ReadFile(log_).find("ready"), std::string::npos) << "testdesk never got ready";
    }
    void TearDown() override {
        if (process_) {
            TerminateProcess(process_.Get(), 0);
            WaitForSingleObject(process_.Get(), 10000);
        }
        DeleteFileA(log_.c_str());
    }

    Win32Desktop desktop_;
    ScopedHandle process_;
    DWORD pid_ = 0;
    std::string log_;
};

TEST_F(Win32DesktopAcrossProcessTest, ReadsAndMovesTheShellsIconsThroughItsMemory) {
    const WindowHandle list = icons::FindDesktopListView(desktop_);
    ASSERT_NE(list, 0u) << "Progman > SHELLDLL_DefView > SysListView32 not found";
    EXPECT_EQ(desktop_.OwnerProcessId(list), pid_);
    EXPECT_EQ(icons::ItemCount(desktop_, list), 4);

    std::uintptr_t at = 0;
    {
        auto buffer = desktop_.AllocRemoteBuffer(pid_);
        ASSERT_NE(buffer, nullptr);
        at = buffer->Address();
        EXPECT_EQ(PageState(process_.Get(), at), static_cast<DWORD>(MEM_COMMIT));
        EXPECT_EQ(ReadThrough(*buffer, desktop_, list, 4),
                  (std::vector<Point>{{10, 20}, {-10, 5}, {300, 40}, {-2000, -3000}}));
    }
    EXPECT_EQ(PageState(process_.Get(), at), static_cast<DWORD>(MEM_FREE)) << "released in the shell";

    icons::MoveItem(desktop_, list, 1, {-20, 9});
    const auto moved = icons::ReadItemPositions(desktop_, list, pid_, 4);
    ASSERT_TRUE(moved.has_value());
    EXPECT_EQ((*moved)[1], (Point{-20, 9}));
}

TEST_F(Win32DesktopAcrossProcessTest, TheAutoArrangeCommandReachesTheShellView) {
    const WindowHandle list = icons::FindDesktopListView(desktop_);
    ASSERT_NE(list, 0u);
    EXPECT_FALSE(icons::AutoArrangeIsOn(desktop_, list));
    icons::SendAutoArrangeCommand(desktop_, list);
    EXPECT_TRUE(icons::AutoArrangeIsOn(desktop_, list)) << "the stand-in switches it over, as the shell";
    EXPECT_NE(win32_test::ReadFile(log_).find("command\tid=0x7041\tautoarrange=1"), std::string::npos);
}

}  // namespace
