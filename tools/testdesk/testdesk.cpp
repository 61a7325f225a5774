// testdesk: a stand-in for the shell's desktop icon view, for the tests and the benchmark of
// the desktop icon layouts. Wine has no desktop list view of its own, so this program makes
// one: a top-level "Progman" window (or "WorkerW", see --workerw) holding a "SHELLDLL_DefView"
// child holding a real "SysListView32" with items at given positions, in a process of its own,
// as on Windows.
//
//   testdesk serve <log> [options] [x,y ...]   run the desktop until told to quit
//       --items N        N items on a grid (after the explicit positions)
//       --positions F    one "x y" pair per line of file F (after the explicit positions)
//       --auto-arrange   the list view starts with LVS_AUTOARRANGE
//       --workerw        the view hangs under a top-level "WorkerW" instead of "Progman", with an
//                        empty "WorkerW" before it, as on Windows 10 and 11 with a wallpaper
//                        slideshow; "Progman" is there, hidden and empty, and takes the requests
//       --explorer       behaves like Explorer since Windows 10 1809: keeps its own record of
//                        the icons' positions (the start positions, the user's moves, what
//                        SelectAndPositionItems sets) and puts the list view back to it at a
//                        refresh, so positions set by list-view messages do not last
//       --route          --explorer, and serves the desktop's folder view to other processes:
//                        registers its class object of CLSID_ShellWindows (see desk_shell.h)
//   Without --explorer and --route the list view alone holds the positions, as before 1809.
//   testdesk positions                  the running desktop's item positions
//   testdesk move <index> <x> <y>       moves one item of the running desktop, as the user
//                                       drags it (with --explorer also in the record)
//   testdesk refresh                    the desktop's refresh: with --explorer, every item goes
//                                       back to the record
//   testdesk quit                       ends the running desktop
//   testdesk hold <file>                keeps the file open without sharing until ended, as
//                                       another program may; prints "held" once it does
//
// The server writes one record per line to its log, flushed at once:
//   ready      pid=<pid> listview=<hwnd> count=<n> autoarrange=<0|1> route=<0|1> register=<hresult>
//   route      call=<method>                    a call of the folder view's chain reached it
//                                               (per-item calls, Item and GetItemPosition, are
//                                               not logged)
//   command    id=<hex>  autoarrange=<0|1>      a WM_COMMAND at SHELLDLL_DefView
//   setting    wparam=<n> lparam=<n>            a WM_SETTINGCHANGE at Progman
// Like the shell, command 0x7041 switches the list view's automatic arrangement over.
// The clients print records on stdout: "item index=<i> x=<x> y=<y>", "ok".
// Always built for x86_64, so that the i686 Dravik.exe reaches across process and bitness as
// it does into a 64-bit Explorer.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <fcntl.h>
#include <io.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "desk_shell.h"

namespace {

constexpr ULONG_PTR kCopyDataTag = 0x4B534544;  // 'DESK'
constexpr UINT kAutoArrangeCommand = 0x7041;

FILE* g_log = nullptr;
HWND g_progman = nullptr;
HWND g_view = nullptr;
HWND g_worker = nullptr;  // the "WorkerW" holding the view, with --workerw
HWND g_list = nullptr;
// With --explorer: the positions as the desktop keeps them, item by item.
bool g_explorer = false;
std::vector<POINT> g_record;  // guarded by g_recordLock: COM's threads write it too
CRITICAL_SECTION g_recordLock;

void Record(size_t index, POINT p) {
    EnterCriticalSection(&g_recordLock);
    if (index < g_record.size()) g_record[index] = p;
    LeaveCriticalSection(&g_recordLock);
}

void Log(const char* format, ...) {
    if (!g_log) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(g_log, format, args);
    va_end(args);
    std::fputc('\n', g_log);
    std::fflush(g_log);
}

bool AutoArrangeOn() { return (GetWindowLongA(g_list, GWL_STYLE) & LVS_AUTOARRANGE) != 0; }

POINT ItemPosition(int index) {
    POINT p{};
    SendMessageA(g_list, LVM_GETITEMPOSITION, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&p));
    return p;
}

