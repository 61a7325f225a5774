// The accessible object of a window: IAccessible over what its control says (accessible_controls.cpp),
// handed to screen readers at WM_GETOBJECT, with the events of its changes.
#include "app/win32/accessible.h"
#include "app/win32/accessible_window.h"

#include "platform/win32/com_apartment.h"
#include "platform/win32/system_library.h"
#include "wingui/subclass.h"

namespace app::win32 {
namespace {

using platform::win32::LoadSystemLibrary;
using platform::win32::SystemFunction;
using wingui::Subclass;
using wingui::SubclassTable;

// oleacc, oleaut32 and ole32 are loaded when a screen reader first asks, not as imports:
// without one they would only slow every start. Each stays loaded once it is.
struct Oleacc {
    decltype(LresultFromObject)* lresultFromObject;
    decltype(AccessibleObjectFromWindow)* objectFromWindow;
    decltype(SysAllocStringLen)* allocString;
    decltype(CoDisconnectObject)* disconnect;

    bool Complete() const { return lresultFromObject && objectFromWindow && allocString && disconnect; }
};

const Oleacc& Ole() {
    static const Oleacc ole = [] {
        const HMODULE oleacc = LoadSystemLibrary("oleacc.dll");
        const HMODULE oleaut32 = LoadSystemLibrary("oleaut32.dll");
        const HMODULE ole32 = LoadSystemLibrary("ole32.dll");
        return Oleacc{SystemFunction<decltype(LresultFromObject)>(oleacc, "LresultFromObject"),
                      SystemFunction<decltype(AccessibleObjectFromWindow)>(
                          oleacc, "AccessibleObjectFromWindow"),
                      SystemFunction<decltype(SysAllocStringLen)>(oleaut32, "SysAllocStringLen"),
                      SystemFunction<decltype(CoDisconnectObject)>(ole32, "CoDisconnectObject")};
    }();
    return ole;
}

// VariantInit without oleaut32: all it does is mark the VARIANT empty.
void EmptyVariant(VARIANT* v) { v->vt = VT_EMPTY; }

// The message that carries a default action from the screen reader's call to the window:
// the call returns at once, and the click runs from the message loop as a user's would, so a
// message box it opens does not hold the screen reader.
UINT PressMessage() {
    static const UINT message = RegisterWindowMessageA("DravikAccessiblePress");
    return message;
}

// The IAccessible object of one window. Its link to the control is cleared when the window
// goes (Disconnect), after which it answers CO_E_OBJNOTCONNECTED: a screen reader in another
// process may hold it for as long as it likes.
class WindowAccessible final : public IAccessible {
public:
    WindowAccessible(HWND hwnd, AccessibleControl& control) : hwnd_(hwnd), control_(&control) {}
    WindowAccessible(const WindowAccessible&) = delete;
    WindowAccessible& operator=(const WindowAccessible&) = delete;

    void Disconnect() {
        control_ = nullptr;
        hwnd_ = nullptr;
    }

