// winprobe's commands for the notification area and the about window:
//
//   tray                     the tray components' hidden windows ("Sys Tray Interface")
//   about                    the about window and its controls
//   menu [wait ms]           the open popup menu's rectangle on the screen
//   standin <ms> [broadcast] [refuse]
//                            stands in for the shell's notification area for <ms>: a window
//                            of class "Shell_TrayWnd" that Shell_NotifyIcon reaches with
//                            WM_COPYDATA; "broadcast" announces it as a re-created notification
//                            area ("TaskbarCreated"); "refuse" answers every call with FALSE,
//                            which Shell_NotifyIcon returns. Prints "ready", then one "notify"
//                            record per call it receives.
//
// Records as in winprobe.cpp: "<kind>\t<key>=<value>...", values escaped.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "launch/about_design.h"
#include "tools/record_escape.h"

namespace {

std::string Esc(std::string_view text) { return tools::EscapeValue(text); }

std::string HexOf(std::uintptr_t value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llX", static_cast<unsigned long long>(value));
    return buf;
}

void Put(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// The text a window reports for itself (another process's controls keep theirs).
std::string TextOf(HWND hwnd) {
    wchar_t buf[512] = {};
    DWORD_PTR got = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf), SMTO_NORMAL,
                             20000, &got))
        return {};
    char out[1024] = {};
    WideCharToMultiByte(CP_ACP, 0, buf, -1, out, sizeof out, nullptr, nullptr);
    return out;
}

std::string Rect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return "\tleft=" + std::to_string(r.left) + "\ttop=" + std::to_string(r.top) +
           "\tright=" + std::to_string(r.right) + "\tbottom=" + std::to_string(r.bottom);
}

std::string State(HWND hwnd) {
    return std::string("\tvisible=") + (IsWindowVisible(hwnd) ? "1" : "0") +
           "\tenabled=" + (IsWindowEnabled(hwnd) ? "1" : "0");
}

int CmdTray() {
    int count = 0;
    for (HWND w = FindWindowExA(nullptr, nullptr, "DravikSysTray", nullptr); w;
         w = FindWindowExA(nullptr, w, "DravikSysTray", nullptr)) {
        ++count;
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        Put("trayhost\thwnd=" + HexOf(reinterpret_cast<std::uintptr_t>(w)) +
            "\tpid=" + std::to_string(pid) + State(w) + "\ttitle=" + Esc(TextOf(w)));
    }
    Put("traycount\tcount=" + std::to_string(count));
    return 0;
}

int CmdAbout() {
    HWND about = FindWindowA(launch::about::kWindowClass, nullptr);
    if (!about) {
        Put("noabout");
        return 1;
    }
    Put("about\thwnd=" + HexOf(reinterpret_cast<std::uintptr_t>(about)) + State(about) +
        "\ttopmost=" + ((GetWindowLongA(about, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "1" : "0") +
        Rect(about) + "\ttitle=" + Esc(TextOf(about)));
    for (const launch::about::Place& place : launch::about::Layout()) {
        HWND child = GetDlgItem(about, place.id);
        if (!child) {
            Put("actl\tid=" + std::to_string(place.id) + "\tpresent=0");
            continue;
        }
        char cls[128] = {};
        GetClassNameA(child, cls, sizeof cls);
        Put("actl\tid=" + std::to_string(place.id) + "\tpresent=1\tclass=" + Esc(cls) +
            State(child) + Rect(child) + "\ttext=" + Esc(TextOf(child)));
    }
    return 0;
}

int CmdMenu(DWORD waitMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND menu = FindWindowA("#32768", nullptr);
        if (menu && IsWindowVisible(menu)) {
            DWORD pid = 0;
            GetWindowThreadProcessId(menu, &pid);
            Put("menu\thwnd=" + HexOf(reinterpret_cast<std::uintptr_t>(menu)) +
                "\tpid=" + std::to_string(pid) + Rect(menu));
            return 0;
        }
        if (GetTickCount() - start >= waitMs) break;
        Sleep(50);
    }
    Put("nomenu");
    return 1;
}

// What Wine's shell32 sends the notification area for each Shell_NotifyIcon call: its own
// record of fixed widths (the window as 32 bits), whatever the caller's form of the structure.
struct WineNotifyData {
    LONG hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    WCHAR szTip[128];
};

bool standInRefuses = false;

LRESULT CALLBACK StandInProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        const auto* cds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        std::string line = "notify\tmessage=" + std::to_string(cds->dwData) +
                           "\tsize=" + std::to_string(cds->cbData);
        if (cds->cbData >= sizeof(WineNotifyData) && cds->lpData) {
            WineNotifyData data;
            std::memcpy(&data, cds->lpData, sizeof data);
            data.szTip[127] = 0;
            char tip[512] = {};
            WideCharToMultiByte(CP_ACP, 0, data.szTip, -1, tip, sizeof tip, nullptr, nullptr);
            line += "\thwnd=" + HexOf(static_cast<ULONG>(data.hWnd)) +
                    "\tid=" + std::to_string(data.uID) + "\tflags=" + std::to_string(data.uFlags) +
                    "\tcallback=" + std::to_string(data.uCallbackMessage) + "\ttip=" + Esc(tip);
        }
        if (standInRefuses) line += "\trefused=1";
        Put(line);
        return standInRefuses ? FALSE : TRUE;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

int CmdStandIn(DWORD ms, bool broadcast, bool refuse) {
    standInRefuses = refuse;
    WNDCLASSA wc{};
    wc.lpfnWndProc = StandInProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Shell_TrayWnd";
    if (!RegisterClassA(&wc)) return Put("error\tmessage=cannot register Shell_TrayWnd"), 1;
    // Created last, it stands first among the windows of its class: Shell_NotifyIcon finds it.
    HWND tray = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 0, 0,
                                nullptr, nullptr, wc.hInstance, nullptr);
    if (!tray) return Put("error\tmessage=cannot create Shell_TrayWnd"), 1;
    Put("ready\thwnd=" + HexOf(reinterpret_cast<std::uintptr_t>(tray)));
    if (broadcast) PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    DestroyWindow(tray);
    Put("done");
    return 0;
}

long Num(const char* s, bool& ok) {
    char* end = nullptr;
    const long v = std::strtol(s, &end, 10);
    ok = end != s && *end == '\0';
    return v;
}

}  // namespace

// -1 when the command is not one of these.
int TrayProbeCommand(int argc, char** argv) {
    const std::string_view cmd = argv[1];
    bool ok = true;
    if (cmd == "tray" && argc == 2) return CmdTray();
    if (cmd == "about" && argc == 2) return CmdAbout();
    if (cmd == "menu" && argc == 2) return CmdMenu(0);
    if (cmd == "menu" && argc == 4 && std::string_view(argv[2]) == "wait") {
        const long ms = Num(argv[3], ok);
        if (ok) return CmdMenu(static_cast<DWORD>(ms));
    }
    if (cmd == "standin" && argc >= 3 && argc <= 5) {
        const long ms = Num(argv[2], ok);
        bool broadcast = false, refuse = false;
        for (int i = 3; i < argc; ++i) {
            const std::string_view option = argv[i];
            if (option == "broadcast") broadcast = true;
            else if (option == "refuse") refuse = true;
            else ok = false;
        }
        if (ok) return CmdStandIn(static_cast<DWORD>(ms), broadcast, refuse);
    }
    return -1;
}
