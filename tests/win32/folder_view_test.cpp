// Win32Desktop::OpenDesktopFolderView against the shell's objects served in this process: a
// ShellWindows class object registered in the multithreaded apartment by a thread of the test
// that owns a fake desktop ("Progman" > "SHELLDLL_DefView" > a real "SysListView32") and runs
// its message loop, so the view's worker thread reaches the objects as it would Explorer's.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "desk_shell.h"
#include "platform/win32/scoped.h"
#include "platform/win32/window_handle.h"
#include "platform/win32/win32_desktop.h"
#include "test_support.h"

namespace {

using platform::Point;
using platform::WindowHandle;
using platform::win32::ScopedHandle;
using platform::win32::ShellDeadlines;
using platform::win32::Win32Desktop;

using platform::win32::FromHwnd;

const std::vector<Point> kViewPositions = {{10, 20}, {-10, 5}, {300, 40}, {75, 300}};

// Counts the calls that reach the served objects, answers FindWindowSW as told and holds the
// calls of one method until released.
class RecordingHooks final : public desk_shell::Hooks {
public:
    RecordingHooks() : release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) { InitializeCriticalSection(&lock_); }
    ~RecordingHooks() override { DeleteCriticalSection(&lock_); }

    HRESULT Enter(const char* method) override {
        EnterCriticalSection(&lock_);
        ++calls_[method];
        const bool hold = hold_ == method;
        const HRESULT answer = method == std::string("FindWindowSW") ? findAnswer_ : S_OK;
        LeaveCriticalSection(&lock_);
        // A hang guard of a minute, not a measurement: the test releases it long before.
        if (hold) WaitForSingleObject(release_.Get(), 60000);
        return answer;
    }
    void Positioned(int, POINT) override {}

    int Calls(const std::string& method) {
        EnterCriticalSection(&lock_);
        const int n = calls_[method];
        LeaveCriticalSection(&lock_);
        return n;
    }
    void Hold(const std::string& method) { hold_ = method; }
    void AnswerFindWindow(HRESULT hr) { findAnswer_ = hr; }
    void Release() { SetEvent(release_.Get()); }

private:
    CRITICAL_SECTION lock_;
    std::map<std::string, int> calls_;
    std::string hold_;
    HRESULT findAnswer_ = S_OK;
    ScopedHandle release_;
};

class Win32FolderViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string reason = win32_test::NoWindowSystemReason();
        if (!reason.empty()) GTEST_SKIP() << reason;
        ready_.Reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        for (const Point& p : kViewPositions) desk_.positions.push_back({p.x, p.y});
        desk_.hooks = &hooks_;
        desk_.ready = ready_.Get();
        DWORD id = 0;
        server_.Reset(CreateThread(nullptr, 0, ServerThread, this, 0, &id));
        ASSERT_TRUE(server_);
        serverId_ = id;
        ASSERT_EQ(WaitForSingleObject(ready_.Get(), 60000), WAIT_OBJECT_0);
        ASSERT_TRUE(desk_.windows.list) << "the fake desktop was not made";
        ASSERT_TRUE(desk_.registered) << "CoRegisterClassObject failed";
    }

    void TearDown() override {
        if (!server_) return;
        hooks_.Release();  // a call still held lets its worker go on and end
        StopServer();
        // Every object served was released: by the views' workers, also the abandoned one.
        for (int i = 0; i < 3000 && desk_shell::LiveObjects() != 0; ++i) Sleep(20);
        EXPECT_EQ(desk_shell::LiveObjects(), 0) << "COM objects of the view were never released";
    }

    void StopServer() {
        if (!server_) return;
        PostThreadMessageA(serverId_, WM_QUIT, 0, 0);
        WaitForSingleObject(server_.Get(), 60000);
        server_.Reset();
    }

    static DWORD WINAPI ServerThread(void* p) {
        desk_shell::ServeDesktop(static_cast<Win32FolderViewTest*>(p)->desk_);
        return 0;
    }

    Point ListPosition(int index) {
        POINT p{};
        SendMessageA(desk_.windows.list, LVM_GETITEMPOSITION, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&p));
        return {static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y)};
    }
    bool ListAutoArranges() { return (GetWindowLongA(desk_.windows.list, GWL_STYLE) & LVS_AUTOARRANGE) != 0; }

    RecordingHooks hooks_;
    ScopedHandle ready_, server_;
    DWORD serverId_ = 0;
    desk_shell::ServedDesktop desk_;
};

