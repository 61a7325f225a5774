#include "desk_shell.h"

#include <commctrl.h>
#include <exdisp.h>
#include <servprov.h>
#include <shlobj.h>
#include <shobjidl.h>

namespace desk_shell {

const GUID kClsidShellWindows = {0x9BA05972, 0xF6A8, 0x11CF, {0xA4, 0x42, 0x00, 0xA0, 0xC9, 0x0A, 0x8F, 0x39}};

namespace {

// The ids this side answers to. MinGW declares them with __uuidof, so nothing of its uuid
// library is linked.
const GUID kSidTopLevelBrowser = {0x4C96BE40, 0x915C, 0x11CF, {0x99, 0xD3, 0x00, 0xAA, 0x00, 0x4A, 0xE8, 0x37}};

LONG g_live = 0;

// What every object here shares: its reference count and the live count.
class Counted {
public:
    Counted() { InterlockedIncrement(&g_live); }
    virtual ~Counted() { InterlockedDecrement(&g_live); }
    ULONG AddRefImpl() { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG ReleaseImpl() {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

private:
    LONG refs_ = 1;
};

#define DESK_UNKNOWN                                                         \
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }       \
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }

// IDispatch where the shell's interfaces derive from it: nothing to automate.
#define DESK_NO_DISPATCH                                                                          \
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override {                                \
        if (n) *n = 0;                                                                            \
        return S_OK;                                                                              \
    }                                                                                             \
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override {                 \
        if (out) *out = nullptr;                                                                  \
        return E_NOTIMPL;                                                                         \
    }                                                                                             \
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {    \
        return E_NOTIMPL;                                                                         \
    }                                                                                             \
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, \
                                     UINT*) override {                                            \
        return E_NOTIMPL;                                                                         \
    }

struct Desk {
    const Windows* windows;
    Hooks* hooks;
};

// An id list of one item holding the item's index, allocated with CoTaskMemAlloc as the
// caller frees it with CoTaskMemFree.
#pragma pack(push, 1)
struct ItemId {
    USHORT cb;
    int index;
    USHORT end;
};
#pragma pack(pop)

PITEMID_CHILD NewItemId(int index) {
    auto* id = static_cast<ItemId*>(CoTaskMemAlloc(sizeof(ItemId)));
    if (!id) return nullptr;
    id->cb = sizeof(USHORT) + sizeof(int);
    id->index = index;
    id->end = 0;
    return reinterpret_cast<PITEMID_CHILD>(id);
}

bool IndexOf(PCUITEMID_CHILD pidl, int& index) {
    if (!pidl) return false;
    const auto* id = reinterpret_cast<const ItemId*>(pidl);
    if (id->cb != sizeof(USHORT) + sizeof(int) || id->end != 0) return false;
    index = id->index;
    return true;
}

class View final : public Counted, public IShellView, public IFolderView2 {
public:
    explicit View(const Desk& desk) : desk_(desk) {}
    DESK_UNKNOWN
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IOleWindow) || riid == __uuidof(IShellView))
            *out = static_cast<IShellView*>(this);
        else if (riid == __uuidof(IFolderView) || riid == __uuidof(IFolderView2))
            *out = static_cast<IFolderView2*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }

    // IOleWindow / IShellView
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        const HRESULT hr = Enter("GetWindow");
        if (FAILED(hr)) return hr;
        *window = desk_.windows->view;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnableModeless(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UIActivate(UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Refresh() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CreateViewWindow(IShellView*, LPCFOLDERSETTINGS, IShellBrowser*, RECT*,
                                               HWND*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE DestroyViewWindow() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCurrentInfo(LPFOLDERSETTINGS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AddPropertySheetPages(DWORD, LPFNSVADDPROPSHEETPAGE, LPARAM) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SaveViewState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SelectItem(PCUITEMID_CHILD, SVSIF) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetItemObject(UINT, REFIID, void** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }

    // IFolderView
    HRESULT STDMETHODCALLTYPE GetCurrentViewMode(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetCurrentViewMode(UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFolder(REFIID, void** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Item(int index, PITEMID_CHILD* pidl) override {
        if (!pidl) return E_POINTER;
        *pidl = nullptr;
        const HRESULT hr = Enter("Item");
        if (FAILED(hr)) return hr;
        if (index < 0 || index >= Count()) return E_INVALIDARG;
        *pidl = NewItemId(index);
        return *pidl ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE ItemCount(UINT, int* count) override {
        const HRESULT hr = Enter("ItemCount");
        if (FAILED(hr)) return hr;
        *count = Count();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Items(UINT, REFIID, void** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetSelectionMarkedItem(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetFocusedItem(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetItemPosition(PCUITEMID_CHILD pidl, POINT* p) override {
        const HRESULT hr = Enter("GetItemPosition");
        if (FAILED(hr)) return hr;
        int index = 0;
        if (!IndexOf(pidl, index) || index < 0 || index >= Count()) return E_INVALIDARG;
        *p = POINT{};
        return SendMessageA(desk_.windows->list, LVM_GETITEMPOSITION, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(p))
                   ? S_OK
                   : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE GetSpacing(POINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetDefaultSpacing(POINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetAutoArrange() override {
        const HRESULT hr = Enter("GetAutoArrange");
        if (FAILED(hr)) return hr;
        return AutoArrangeOn() ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE SelectItem(int, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SelectAndPositionItems(UINT n, PCUITEMID_CHILD_ARRAY ids, POINT* points,
                                                     DWORD flags) override {
        const HRESULT hr = Enter("SelectAndPositionItems");
        if (FAILED(hr)) return hr;
        if (n && (!ids || !points)) return E_INVALIDARG;
        if (!(flags & SVSI_POSITIONITEM)) return S_OK;
        const int count = Count();
        for (UINT k = 0; k < n; ++k) {
            int index = 0;
            if (!IndexOf(ids[k], index) || index < 0 || index >= count) return E_INVALIDARG;
        }
        for (UINT k = 0; k < n; ++k) {
            int index = 0;
            IndexOf(ids[k], index);
            POINT p = points[k];
            SendMessageA(desk_.windows->list, LVM_SETITEMPOSITION32, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&p));
            desk_.hooks->Positioned(index, points[k]);
        }
        return S_OK;
    }

    // IFolderView2
    HRESULT STDMETHODCALLTYPE SetGroupBy(REFPROPERTYKEY, WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetGroupBy(PROPERTYKEY*, WINBOOL*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetViewProperty(PCUITEMID_CHILD, REFPROPERTYKEY, REFPROPVARIANT) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetViewProperty(PCUITEMID_CHILD, REFPROPERTYKEY, PROPVARIANT*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetTileViewProperties(PCUITEMID_CHILD, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetExtendedTileViewProperties(PCUITEMID_CHILD, LPCWSTR) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetText(FVTEXTTYPE, LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetCurrentFolderFlags(DWORD mask, DWORD flags) override {
        const HRESULT hr = Enter("SetCurrentFolderFlags");
        if (FAILED(hr)) return hr;
        if (mask & FWF_AUTOARRANGE) {
            const LONG style = GetWindowLongA(desk_.windows->list, GWL_STYLE);
            SetWindowLongA(desk_.windows->list, GWL_STYLE,
                           (flags & FWF_AUTOARRANGE) ? style | LONG{LVS_AUTOARRANGE} : style & ~LONG{LVS_AUTOARRANGE});
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetCurrentFolderFlags(DWORD* flags) override {
        const HRESULT hr = Enter("GetCurrentFolderFlags");
        if (FAILED(hr)) return hr;
        *flags = AutoArrangeOn() ? DWORD{FWF_AUTOARRANGE} : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetSortColumnCount(int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetSortColumns(const SORTCOLUMN*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSortColumns(SORTCOLUMN*, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetItem(int, REFIID, void** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetVisibleItem(int, WINBOOL, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSelectedItem(int, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetSelection(WINBOOL, IShellItemArray** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetSelectionState(PCUITEMID_CHILD, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InvokeVerbOnSelection(LPCSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetViewModeAndIconSize(FOLDERVIEWMODE, int) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetViewModeAndIconSize(FOLDERVIEWMODE*, int*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetGroupSubsetCount(UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetGroupSubsetCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetRedraw(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsMoveInSameFolder() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DoRename() override { return E_NOTIMPL; }

private:
    HRESULT Enter(const char* method) { return desk_.hooks->Enter(method); }
    // The items never change here, so the count is asked once: Explorer answers Item and
    // GetItemPosition from memory, and a message per call would weigh on the benchmark.
    int Count() {
        if (count_ < 0) count_ = static_cast<int>(SendMessageA(desk_.windows->list, LVM_GETITEMCOUNT, 0, 0));
        return count_;
    }
    bool AutoArrangeOn() const { return (GetWindowLongA(desk_.windows->list, GWL_STYLE) & LVS_AUTOARRANGE) != 0; }

    Desk desk_;
    int count_ = -1;
};

// The desktop's browser as FindWindowSW hands it out: an IDispatch that is also the service
// provider of its top-level browser.
class Browser final : public Counted, public IDispatch, public IServiceProvider, public IShellBrowser {
public:
    explicit Browser(const Desk& desk) : desk_(desk) {}
    DESK_UNKNOWN
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid == __uuidof(IUnknown) || riid == __uuidof(IDispatch))
            *out = static_cast<IDispatch*>(this);
        else if (riid == __uuidof(IServiceProvider))
            *out = static_cast<IServiceProvider*>(this);
        else if (riid == __uuidof(IOleWindow) || riid == __uuidof(IShellBrowser))
            *out = static_cast<IShellBrowser*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }

    DESK_NO_DISPATCH

    // IServiceProvider
    HRESULT STDMETHODCALLTYPE QueryService(REFGUID service, REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        const HRESULT hr = desk_.hooks->Enter("QueryService");
        if (FAILED(hr)) return hr;
        if (service != kSidTopLevelBrowser) return E_NOINTERFACE;
        return QueryInterface(riid, out);
    }

    // IOleWindow / IShellBrowser
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
        *window = desk_.windows->top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenuSB(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RemoveMenusSB(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusTextSB(LPCWSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnableModelessSB(WINBOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE TranslateAcceleratorSB(MSG*, WORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE BrowseObject(PCUIDLIST_RELATIVE, UINT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetViewStateStream(DWORD, IStream** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetControlWindow(UINT, HWND*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryActiveShellView(IShellView** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        const HRESULT hr = desk_.hooks->Enter("QueryActiveShellView");
        if (FAILED(hr)) return hr;
        *out = new View(desk_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnViewWindowActive(IShellView*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetToolbarItems(LPTBBUTTONSB, UINT, UINT) override { return E_NOTIMPL; }

private:
    Desk desk_;
};

class ShellWindows final : public Counted, public IShellWindows {
public:
    explicit ShellWindows(const Desk& desk) : desk_(desk) {}
    DESK_UNKNOWN
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid != __uuidof(IUnknown) && riid != __uuidof(IDispatch) && riid != __uuidof(IShellWindows))
            return E_NOINTERFACE;
        *out = static_cast<IShellWindows*>(this);
        AddRef();
        return S_OK;
    }

    DESK_NO_DISPATCH

    HRESULT STDMETHODCALLTYPE get_Count(LONG* n) override {
        if (n) *n = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Item(VARIANT, IDispatch** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE _NewEnum(IUnknown** out) override {
        if (out) *out = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Register(IDispatch*, LONG, int, LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RegisterPending(LONG, VARIANT*, VARIANT*, int, LONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Revoke(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnNavigate(LONG, VARIANT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnActivated(LONG, VARIANT_BOOL) override { return E_NOTIMPL; }
    // The desktop is found as Explorer finds it: CSIDL_DESKTOP as a VT_I4 location and the
    // SWC_DESKTOP class; anything else is no window (S_FALSE, no object).
    HRESULT STDMETHODCALLTYPE FindWindowSW(VARIANT* location, VARIANT*, int windowClass, LONG* hwnd, int options,
                                           IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        const HRESULT hr = desk_.hooks->Enter("FindWindowSW");
        if (FAILED(hr) || hr == S_FALSE) return hr;
        if (!location || location->vt != VT_I4 || location->lVal != CSIDL_DESKTOP || windowClass != SWC_DESKTOP)
            return S_FALSE;
        if (hwnd) *hwnd = static_cast<LONG>(reinterpret_cast<LONG_PTR>(desk_.windows->top));
        if (options & SWFO_NEEDDISPATCH) *out = new Browser(desk_);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnCreated(LONG, IUnknown*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ProcessAttachDetach(VARIANT_BOOL) override { return E_NOTIMPL; }

private:
    Desk desk_;
};

class Factory final : public Counted, public IClassFactory {
public:
    explicit Factory(const Desk& desk) : desk_(desk) {}
    DESK_UNKNOWN
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (riid != __uuidof(IUnknown) && riid != __uuidof(IClassFactory)) return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID riid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (outer) return CLASS_E_NOAGGREGATION;
        auto* windows = new ShellWindows(desk_);
        const HRESULT hr = windows->QueryInterface(riid, out);
        windows->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(WINBOOL) override { return S_OK; }

private:
    Desk desk_;
};

}  // namespace

IClassFactory* NewShellWindowsFactory(const Windows* windows, Hooks* hooks) {
    return new Factory(Desk{windows, hooks});
}

void ServeDesktop(ServedDesktop& desk) {
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);  // the thread's queue, for WM_QUIT
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const char* name : {"Progman", "SHELLDLL_DefView"}) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = instance;
        wc.lpszClassName = name;
        RegisterClassA(&wc);  // fails harmlessly when an earlier desktop registered it
    }
    HWND top = CreateWindowExA(WS_EX_TOOLWINDOW, "Progman", "Program Manager", WS_POPUP | WS_VISIBLE, 0, 0,
                               desk.width, desk.height, nullptr, nullptr, instance, nullptr);
    HWND view = CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE, 0, 0, desk.width, desk.height,
                                top, nullptr, instance, nullptr);
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "FolderView", WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SHAREIMAGELISTS,
                                0, 0, desk.width, desk.height, view, nullptr, instance, nullptr);
    IClassFactory* factory = nullptr;
    DWORD cookie = 0;
    if (top && view && list) {
        for (size_t i = 0; i < desk.positions.size(); ++i) {
            char text[32];
            wsprintfA(text, "Icon %d", static_cast<int>(i));
            LVITEMA item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(i);
            item.pszText = text;
            SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        }
        SetWindowPos(top, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        // Wine's list view arranges its items at its first paint: paint, then place them.
        UpdateWindow(top);
        UpdateWindow(list);
        for (size_t i = 0; i < desk.positions.size(); ++i)
            SendMessageA(list, LVM_SETITEMPOSITION32, i, reinterpret_cast<LPARAM>(&desk.positions[i]));
        desk.windows = {top, view, list};
        factory = NewShellWindowsFactory(&desk.windows, desk.hooks);
        desk.registered = SUCCEEDED(CoRegisterClassObject(kClsidShellWindows, factory, CLSCTX_LOCAL_SERVER,
                                                          REGCLS_MULTIPLEUSE, &cookie));
    }
    SetEvent(desk.ready);
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    if (desk.registered) CoRevokeClassObject(cookie);
    if (factory) factory->Release();
    if (top) DestroyWindow(top);
    CoUninitialize();
}

LONG LiveObjects() { return InterlockedCompareExchange(&g_live, 0, 0); }

}  // namespace desk_shell
