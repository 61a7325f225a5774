#pragma once
// The shell's objects around a desktop list view, as Explorer serves them from Windows Vista
// on: a ShellWindows whose FindWindowSW(CSIDL_DESKTOP, SWC_DESKTOP) hands out the desktop's
// browser (IDispatch, IServiceProvider, IShellBrowser), whose active shell view (IShellView,
// IFolderView, IFolderView2) works on a real "SysListView32". Served by testdesk.exe to other
// processes and by the Win32 tests in their own process.
//
// An item's id list holds its list-view index (items are never reordered here), so the view's
// order is the list view's index order, as on Windows. Positions go through
// LVM_GETITEMPOSITION / LVM_SETITEMPOSITION32, auto-arrange is the list view's
// LVS_AUTOARRANGE style.
#include <windows.h>
#include <objbase.h>

#include <vector>

namespace desk_shell {

// What the user of the objects hears of their calls.
class Hooks {
public:
    virtual ~Hooks() = default;
    // Called on entry to every method of the view chain with the method's name, on the thread
    // that runs the call. A failure it returns is the method's answer; it may also block.
    virtual HRESULT Enter(const char* /*method*/) { return S_OK; }
    // SelectAndPositionItems moved item `index` to `p`.
    virtual void Positioned(int /*index*/, POINT /*p*/) {}
};

// The desktop's windows: the top-level window, the view window (IShellView::GetWindow) and
// the list view. Read at each call, so that a class object can be registered before the
// windows are made.
struct Windows {
    HWND top = nullptr;
    HWND view = nullptr;
    HWND list = nullptr;
};

// A class factory of ShellWindows for that desktop. One reference, for the caller; `windows`
// and `hooks` must outlive every object made.
IClassFactory* NewShellWindowsFactory(const Windows* windows, Hooks* hooks);

// A desktop served by a thread of the caller's process, for the Win32 tests and the benchmark.
// Under Wine 8 no other process reaches testdesk's folder view (Wine's RPC service hands out the
// first registration of CLSID_ShellWindows, Wine explorer's), so they serve their own.
struct ServedDesktop {
    int width = 640;
    int height = 480;
    std::vector<POINT> positions;  // one item each, named "Icon 0", "Icon 1", ...
    Hooks* hooks = nullptr;
    HANDLE ready = nullptr;        // set once the desktop is up (or could not be made)
    // Filled in before `ready` is set.
    Windows windows;
    bool registered = false;       // the process's ShellWindows is this desktop's
};

// Runs on the calling thread, which it joins to the multithreaded apartment: makes the desktop's
// windows as Explorer lays them out ("Progman" > "SHELLDLL_DefView" > a list view named
// "FolderView"), registers a ShellWindows for them in the process, sets `ready`, and serves
// until WM_QUIT reaches the thread; then revokes, releases and destroys what it made.
void ServeDesktop(ServedDesktop& desk);

// How many of the objects live (factory included): 0 once every reference is released.
LONG LiveObjects();

// CLSID_ShellWindows, spelled out (see platform/win32/win32_folder_view.cpp for why).
extern const GUID kClsidShellWindows;

}  // namespace desk_shell
