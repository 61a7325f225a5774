// What a screen reader asks of the main window's controls, in this process: the states that
// follow the focus and the enabled windows, the default action that runs from the message loop
// as a click does, the default button, and an object that a screen reader still holds after
// its window is gone. (Another process's view of the real program is an end-to-end test.)
#include "host_fixture.h"

#include <oleacc.h>

#include <optional>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/win32/accessible.h"
#include "controls/frame/skinned_frame.h"
#include "platform/win32/com_apartment.h"
#include "wingui/subclass.h"

namespace {

namespace ids = app::ids;
using host_test::MainWindowHost;
using host_test::Pump;

using app::win32::kIIDAccessible;

VARIANT Self() { return app::win32::ChildVariant(CHILDID_SELF); }

// One reference to a window's accessible object, got as a screen reader gets it.
class Acc {
public:
    explicit Acc(HWND hwnd) {
        const LRESULT lr = SendMessageW(hwnd, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
        if (lr > 0) ObjectFromLresult(lr, kIIDAccessible, 0, reinterpret_cast<void**>(&acc_));
    }
    Acc(const Acc&) = delete;
    Acc& operator=(const Acc&) = delete;
    ~Acc() {
        if (acc_) acc_->Release();
    }
    IAccessible* operator->() const { return acc_; }
    explicit operator bool() const { return acc_ != nullptr; }

    long State() const {
        VARIANT v;
        return SUCCEEDED(acc_->get_accState(Self(), &v)) && v.vt == VT_I4 ? v.lVal : -1;
    }

private:
    IAccessible* acc_ = nullptr;
};

class AccessibleHost : public MainWindowHost {
protected:
    void SetUp() override {
        MainWindowHost::SetUp();
        if (IsSkipped()) return;
        // As the program has it: a keeper on this thread, whose apartment the first question
        // enters (the test's own calls below need it too).
        apartment_.emplace();
        ASSERT_TRUE(platform::win32::ComApartment::Join());
    }
    void TearDown() override {
        MainWindowHost::TearDown();
        apartment_.reset();
    }
    std::optional<platform::win32::ComApartment> apartment_;
};

TEST_F(AccessibleHost, StatesFollowTheFocusAndTheEnabledWindows) {
    Start();
    Acc tray(Child(ids::kBtnTray)), settings(Child(ids::kBtnSettings));
    ASSERT_TRUE(tray && settings);

    SetFocus(Child(ids::kBtnTray));
    EXPECT_EQ(tray.State() & (STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE),
              STATE_SYSTEM_FOCUSED | STATE_SYSTEM_FOCUSABLE);
    EXPECT_EQ(settings.State() & STATE_SYSTEM_FOCUSED, 0);
    SetFocus(Child(ids::kBtnSettings));
    EXPECT_EQ(tray.State() & STATE_SYSTEM_FOCUSED, 0);
    EXPECT_NE(settings.State() & STATE_SYSTEM_FOCUSED, 0);

    // The control disabled, then the window it lies in (as while the about window is open).
    form->BtnTray.SetEnabled(false);
    EXPECT_EQ(tray.State() & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE),
              STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(settings.State() & STATE_SYSTEM_UNAVAILABLE, 0);
    form->BtnTray.SetEnabled(true);
    form->window.SetEnabled(false);
    EXPECT_NE(settings.State() & STATE_SYSTEM_UNAVAILABLE, 0);
    form->window.SetEnabled(true);
    EXPECT_EQ(settings.State() & STATE_SYSTEM_UNAVAILABLE, 0);
}

// The press is posted: the screen reader's call returns before the click runs, and the click
// finds the state of that moment. A click cannot reach a control of a disabled window.
TEST_F(AccessibleHost, PressRunsFromTheMessageLoopOnlyWhileAClickCouldReachTheButton) {
    Start();
    Acc settings(Child(ids::kBtnSettings));
    ASSERT_TRUE(settings);
    ASSERT_EQ(settings->accDoDefaultAction(Self()), S_OK);
    EXPECT_TRUE(system.started.empty()) << "ran inside the screen reader's call";
    Pump();
    EXPECT_EQ(system.started.size(), 1u);

    ASSERT_EQ(settings->accDoDefaultAction(Self()), S_OK);
    form->window.SetEnabled(false);
    Pump();
    EXPECT_EQ(system.started.size(), 1u) << "pressed inside a disabled window";
    form->window.SetEnabled(true);

    // The maker label's link opens the about window, which disables this one.
    Acc label(Child(ids::kLblMorv));
    ASSERT_TRUE(label);
    ASSERT_EQ(label->accDoDefaultAction(Self()), S_OK);
    Pump();
    EXPECT_FALSE(IsWindowEnabled(window->Handle())) << "the about window did not open";
}

// The default button is the one that answers WM_GETDLGCODE as such, as the dialog manager
// knows it; no skinned button of the program claims it.
TEST_F(AccessibleHost, DefaultStateIsTheButtonsOwnAnswerToTheDialogManager) {
    Start();
    SwitchToThe256ColourLook();  // the small buttons are made
    HWND standard[2] = {};
    for (int i = 0; i < 2; ++i) {
        standard[i] = CreateWindowExA(0, "BUTTON", "Std", WS_CHILD | (i ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                                      0, 0, 20, 20, window->Handle(), nullptr, nullptr, nullptr);
        ASSERT_TRUE(standard[i]);
        app::win32::MakeButtonAccessible(standard[i]);
    }
    EXPECT_EQ(Acc(standard[0]).State() & STATE_SYSTEM_DEFAULT, 0);
    EXPECT_NE(Acc(standard[1]).State() & STATE_SYSTEM_DEFAULT, 0);
    for (int id : {ids::kBtnTray, ids::kBtnSettings, ids::kBtnMon, ids::kBtnMovie,
                   ids::kCmdIconSave, ids::kCmdIconRest, ids::kCmdTray, ids::kCmdSettings})
        EXPECT_EQ(Acc(Child(id)).State() & STATE_SYSTEM_DEFAULT, 0) << id;
    for (HWND w : standard) DestroyWindow(w);
}

// A screen reader may hold the object past its window: it then says so, and touches nothing
// of the window or the control that went with it.
TEST_F(AccessibleHost, ObjectHeldPastItsWindowAnswersNotConnected) {
    Start();
    SwitchToThe256ColourLook();  // the small buttons are made
    Acc button(Child(ids::kCmdSettings)), frame(Child(ids::kXPF1)), label(Child(ids::kLblMorv));
    ASSERT_TRUE(button && frame && label);
    BSTR name = nullptr;
    ASSERT_EQ(button->get_accName(Self(), &name), S_OK);
    SysFreeString(name);

    DestroyWindow(window->Handle());
    Pump();
    window.reset();
    for (const Acc* acc : {&button, &frame, &label}) {
        VARIANT role;
        long count = 1;
        EXPECT_EQ((*acc)->get_accName(Self(), &name), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(name, nullptr);
        EXPECT_EQ((*acc)->get_accRole(Self(), &role), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ((*acc)->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ((*acc)->accDoDefaultAction(Self()), CO_E_OBJNOTCONNECTED);
    }
    Pump();
    EXPECT_TRUE(system.started.empty());
}

// At 200% the frame draws its close box twice its 100% size at twice its place: a screen
// reader finds it there, and a point inside it hits it.
TEST_F(AccessibleHost, CloseBoxIsHeardAtItsPlaceAndSizeOnTheScreenAt192Dpi) {
    Start(nullptr, 192);
    HWND frame = Child(ids::kXPF1);
    Acc acc(frame);
    ASSERT_TRUE(acc);
    const paint::Rect at100 = form->XPF1.Box(controls::FramePiece::CloseButton).Pixels();
    ASSERT_EQ(at100.Width(), 21);
    POINT origin{0, 0};
    ClientToScreen(frame, &origin);
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(acc->accLocation(&left, &top, &width, &height, app::win32::ChildVariant(1)), S_OK);
    EXPECT_EQ(left, origin.x + 2 * at100.left);
    EXPECT_EQ(top, origin.y + 2 * at100.top);
    EXPECT_EQ(width, 42);
    EXPECT_EQ(height, 42);

    // Points of the close box as it shows: its last pixel row and column, which at 100% would
    // lie beyond it, and one just outside.
    VARIANT hit;
    const long right = origin.x + 2 * at100.right - 1, bottom = origin.y + 2 * at100.bottom - 1;
    ASSERT_EQ(acc->accHitTest(right, bottom, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, 1) << "the close box";
    ASSERT_EQ(acc->accHitTest(right, bottom + 1, &hit), S_OK);
    EXPECT_NE(hit.lVal, 1);
}

// The events of the process as a screen reader's hook receives them. In context: the hook runs
// inside NotifyWinEvent, so every event is in by the time the call that raised it returns.
struct WinEvent {
    DWORD event;
    HWND hwnd;
    LONG object;
    LONG child;
};
std::vector<WinEvent> heardEvents;

void CALLBACK RecordEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD,
                          DWORD) {
    heardEvents.push_back({event, hwnd, object, child});
}

class EventHook {
public:
    EventHook()
        : hook_(SetWinEventHook(EVENT_OBJECT_SHOW, EVENT_OBJECT_NAMECHANGE, GetModuleHandleA(nullptr),
                                &RecordEvent, GetCurrentProcessId(), GetCurrentThreadId(),
                                WINEVENT_INCONTEXT)) {
        heardEvents.clear();
    }
    EventHook(const EventHook&) = delete;
    EventHook& operator=(const EventHook&) = delete;
    ~EventHook() {
        if (hook_) UnhookWinEvent(hook_);
    }
    explicit operator bool() const { return hook_ != nullptr; }

    // How many of `event` came for the client object of `hwnd`; the record is emptied.
    static int Count(DWORD event, HWND hwnd) {
        int n = 0;
        for (const WinEvent& e : heardEvents)
            n += e.event == event && e.hwnd == hwnd && e.object == OBJID_CLIENT && e.child == CHILDID_SELF;
        return n;
    }

private:
    HWINEVENTHOOK hook_;
};

// A held button is pressed, and says when it is and when it stops; a disabled one says it
// became unavailable. The focus event is the system's own: once for each move, not twice.
TEST_F(AccessibleHost, ButtonsTellTheirPressedAndUnavailableStatesAndTheFocusIsToldOnce) {
    Start();
    HWND settings = Child(ids::kBtnSettings), tray = Child(ids::kBtnTray);
    Acc acc(settings);
    ASSERT_TRUE(acc);
    EventHook hook;
    ASSERT_TRUE(hook);

    SendMessageA(settings, WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    SendMessageA(settings, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_NE(acc.State() & STATE_SYSTEM_PRESSED, 0) << "held";
    EXPECT_EQ(EventHook::Count(EVENT_OBJECT_STATECHANGE, settings), 1);
    // Released outside: no click (nothing starts), and no longer pressed.
    SendMessageA(settings, WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
    EXPECT_EQ(acc.State() & STATE_SYSTEM_PRESSED, 0);
    EXPECT_EQ(EventHook::Count(EVENT_OBJECT_STATECHANGE, settings), 2);
    Pump();
    EXPECT_TRUE(system.started.empty());

    heardEvents.clear();
    form->BtnTray.SetEnabled(false);
    EXPECT_EQ(EventHook::Count(EVENT_OBJECT_STATECHANGE, tray), 1);
    EXPECT_NE(Acc(tray).State() & STATE_SYSTEM_UNAVAILABLE, 0);

    heardEvents.clear();
    ASSERT_EQ(GetFocus(), settings) << "the press took the focus";
    SetFocus(Child(ids::kBtnMon));
    SetFocus(settings);
    EXPECT_EQ(EventHook::Count(EVENT_OBJECT_FOCUS, settings), 1);
    EXPECT_EQ(EventHook::Count(EVENT_OBJECT_FOCUS, Child(ids::kBtnMon)), 1);
}

// The switch of look hides one look's buttons and frame and shows the other's; the pick in a
// list renames its preset buttons, and only them.
TEST_F(AccessibleHost, LookSwitchesAndRenamedPresetButtonsAreTold) {
    Start();
    EventHook hook;
    ASSERT_TRUE(hook);
    HWND list = Child(ids::kCmbMovie), movie = Child(ids::kBtnMovie);
    const int count = static_cast<int>(SendMessageA(list, CB_GETCOUNT, 0, 0));
    const int now = static_cast<int>(SendMessageA(list, CB_GETCURSEL, 0, 0));
    ASSERT_GE(count, 2);
    const std::string before = WindowText(movie);
    SendMessageA(list, CB_SETCURSEL, now == 2 ? 3 : 2, 0);
    SendMessageA(window->Handle(), WM_COMMAND, MAKEWPARAM(ids::kCmbMovie, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    ASSERT_NE(WindowText(movie), before) << "the pick did not rename the button";
    EXPECT_EQ(EventHook::Count(EVENT_OBJECT_NAMECHANGE, movie), 1);
    EXPECT_EQ(EventHook::Count(EVENT_OBJECT_NAMECHANGE, Child(ids::kBtnMon)), 0);

    heardEvents.clear();
    SwitchToThe256ColourLook();
    for (int id : {ids::kBtnTray, ids::kBtnSettings, ids::kBtnMon, ids::kBtnMovie, ids::kXPF1})
        EXPECT_EQ(EventHook::Count(EVENT_OBJECT_HIDE, Child(id)), 1) << id;
    for (int id : {ids::kCmdTray, ids::kCmdSettings, ids::kCmdMon, ids::kCmdMovie, ids::kMorvXPF1})
        EXPECT_EQ(EventHook::Count(EVENT_OBJECT_SHOW, Child(id)), 1) << id;
}

// The i686 build needs the system's calling convention here, which a lambda does not have.
BOOL CALLBACK CollectPropertyName(HWND, LPSTR name, HANDLE, ULONG_PTR names) {
    auto& out = *reinterpret_cast<std::string*>(names);
    out += HIWORD(reinterpret_cast<ULONG_PTR>(name)) ? name : "#atom";
    out += ' ';
    return TRUE;
}

// Wine keeps window properties in its server, so a subclass chain kept in one (comctl32's)
// costs every message two round trips: the answering windows carry none.
TEST_F(AccessibleHost, AnsweringWindowsKeepNoWindowProperty) {
    Start();
    SwitchToThe256ColourLook();  // the small buttons are made
    for (int id : {ids::kCmdSettings, ids::kBtnMon, ids::kXPF1, ids::kLblMorv, ids::kFrame1}) {
        HWND child = Child(id);
        ASSERT_TRUE(child) << id;
        std::string props;
        EnumPropsExA(child, &CollectPropertyName, reinterpret_cast<LPARAM>(&props));
        EXPECT_EQ(props, "") << id;
    }
    EXPECT_TRUE(Acc(Child(ids::kLblMorv))) << "the label still answers";
}

// Two subclasses on one window: each sees the messages and passes them on, the window's own
// procedure still answers, and each forgets the window when it is destroyed.
std::string seen;

template <char Mark>
bool MarkingHook(void*, HWND, UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_USER + 7) seen += Mark;
    return false;
}
using SubclassA = wingui::Subclass<MarkingHook<'a'>>;
using SubclassB = wingui::Subclass<MarkingHook<'b'>>;

TEST(Subclass, ChainsTwoProceduresAndForgetsTheWindowAtItsEnd) {
    HWND w = CreateWindowExA(0, "STATIC", "text", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(w);
    ASSERT_TRUE(SubclassA::Attach(w, nullptr));
    EXPECT_FALSE(SubclassA::Attach(w, nullptr)) << "once per table";
    ASSERT_TRUE(SubclassB::Attach(w, &seen));
    EXPECT_EQ(SubclassB::Table().Find(w).data, &seen);

    seen.clear();
    SendMessageA(w, WM_USER + 7, 0, 0);
    EXPECT_EQ(seen, "ba") << "the later subclass first, then the earlier";
    char text[16] = {};
    EXPECT_EQ(SendMessageA(w, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text)), 4);
    EXPECT_STREQ(text, "text") << "the static control's own procedure answers";

    DestroyWindow(w);
    EXPECT_EQ(SubclassA::Table().Size(), 0u);
    EXPECT_EQ(SubclassB::Table().Size(), 0u);
    EXPECT_EQ(SubclassA::Table().Find(w).previous, nullptr);
}

}  // namespace