    // --- IUnknown ---
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        if (IsEqualGUID(riid, IID_IUnknown) || IsEqualGUID(riid, IID_IDispatch) ||
            IsEqualGUID(riid, kIIDAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&refs_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

    // --- IDispatch: screen readers call IAccessible directly; no type library ---
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // --- IAccessible ---
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!control_) return CO_E_OBJNOTCONNECTED;
        // The client area's parent is its window, as the system's own objects have it.
        return Ole().objectFromWindow(hwnd_, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                          reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        if (!control_) return CO_E_OBJNOTCONNECTED;
        *count = control_->ChildCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        AccessibleElement e;
        const HRESULT hr = Element(child, e);
        if (FAILED(hr)) return hr;
        // The children are simple elements: no object of their own.
        return ChildId(child) == CHILDID_SELF ? E_INVALIDARG : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        if (!name) return E_POINTER;
        *name = nullptr;
        AccessibleElement e;
        const HRESULT hr = Element(child, e);
        if (FAILED(hr)) return hr;
        return String(e.name, name);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        if (!value) return E_POINTER;
        *value = nullptr;
        AccessibleElement e;
        const HRESULT hr = Element(child, e);
        return FAILED(hr) ? hr : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
        return NoText(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Number(child, role, [](const AccessibleElement& e) { return e.role; });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Number(child, state, [](const AccessibleElement& e) { return e.state; });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override {
        return NoText(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return control_ ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        if (!shortcut) return E_POINTER;
        *shortcut = nullptr;
        AccessibleElement e;
        const HRESULT hr = Element(child, e);
        if (FAILED(hr)) return hr;
        wchar_t key = 0;
        if (ChildId(child) == CHILDID_SELF) SpokenText(hwnd_, &key);
        if (!key) return S_FALSE;
        wchar_t upper[2] = {key, 0};
        CharUpperW(upper);
        return String(std::wstring(L"Alt+") + upper, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) return E_POINTER;
        EmptyVariant(focus);
        if (!control_) return CO_E_OBJNOTCONNECTED;
        if (GetFocus() != hwnd_) return S_FALSE;
        *focus = ChildVariant(CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection) return E_POINTER;
        EmptyVariant(selection);
        return control_ ? S_FALSE : CO_E_OBJNOTCONNECTED;  // nothing here is selectable
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        if (!action) return E_POINTER;
        *action = nullptr;
        AccessibleElement e;
        const HRESULT hr = Element(child, e);
        if (FAILED(hr)) return hr;
        return e.pressable ? String(L"Press", action) : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        AccessibleElement e;
        const HRESULT hr = Element(child, e);
        if (FAILED(hr)) return hr;
        // Taking the focus is the one selection a button knows.
        if (flags != SELFLAG_TAKEFOCUS || !(e.state & STATE_SYSTEM_FOCUSABLE) ||
            ChildId(child) != CHILDID_SELF)
            return DISP_E_MEMBERNOTFOUND;
        SetFocus(hwnd_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        AccessibleElement e;
        const HRESULT hr = Element(child, e);
        if (FAILED(hr)) return hr;
        *left = e.screen.left;
        *top = e.screen.top;
        *width = e.screen.right - e.screen.left;
        *height = e.screen.bottom - e.screen.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!end) return E_POINTER;
        EmptyVariant(end);
        AccessibleElement e;
        const HRESULT hr = Element(start, e);
        if (FAILED(hr)) return hr;
        // Only among the simple elements inside; the window's siblings are its parent's.
        const long from = ChildId(start), count = control_->ChildCount();
        long to = 0;
        switch (direction) {
        case NAVDIR_FIRSTCHILD: to = from == CHILDID_SELF && count > 0 ? 1 : 0; break;
        case NAVDIR_LASTCHILD: to = from == CHILDID_SELF ? count : 0; break;
        case NAVDIR_NEXT: to = from != CHILDID_SELF && from < count ? from + 1 : 0; break;
        case NAVDIR_PREVIOUS: to = from > 1 ? from - 1 : 0; break;
        default: return DISP_E_MEMBERNOTFOUND;
        }
        if (to == 0) return S_FALSE;
        *end = ChildVariant(to);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (!hit) return E_POINTER;
        EmptyVariant(hit);
        if (!control_) return CO_E_OBJNOTCONNECTED;
        POINT at{x, y};
        RECT rc = ScreenRect(hwnd_);
        if (!PtInRect(&rc, at)) return S_FALSE;
        ScreenToClient(hwnd_, &at);
        *hit = ChildVariant(control_->ChildAt(at));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        AccessibleElement e;
        const HRESULT hr = Element(child, e);
        if (FAILED(hr)) return hr;
        if (!e.pressable) return DISP_E_MEMBERNOTFOUND;
        PostMessageA(hwnd_, PressMessage(), static_cast<WPARAM>(ChildId(child)), 0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
    ~WindowAccessible() = default;

    static long ChildId(const VARIANT& child) { return child.vt == VT_I4 ? child.lVal : -1; }

    // The element a VARIANT names: CO_E_OBJNOTCONNECTED once the window is gone, E_INVALIDARG
    // for anything but a number of one of its elements.
    HRESULT Element(const VARIANT& child, AccessibleElement& out) const {
        if (!control_) return CO_E_OBJNOTCONNECTED;
        if (child.vt != VT_I4 || child.lVal < 0 || !control_->Describe(child.lVal, out))
            return E_INVALIDARG;
        return S_OK;
    }
    static HRESULT String(const std::wstring& text, BSTR* out) {
        *out = Ole().allocString(text.data(), static_cast<UINT>(text.size()));
        return *out ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT NoText(const VARIANT& child, BSTR* text) const {
        if (!text) return E_POINTER;
        *text = nullptr;
        AccessibleElement e;
        const HRESULT hr = Element(child, e);
        return FAILED(hr) ? hr : S_FALSE;
    }
    template <typename Field>
    HRESULT Number(const VARIANT& child, VARIANT* out, Field field) const {
        if (!out) return E_POINTER;
        EmptyVariant(out);
        AccessibleElement e;
        const HRESULT hr = Element(child, e);
        if (FAILED(hr)) return hr;
        out->vt = VT_I4;
        out->lVal = field(e);
        return S_OK;
    }

    LONG refs_ = 1;
    HWND hwnd_;
    AccessibleControl* control_;
};

// What the subclass of one accessible window holds.
struct Accessible {
    std::unique_ptr<AccessibleControl> control;
    WindowAccessible* object = nullptr;  // made at the first question, one reference held
};

// The changes of the client object that a screen reader learns of by events, as Windows' own
// controls raise them for theirs. The system raises the focus event itself (for any window
// that takes the focus, on Windows and Wine alike), and raises the others for the window
// object only, where it raises them at all (Wine 8 raises none): the object that answers for
// the control is its client object.
void ClientEvent(DWORD event, HWND hwnd) {
    NotifyWinEvent(event, hwnd, OBJID_CLIENT, CHILDID_SELF);
}

bool AccessibleHook(void* data, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                    LRESULT& result) {
    auto* self = static_cast<Accessible*>(data);
    switch (msg) {
    case WM_SETTEXT: {
        // The name is the window text: the event goes out once the text is set.
        SubclassTable& table = Subclass<AccessibleHook>::Table();
        result = table.CallPrevious(table.Find(hwnd), hwnd, msg, wParam, lParam);
        if (result) ClientEvent(EVENT_OBJECT_NAMECHANGE, hwnd);
        return true;
    }
    case WM_ENABLE: ClientEvent(EVENT_OBJECT_STATECHANGE, hwnd); return false;  // set already
    case WM_WINDOWPOSCHANGED: {
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
        if (flags & SWP_SHOWWINDOW) ClientEvent(EVENT_OBJECT_SHOW, hwnd);
        if (flags & SWP_HIDEWINDOW) ClientEvent(EVENT_OBJECT_HIDE, hwnd);
        return false;
    }
    default: break;
    }
    if (msg == WM_GETOBJECT && static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT)) {
        // Marshalling the object needs the thread in its apartment. Without oleacc the
        // system's stand-in object answers, as it would for any window.
        if (!platform::win32::ComApartment::Join() || !Ole().Complete()) return false;
        if (!self->object) self->object = new WindowAccessible(hwnd, *self->control);
        result = Ole().lresultFromObject(kIIDAccessible, wParam, self->object);
        return true;
    }
    if (msg == PressMessage()) {
        // The state now, not at the screen reader's call: a click cannot reach a disabled
        // window, nor one inside a disabled window.
        AccessibleElement e;
        if (ReachesInput(hwnd) && self->control->Describe(static_cast<int>(wParam), e) &&
            e.pressable)
            self->control->Press(static_cast<int>(wParam));
        result = 0;
        return true;
    }
    if (msg == WM_NCDESTROY) {
        if (self->object) {
            self->object->Disconnect();
            // Lets go of the stubs that screen readers reach it through: their proxies now
            // answer as disconnected, and the object goes with the last reference.
            Ole().disconnect(self->object, 0);
            self->object->Release();
        }
        delete self;
    }
    return false;
}

}  // namespace

void MakeAccessible(HWND window, std::unique_ptr<AccessibleControl> control) {
    if (!window || !control) return;
    auto* data = new Accessible{std::move(control)};
    if (!Subclass<AccessibleHook>::Attach(window, data)) delete data;
}

}  // namespace app::win32