void MoveItem(int index, int x, int y) {
    SendMessageA(g_list, LVM_SETITEMPOSITION, static_cast<WPARAM>(index),
                 MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
}

// The client's request, a line of text: "positions <file>", "move <i> <x> <y>" or "quit".
LRESULT HandleRequest(const std::string& request) {
    if (request.rfind("positions ", 0) == 0) {
        FILE* f = std::fopen(request.c_str() + 10, "wb");
        if (!f) return 0;
        const int count = static_cast<int>(SendMessageA(g_list, LVM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            const POINT p = ItemPosition(i);
            std::fprintf(f, "item\tindex=%d\tx=%ld\ty=%ld\n", i, p.x, p.y);
        }
        std::fprintf(f, "autoarrange\ton=%d\n", AutoArrangeOn() ? 1 : 0);
        std::fclose(f);
        return 1;
    }
    int index = 0, x = 0, y = 0;
    if (std::sscanf(request.c_str(), "move %d %d %d", &index, &x, &y) == 3) {
        MoveItem(index, x, y);
        if (index >= 0) Record(static_cast<size_t>(index), {x, y});
        return 1;
    }
    if (request == "refresh") {
        // Explorer lays its icons out from its own record; what list-view messages set is lost.
        if (!g_explorer) return 1;
        EnterCriticalSection(&g_recordLock);
        const std::vector<POINT> record = g_record;
        LeaveCriticalSection(&g_recordLock);
        for (size_t i = 0; i < record.size(); ++i) MoveItem(static_cast<int>(i), record[i].x, record[i].y);
        return 1;
    }
    if (request == "quit") {
        DestroyWindow(g_progman);
        return 1;
    }
    return 0;
}

LRESULT CALLBACK ProgmanProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SETTINGCHANGE:
        Log("setting\twparam=%lu\tlparam=%ld", static_cast<unsigned long>(wp), static_cast<long>(lp));
        return 0;
    case WM_COPYDATA: {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        if (!data || data->dwData != kCopyDataTag || !data->lpData) return 0;
        return HandleRequest(std::string(static_cast<const char*>(data->lpData), data->cbData));
    }
    case WM_SIZE:
        if (g_view) MoveWindow(g_view, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK WorkerWProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SIZE && g_view && hwnd == g_worker) {
        MoveWindow(g_view, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK DefViewProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (LOWORD(wp) == kAutoArrangeCommand && g_list) {
            // The shell's "Auto Arrange" command: the arrangement is switched over.
            const LONG style = GetWindowLongA(g_list, GWL_STYLE);
            SetWindowLongA(g_list, GWL_STYLE, style ^ LVS_AUTOARRANGE);
        }
        Log("command\tid=0x%04X\tautoarrange=%d", static_cast<unsigned>(LOWORD(wp)),
            g_list && AutoArrangeOn() ? 1 : 0);
        return 0;
    case WM_SIZE:
        if (g_list) MoveWindow(g_list, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// The folder view's calls as the desktop hears them: SelectAndPositionItems goes into the
// record, as Explorer takes what arrives through its view.
class RouteHooks final : public desk_shell::Hooks {
public:
    HRESULT Enter(const char* method) override {
        if (std::strcmp(method, "Item") != 0 && std::strcmp(method, "GetItemPosition") != 0)
            Log("route\tcall=%s", method);
        return S_OK;
    }
    void Positioned(int index, POINT p) override {
        if (index >= 0) Record(static_cast<size_t>(index), p);
    }
};

bool ParsePair(const char* text, POINT& p) {
    long x = 0, y = 0;
    char tail = 0;
    if (std::sscanf(text, "%ld,%ld%c", &x, &y, &tail) != 2) return false;
    p = {x, y};
    return true;
}

int Serve(int argc, char** argv) {
    const char* logPath = argv[2];
    bool autoArrange = false;
    bool underWorkerW = false;
    bool route = false;
    std::vector<POINT> positions;
    for (int i = 3; i < argc; ++i) {
        const std::string arg = argv[i];
        POINT p{};
        if (arg == "--auto-arrange") {
            autoArrange = true;
        } else if (arg == "--workerw") {
            underWorkerW = true;
        } else if (arg == "--explorer") {
            g_explorer = true;
        } else if (arg == "--route") {
            g_explorer = route = true;
        } else if (arg == "--items" && i + 1 < argc) {
            const int n = std::atoi(argv[++i]);
            // A grid of 75 by 70 pixel cells, 20 to a column, as a desktop fills.
            const size_t first = positions.size();
            for (int k = 0; k < n; ++k) {
                const int cell = static_cast<int>(first) + k;
                positions.push_back({20 + 75 * (cell / 20), 10 + 70 * (cell % 20)});
            }
        } else if (arg == "--positions" && i + 1 < argc) {
            FILE* f = std::fopen(argv[++i], "rb");
            if (!f) return std::fprintf(stderr, "cannot read %s\n", argv[i]), 2;
            long x = 0, y = 0;
            while (std::fscanf(f, "%ld %ld", &x, &y) == 2) positions.push_back({x, y});
            std::fclose(f);
        } else if (ParsePair(argv[i], p)) {
            positions.push_back(p);
        } else {
            return std::fprintf(stderr, "bad argument %s\n", argv[i]), 2;
        }
    }
    g_log = std::fopen(logPath, "wb");
    if (!g_log) return std::fprintf(stderr, "cannot write %s\n", logPath), 2;

    // The folder view is served in the multithreaded apartment, registered before the first
    // window is made. Wine's own explorer starts with the first window of the session (here
    // the apartment window of a single-threaded apartment would be that window) and registers
    // CLSID_ShellWindows too, and Wine's RPC service hands other processes the registration
    // made first (WINEDEBUG=trace+ole shows the OXID of the class object they unmarshal). The
    // calls then arrive on COM's threads and reach the list view by messages to this thread.
    RouteHooks hooks;
    desk_shell::Windows windows;
    IClassFactory* factory = nullptr;
    DWORD cookie = 0;
    HRESULT registered = S_FALSE;
    if (route) {
        registered = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(registered)) {
            factory = desk_shell::NewShellWindowsFactory(&windows, &hooks);
            registered = CoRegisterClassObject(desk_shell::kClsidShellWindows, factory, CLSCTX_LOCAL_SERVER,
                                               REGCLS_MULTIPLEUSE, &cookie);
        }
    }

    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA progman{};
    progman.lpfnWndProc = ProgmanProc;
    progman.hInstance = instance;
    progman.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_DESKTOP + 1);
    progman.lpszClassName = "Progman";
    WNDCLASSA defView{};
    defView.lpfnWndProc = DefViewProc;
    defView.hInstance = instance;
    defView.lpszClassName = "SHELLDLL_DefView";
    WNDCLASSA worker{};
    worker.lpfnWndProc = WorkerWProc;
    worker.hInstance = instance;
    worker.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_DESKTOP + 1);
    worker.lpszClassName = "WorkerW";
    if (!RegisterClassA(&progman) || !RegisterClassA(&defView) || !RegisterClassA(&worker))
        return std::fprintf(stderr, "cannot register the window classes\n"), 1;

    // A desktop-sized window low in the z-order, as the shell's: the tests' other windows
    // (Dravik's top-most main window) stay visible above it.
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    g_progman = CreateWindowExA(WS_EX_TOOLWINDOW, "Progman", "Program Manager", WS_POPUP, 0, 0, width,
                                height, nullptr, nullptr, instance, nullptr);
    HWND host = g_progman;
    if (underWorkerW) {
        g_worker = CreateWindowExA(WS_EX_TOOLWINDOW, "WorkerW", "", WS_POPUP, 0, 0, width, height,
                                   nullptr, nullptr, instance, nullptr);
        host = g_worker;
    }
    g_view = CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD | WS_VISIBLE, 0, 0, width, height,
                             host, nullptr, instance, nullptr);
    DWORD style = WS_CHILD | WS_VISIBLE | LVS_ICON | LVS_SHAREIMAGELISTS;
    if (autoArrange) style |= LVS_AUTOARRANGE;
    g_list = CreateWindowExA(0, WC_LISTVIEWA, "FolderView", style, 0, 0, width, height, g_view,
                             reinterpret_cast<HMENU>(1), instance, nullptr);
    if (!g_progman || !host || !g_view || !g_list)
        return std::fprintf(stderr, "cannot create the windows\n"), 1;
    // Made later, the empty "WorkerW" lies above the view's in the z-order, so a search of the
    // "WorkerW" windows meets it first. Hidden: it only has to be found.
    if (underWorkerW && !CreateWindowExA(WS_EX_TOOLWINDOW, "WorkerW", "", WS_POPUP, 0, 0, width,
                                         height, nullptr, nullptr, instance, nullptr))
        return std::fprintf(stderr, "cannot create the windows\n"), 1;

    for (size_t i = 0; i < positions.size(); ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "Icon %u", static_cast<unsigned>(i));
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = text;
        SendMessageA(g_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    // Wine's list view arranges its items at its first paint: paint first, then place them.
    ShowWindow(host, SW_SHOWNOACTIVATE);
    SetWindowPos(host, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    UpdateWindow(host);
    UpdateWindow(g_list);
    for (size_t i = 0; i < positions.size(); ++i)
        MoveItem(static_cast<int>(i), positions[i].x, positions[i].y);

    EnterCriticalSection(&g_recordLock);
    g_record = positions;
    LeaveCriticalSection(&g_recordLock);
    windows = {host, g_view, g_list};


    Log("ready\tpid=%lu\tlistview=0x%llX\tcount=%d\tautoarrange=%d\troute=%d\tregister=0x%08lX",
        static_cast<unsigned long>(GetCurrentProcessId()),
        static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(g_list)),
        static_cast<int>(SendMessageA(g_list, LVM_GETITEMCOUNT, 0, 0)), AutoArrangeOn() ? 1 : 0, route ? 1 : 0,
        static_cast<unsigned long>(registered));

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    if (route && registered == S_OK) CoRevokeClassObject(cookie);
    if (factory) factory->Release();
    if (route) CoUninitialize();
    Log("quit");
    std::fclose(g_log);
    return 0;
}

// Sends a request to the running desktop; 1 when it is not there or refused the request.
int Request(const std::string& request) {
    HWND progman = FindWindowA("Progman", nullptr);
    if (!progman) return std::puts("error\tmessage=no desktop"), 1;
    COPYDATASTRUCT data{kCopyDataTag, static_cast<DWORD>(request.size()),
                        const_cast<char*>(request.data())};
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(progman, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NORMAL,
                             20000, &result) ||
        result != 1)
        return std::puts("error\tmessage=request failed"), 1;
    return 0;
}

int Positions() {
    char folder[MAX_PATH], file[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "dsk", 0, file)) return 1;
    int rc = Request(std::string("positions ") + file);
    if (rc == 0) {
        FILE* f = std::fopen(file, "rb");
        if (!f) {
            rc = 1;
        } else {
            char buf[4096];
            size_t n = 0;
            while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) std::fwrite(buf, 1, n, stdout);
            std::fclose(f);
        }
    }
    DeleteFileA(file);
    return rc;
}

int Hold(const char* path) {
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::puts("error\tmessage=cannot open"), 1;
    std::puts("held");
    std::fflush(stdout);
    Sleep(INFINITE);
    return 0;
}

int Usage() {
    std::fputs("usage: testdesk serve <log> [--items N] [--positions F] [--auto-arrange] [--workerw]\n"
               "                     [--explorer | --route] [x,y ...]\n"
               "       testdesk positions | move <index> <x> <y> | refresh | quit | hold <file>\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    InitializeCriticalSection(&g_recordLock);
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) return Usage();
    const std::string cmd = argv[1];
    if (cmd == "serve" && argc >= 3) return Serve(argc, argv);
    if (cmd == "positions" && argc == 2) return Positions();
    if (cmd == "move" && argc == 5) {
        const int rc = Request(std::string("move ") + argv[2] + " " + argv[3] + " " + argv[4]);
        if (rc == 0) std::puts("ok");
        return rc;
    }
    if (cmd == "hold" && argc == 3) return Hold(argv[2]);
    if ((cmd == "quit" || cmd == "refresh") && argc == 2) {
        const int rc = Request(cmd);
        if (rc == 0) std::puts("ok");
        return rc;
    }
    return Usage();
}
