#pragma once
// What a screen reader hears of the skinned controls. Without an answer of their own to
// WM_GETOBJECT, the system's stand-in object calls every one of them "client" with its window
// text, and gives no state and no action. Each skinned button, each frame (for its caption
// buttons) and the maker label answer OBJID_CLIENT with an IAccessible object of their own
// instead: a push button or a link, named by its caption, with its state, and the default
// action "Press", which does what a click on it does.
#include <windows.h>

#include <oleacc.h>

#include <functional>
#include <memory>
#include <string>

namespace controls {
class SkinnedFrame;
}

namespace app::win32 {

// IID_IAccessible. MinGW-w64's import library gives one that Wine's oleacc does not take:
// AccessibleObjectFromWindow and the marshalling of LresultFromObject then fail with
// E_NOINTERFACE. The value is the interface's, from its documentation.
inline constexpr GUID kIIDAccessible = {
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

// The VARIANT that names element `child` of an accessible object (CHILDID_SELF: the object).
inline VARIANT ChildVariant(long child) {
    VARIANT v{};
    v.vt = VT_I4;
    v.lVal = child;
    return v;
}

// One element as a screen reader sees it: the control itself (child 0), or one of the simple
// elements inside it (1 up; the frame's caption buttons).
struct AccessibleElement {
    long role = 0;          // ROLE_SYSTEM_...
    std::wstring name;
    RECT screen{};          // where it shows, in screen coordinates
    long state = 0;         // STATE_SYSTEM_...
    bool pressable = false; // its default action is "Press"
};

// What the accessible object of one window reads from its control and does to it. Owned by
// the window: made when the window is made accessible, freed when the window is destroyed.
class AccessibleControl {
public:
    AccessibleControl() = default;
    AccessibleControl(const AccessibleControl&) = delete;
    AccessibleControl& operator=(const AccessibleControl&) = delete;
    virtual ~AccessibleControl() = default;

    // The simple elements inside the control, numbered from 1.
    virtual int ChildCount() const { return 0; }
    // Element `child` (0: the control); false when there is none of that number.
    virtual bool Describe(int child, AccessibleElement& out) const = 0;
    // The element under client pixel `at`, 0 for the control itself.
    virtual int ChildAt(POINT) const { return 0; }
    // What a click on the element does. Runs from the window's own message, never inside the
    // screen reader's call, and only while a click could reach the element.
    virtual void Press(int child) = 0;
};

// The window answers WM_GETOBJECT for OBJID_CLIENT with one accessible object over `control`
// until it is destroyed; after that the object, which a screen reader may still hold, answers
// every question with CO_E_OBJNOTCONNECTED. Meanwhile it raises the client object's events as
// Windows' own controls do: shown and hidden, its state when the window is enabled or
// disabled, its name when its window text changes (the focus event is the system's own).
void MakeAccessible(HWND window, std::unique_ptr<AccessibleControl> control);

// A skinned push button (either kind): role push button, named by its window text (its
// caption), unavailable while it or its window is disabled, focusable with a tab stop, focused
// while it has the focus, default when it answers WM_GETDLGCODE as the default push button,
// pressed while it answers BM_GETSTATE with BST_PUSHED (held down).
// "Press" sends it BM_CLICK, the click its access key gives, which the button handles as the
// click of a left press and release on it.
void MakeButtonAccessible(HWND button);

// A label that opens something when clicked (a static with SS_NOTIFY): role link, named by
// its text. "Press" sends its parent the STN_CLICKED notification that a click on it gives.
void MakeLinkAccessible(HWND label);

// A picture-drawn frame: named by its caption, with its caption buttons that show as push
// buttons inside it ("Close"; "Maximize" and "Minimize" when they show). "Press" on one is the
// frame's click on that button: the close button unloads the window. `scale` gives the
// window's scale of the moment: the frame lays itself out in its 100% pixels, and a screen
// reader asks for places and points in the screen's.
void MakeFrameAccessible(HWND frame, controls::SkinnedFrame& model, std::function<double()> scale);

}  // namespace app::win32