TEST_F(Win32FolderViewTest, TheViewIsTheDefViewWithItsPositionsInListViewOrderAndItsArrangement) {
    Win32Desktop desktop;
    auto view = desktop.OpenDesktopFolderView();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Window(), FromHwnd(desk_.windows.view));
    EXPECT_EQ(view->ItemPositions(), std::optional<std::vector<Point>>(kViewPositions));

    EXPECT_EQ(view->AutoArrange(), std::optional<bool>(false));
    EXPECT_TRUE(view->SetAutoArrange(true));
    EXPECT_TRUE(ListAutoArranges());
    EXPECT_EQ(view->AutoArrange(), std::optional<bool>(true));
    EXPECT_TRUE(view->SetAutoArrange(false));
    EXPECT_FALSE(ListAutoArranges());
}

TEST_F(Win32FolderViewTest, PositionItemsMovesExactlyTheItemsWithValuesInOneCall) {
    Win32Desktop desktop;
    auto view = desktop.OpenDesktopFolderView();
    ASSERT_NE(view, nullptr);
    // Item 4 is past the view's four items: it is left out, not refused.
    const std::vector<std::optional<Point>> wanted = {std::nullopt, Point{400, 300}, std::nullopt,
                                                      Point{-20, 7}, Point{5, 5}};
    EXPECT_TRUE(view->PositionItems(wanted));
    EXPECT_EQ(hooks_.Calls("SelectAndPositionItems"), 1);
    EXPECT_EQ(ListPosition(0), kViewPositions[0]);
    EXPECT_EQ(ListPosition(1), (Point{400, 300}));
    EXPECT_EQ(ListPosition(2), kViewPositions[2]);
    EXPECT_EQ(ListPosition(3), (Point{-20, 7}));
}

TEST_F(Win32FolderViewTest, NoViewWhenNoShellWindowIsTheDesktop) {
    Win32Desktop desktop;
    hooks_.AnswerFindWindow(S_FALSE);  // no window of that kind registered
    EXPECT_EQ(desktop.OpenDesktopFolderView(), nullptr);
    hooks_.AnswerFindWindow(E_INVALIDARG);  // Windows XP: no SWC_DESKTOP
    EXPECT_EQ(desktop.OpenDesktopFolderView(), nullptr);
    EXPECT_EQ(hooks_.Calls("FindWindowSW"), 2) << "the route was asked both times";
    EXPECT_EQ(hooks_.Calls("QueryActiveShellView"), 0);
}

TEST_F(Win32FolderViewTest, AViewThatHangsFailsTheCallAndEveryLaterCallAtOnce) {
    Win32Desktop desktop(ShellDeadlines{5000, 300});
    auto view = desktop.OpenDesktopFolderView();
    ASSERT_NE(view, nullptr);
    hooks_.Hold("GetItemPosition");
    EXPECT_EQ(view->ItemPositions(), std::nullopt);
    EXPECT_EQ(hooks_.Calls("GetItemPosition"), 1) << "the call that hung";

    EXPECT_FALSE(view->PositionItems({Point{1, 1}}));
    EXPECT_EQ(view->AutoArrange(), std::nullopt);
    EXPECT_FALSE(view->SetAutoArrange(true));
    EXPECT_EQ(view->Window(), 0u);
    // None of them went to the shell: they failed at once.
    EXPECT_EQ(hooks_.Calls("ItemCount"), 1);
    EXPECT_EQ(hooks_.Calls("SelectAndPositionItems"), 0);
    EXPECT_EQ(hooks_.Calls("GetCurrentFolderFlags"), 0);
    EXPECT_EQ(hooks_.Calls("SetCurrentFolderFlags"), 0);

    // Once the hung call returns, the abandoned worker releases the shell's objects at once,
    // while the caller still holds the dead view; only the registered factory is left.
    hooks_.Release();
    for (int i = 0; i < 3000 && desk_shell::LiveObjects() != 1; ++i) Sleep(20);
    EXPECT_EQ(desk_shell::LiveObjects(), 1);
    EXPECT_FALSE(view->PositionItems({Point{1, 1}}));
    EXPECT_EQ(hooks_.Calls("SelectAndPositionItems"), 0);
}

TEST_F(Win32FolderViewTest, AShellThatHangsWhileTheViewOpensGivesNoView) {
    Win32Desktop desktop(ShellDeadlines{300, 300});
    hooks_.Hold("QueryActiveShellView");
    EXPECT_EQ(desktop.OpenDesktopFolderView(), nullptr);
    EXPECT_EQ(hooks_.Calls("QueryActiveShellView"), 1);
}

}  // namespace
