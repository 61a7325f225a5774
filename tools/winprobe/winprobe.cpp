// winprobe: inspects and drives a running Dravik from outside its process, for the
// end-to-end tests under Wine. Every result is printed as one line per record:
//
//   <record>\t<key>=<value>\t<key>=<value>...
//
// Values are escaped so that a record never holds a tab or a line break: backslash, tab,
// CR, LF, other control bytes and bytes above 0x7E are written as \\, \t, \r, \n or \xNN.
// Exit status: 0 done, 1 the window / dialog / value looked for is not there (or a wait
// ran out), 2 bad command line, 3 the target did not answer a sent message in time.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "app/control_ids.h"

namespace {

// Sent messages wait at most this long: a handler that opens a modal message box would
// otherwise keep the probe waiting forever.
constexpr UINT kSendTimeoutMs = 20000;

std::string Escape(std::string_view text) {
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        default:
            if (c < 0x20 || c > 0x7E) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\x%02X", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

std::string Hex(std::uintptr_t value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llX", static_cast<unsigned long long>(value));
    return buf;
}

void Emit(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

HWND FindMain() { return FindWindowA(app::ids::kMainWindowClass, "Dravik"); }

// Text crosses the process boundary as UTF-16: Wine marshals WM_GETTEXT and CB_GETLBTEXT
// between processes in their wide form, and a cross-process SendMessageTimeoutA with
// CB_GETLBTEXT hands back the wide characters unconverted (twice the bytes the ANSI length
// promises), so the probe asks with the W calls and converts to the ANSI code page itself.
std::string Narrow(const wchar_t* text, int len) {
    if (len <= 0) return {};
    const int n = WideCharToMultiByte(CP_ACP, 0, text, len, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text, len, out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring Widen(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

bool SendW(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR& result) {
    return SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, kSendTimeoutMs, &result) != 0;
}

// The text of a window as the window itself reports it. WM_GETTEXT is sent rather than
// GetWindowTextA called, because GetWindowTextA does not ask a window of another process
// and so would miss a control that keeps its caption itself (the skinned buttons).
bool WindowText(HWND hwnd, std::string& out) {
    DWORD_PTR len = 0;
    if (!SendW(hwnd, WM_GETTEXTLENGTH, 0, 0, len)) return false;
    // Room to spare: the length may be counted in ANSI bytes, the text comes in UTF-16.
    std::vector<wchar_t> buf(len * 2 + 16, L'\0');
    DWORD_PTR got = 0;
    if (!SendW(hwnd, WM_GETTEXT, static_cast<WPARAM>(buf.size()),
               reinterpret_cast<LPARAM>(buf.data()), got))
        return false;
    out = Narrow(buf.data(), static_cast<int>(wcsnlen(buf.data(), buf.size())));
    return true;
}

// One entry of a combo box of any process.
bool ComboItem(HWND combo, LRESULT index, std::string& out) {
    DWORD_PTR len = 0;
    if (!SendW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0, len) ||
        static_cast<LRESULT>(len) == CB_ERR)
        return false;
    std::vector<wchar_t> buf(len * 2 + 16, L'\0');
    DWORD_PTR got = 0;
    if (!SendW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(buf.data()), got) ||
        static_cast<LRESULT>(got) == CB_ERR)
        return false;
    out = Narrow(buf.data(), static_cast<int>(wcsnlen(buf.data(), buf.size())));
    return true;
}

std::string ClassOf(HWND hwnd) {
    char buf[256] = {};
    GetClassNameA(hwnd, buf, sizeof buf);
    return buf;
}

bool Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR* result = nullptr) {
    DWORD_PTR r = 0;
    const bool ok = SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_NORMAL, kSendTimeoutMs, &r) != 0;
    if (result) *result = r;
    return ok;
}

// The main window's control with this id; reports the error when there is none.
HWND RequireControl(HWND main, int id) {
    HWND ctl = GetDlgItem(main, id);
    if (!ctl) Emit("error\tmessage=no control with id " + std::to_string(id));
    return ctl;
}

constexpr int kFirstId = app::ids::kBtnTray;
constexpr int kLastId = app::ids::kLblMorv;

int RequireMain(HWND& main) {
    main = FindMain();
    if (!main) {
        Emit("error\tmessage=main window not found");
        return 1;
    }
    return 0;
}

// The window's rectangle on the screen, as record fields.
std::string ScreenRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return "\tleft=" + std::to_string(r.left) + "\ttop=" + std::to_string(r.top) +
           "\tright=" + std::to_string(r.right) + "\tbottom=" + std::to_string(r.bottom);
}

// The current folder of the process that owns the main window. No call gives another
// process's current folder: it is read from that process's parameters block, through its PEB
// (ProcessParameters, then CurrentDirectory.DosPath, a UNICODE_STRING), at the offsets of this
// probe's own bitness, which the tests keep equal to the program's.
int CmdCwd() {
    HWND main;
    if (int rc = RequireMain(main)) return rc;
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    const HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process) return Emit("error\tmessage=cannot open the process"), 1;
    struct BasicInformation {
        void* exitStatus;
        char* peb;
        void* rest[4];
    } info{};
    using Query = LONG WINAPI(HANDLE, int, void*, ULONG, ULONG*);
    auto* const query = reinterpret_cast<Query*>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    constexpr bool k64 = sizeof(void*) == 8;
    char* parameters = nullptr;
    struct {
        USHORT length, capacity;
        wchar_t* buffer;
    } dosPath{};
    bool ok = query && query(process, 0 /* ProcessBasicInformation */, &info, sizeof info, nullptr) >= 0 &&
              ReadProcessMemory(process, info.peb + (k64 ? 0x20 : 0x10), &parameters, sizeof parameters, nullptr) &&
              ReadProcessMemory(process, parameters + (k64 ? 0x38 : 0x24), &dosPath, sizeof dosPath, nullptr);
    std::wstring path(dosPath.length / sizeof(wchar_t), L'\0');
    ok = ok && ReadProcessMemory(process, dosPath.buffer, path.data(), dosPath.length, nullptr);
    CloseHandle(process);
    if (!ok) return Emit("error\tmessage=cannot read the current folder"), 1;
    std::string ansi(path.size() * 2 + 1, '\0');
    ansi.resize(static_cast<std::size_t>(WideCharToMultiByte(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()),
                                                            ansi.data(), static_cast<int>(ansi.size()), nullptr, nullptr)));
    Emit("cwd\tpath=" + Escape(ansi));
    return 0;
}

LRESULT CALLBACK LostAnswerProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data && data->dwData == app::kCommandTag) return app::kReplyOutputLost;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A stand-in for a running Dravik that takes every command but cannot hand its text back, as
// one without administrator rights answering a client that has them (Windows drops messages
// sent up to a process with more rights; Wine has no such levels). Runs until ended.
int CmdLostAnswers() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = LostAnswerProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = app::ids::kMainWindowClass;
    if (!RegisterClassA(&wc)) return Emit("error\tmessage=cannot register the class"), 1;
    if (!CreateWindowA(app::ids::kMainWindowClass, "Dravik", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                       wc.hInstance, nullptr))
        return Emit("error\tmessage=cannot make the window"), 1;
    Emit("serving");
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    return 0;
}

int CmdDump() {
    HWND main;
    if (int rc = RequireMain(main)) return rc;
    RECT r{};
    GetWindowRect(main, &r);
    DWORD pid = 0;
    GetWindowThreadProcessId(main, &pid);
    std::string title;
    WindowText(main, title);
    Emit("main\thwnd=" + Hex(reinterpret_cast<std::uintptr_t>(main)) +
         "\tpid=" + std::to_string(pid) + "\tvisible=" + (IsWindowVisible(main) ? "1" : "0") +
         "\tenabled=" + (IsWindowEnabled(main) ? "1" : "0") +
         "\ttopmost=" + ((GetWindowLongA(main, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "1" : "0") +
         "\tleft=" + std::to_string(r.left) +
         "\ttop=" + std::to_string(r.top) + "\tright=" + std::to_string(r.right) +
         "\tbottom=" + std::to_string(r.bottom) + "\ttitle=" + Escape(title));

    for (int id = kFirstId; id <= kLastId; ++id) {
        HWND ctl = GetDlgItem(main, id);
        if (!ctl) {
            Emit("ctl\tid=" + std::to_string(id) + "\tpresent=0");
            continue;
        }
        const std::string cls = ClassOf(ctl);
        const LONG style = GetWindowLongA(ctl, GWL_STYLE);
        std::string text;
        WindowText(ctl, text);
        Emit("ctl\tid=" + std::to_string(id) + "\tpresent=1\tclass=" + Escape(cls) +
             "\tvisible=" + (IsWindowVisible(ctl) ? "1" : "0") +
             "\tenabled=" + (IsWindowEnabled(ctl) ? "1" : "0") +
             "\tstyle=" + Hex(static_cast<DWORD>(style)) + ScreenRect(ctl) +
             "\ttext=" + Escape(text));

        if (lstrcmpiA(cls.c_str(), "ComboBox") == 0) {
            DWORD_PTR count = 0, sel = 0;
            Send(ctl, CB_GETCOUNT, 0, 0, &count);
            Send(ctl, CB_GETCURSEL, 0, 0, &sel);
            Emit("combo\tid=" + std::to_string(id) +
                 "\tcount=" + std::to_string(static_cast<LRESULT>(count)) +
                 "\tsel=" + std::to_string(static_cast<LRESULT>(sel)));
            for (LRESULT i = 0; i < static_cast<LRESULT>(count); ++i) {
                std::string text;
                const bool ok = ComboItem(ctl, i, text);
                Emit("item\tid=" + std::to_string(id) + "\tindex=" + std::to_string(i) +
                     (ok ? "\ttext=" + Escape(text) : std::string("\terror=1")));
            }
        } else if (lstrcmpiA(cls.c_str(), "Button") == 0) {
            const LONG kind = style & BS_TYPEMASK;
            if (kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE ||
                kind == BS_AUTO3STATE || kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) {
                DWORD_PTR state = 0;
                Send(ctl, BM_GETCHECK, 0, 0, &state);
                Emit("check\tid=" + std::to_string(id) + "\tstate=" + std::to_string(state));
            }
        }
    }
    return 0;
}

// A user's click reaches the program as WM_COMMAND/BN_CLICKED at the parent. Sending that
// directly works for the standard buttons and for the skinned ones alike; "bm" sends
// BM_CLICK to the control instead, which only standard buttons understand.
int CmdClick(int id, std::string_view how) {
    HWND main;
    if (int rc = RequireMain(main)) return rc;
    HWND ctl = RequireControl(main, id);
    if (!ctl) return 1;
    if (how == "bm") {
        if (!Send(ctl, BM_CLICK, 0, 0)) return Emit("timeout"), 3;
    } else if (how == "post") {
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(ctl));
    } else {
        if (!Send(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(ctl)))
            return Emit("timeout"), 3;
    }
    Emit("ok");
    return 0;
}

// As a user's pick: the list's selection changes, then the parent hears CBN_SELCHANGE.
int CmdSelect(int id, int index) {
    HWND main;
    if (int rc = RequireMain(main)) return rc;
    HWND ctl = RequireControl(main, id);
    if (!ctl) return 1;
    DWORD_PTR r = 0;
    if (!Send(ctl, CB_SETCURSEL, static_cast<WPARAM>(index), 0, &r)) return Emit("timeout"), 3;
    if (static_cast<LRESULT>(r) == CB_ERR && index != -1) {
        Emit("error\tmessage=index out of range");
        return 1;
    }
    if (!Send(main, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(ctl)))
        return Emit("timeout"), 3;
    Emit("ok");
    return 0;
}

// As a user's click on a check box: the state changes, then the parent hears BN_CLICKED.
int CmdCheck(int id, int state) {
    HWND main;
    if (int rc = RequireMain(main)) return rc;
    HWND ctl = RequireControl(main, id);
    if (!ctl) return 1;
    if (!Send(ctl, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0)) return Emit("timeout"), 3;
    if (!Send(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(ctl)))
        return Emit("timeout"), 3;
    DWORD_PTR now = 0;
    Send(ctl, BM_GETCHECK, 0, 0, &now);
    Emit("check\tid=" + std::to_string(id) + "\tstate=" + std::to_string(now));
    return 0;
}

int CmdClose() {
    HWND main;
    if (int rc = RequireMain(main)) return rc;
    // Posted: the window is destroyed while handling it, so there is nothing to wait for.
    PostMessageA(main, WM_CLOSE, 0, 0);
    Emit("ok");
    return 0;
}

struct MsgBoxText {
    std::string text;
};

BOOL CALLBACK CollectStatic(HWND child, LPARAM param) {
    auto* box = reinterpret_cast<MsgBoxText*>(param);
    if (lstrcmpiA(ClassOf(child).c_str(), "Static") != 0) return TRUE;
    // The icon of a message box is a Static too; its text is empty or a resource name.
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if ((style & SS_TYPEMASK) == SS_ICON) return TRUE;
    std::string text;
    if (WindowText(child, text) && !text.empty()) {
        if (!box->text.empty()) box->text += "\n";
        box->text += text;
    }
    return TRUE;
}

// A message box is a top-level dialog of class "#32770" whose caption is the title.
int CmdMsgBox(bool pressOk, DWORD waitMs) {
    const DWORD start = GetTickCount();
    HWND box = nullptr;
    for (;;) {
        box = FindWindowA("#32770", "Dravik");
        if (box || GetTickCount() - start >= waitMs) break;
        Sleep(50);
    }
    if (!box) {
        Emit("nomsgbox");
        return 1;
    }
    MsgBoxText found;
    EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&found));
    DWORD pid = 0;
    GetWindowThreadProcessId(box, &pid);
    Emit("msgbox\thwnd=" + Hex(reinterpret_cast<std::uintptr_t>(box)) +
         "\tpid=" + std::to_string(pid) + "\tvisible=" + (IsWindowVisible(box) ? "1" : "0") +
         "\ttext=" + Escape(found.text));
    if (pressOk) {
        // The OK button of a MB_OK box has the id IDOK; the dialog ends on its command.
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        Emit("ok");
    }
    return 0;
}

int CmdWaitWindow(DWORD waitMs, bool gone) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND main = FindMain();
        if (!gone && main) {
            Emit("window\thwnd=" + Hex(reinterpret_cast<std::uintptr_t>(main)) +
                 "\tvisible=" + (IsWindowVisible(main) ? "1" : "0"));
            return 0;
        }
        if (gone && !main) {
            Emit("gone");
            return 0;
        }
        if (GetTickCount() - start >= waitMs) break;
        Sleep(50);
    }
    Emit("timeout");
    return 1;
}

std::string ModeFields(const DEVMODEA& dm) {
    return "width=" + std::to_string(dm.dmPelsWidth) + "\theight=" + std::to_string(dm.dmPelsHeight) +
           "\tbpp=" + std::to_string(dm.dmBitsPerPel) + "\thz=" + std::to_string(dm.dmDisplayFrequency);
}

int CmdModes() {
    for (DWORD i = 0;; ++i) {
        DEVMODEA dm{};
        dm.dmSize = sizeof dm;
        if (!EnumDisplaySettingsA(nullptr, i, &dm)) break;
        Emit("mode\tindex=" + std::to_string(i) + "\t" + ModeFields(dm));
    }
    return 0;
}

int CmdCurrent() {
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &dm)) {
        Emit("error\tmessage=EnumDisplaySettingsA failed");
        return 1;
    }
    Emit("current\t" + ModeFields(dm));
    return 0;
}

// Registry access with an explicit view, so that a 32-bit and a 64-bit probe read the same
// keys: "32" is what a 32-bit program sees (WOW6432Node under HKLM\SOFTWARE), "64" the
// native view. Values are shown byte for byte; a REG_SZ written without a terminating NUL
// has a size equal to its text length.
bool SplitRoot(const std::string& path, HKEY& root, std::string& sub) {
    const auto slash = path.find('\\');
    const std::string head = path.substr(0, slash);
    sub = slash == std::string::npos ? std::string() : path.substr(slash + 1);
    if (lstrcmpiA(head.c_str(), "HKLM") == 0 || lstrcmpiA(head.c_str(), "HKEY_LOCAL_MACHINE") == 0)
        root = HKEY_LOCAL_MACHINE;
    else if (lstrcmpiA(head.c_str(), "HKCU") == 0 ||
             lstrcmpiA(head.c_str(), "HKEY_CURRENT_USER") == 0)
        root = HKEY_CURRENT_USER;
    else
        return false;
    return true;
}

REGSAM ViewFlag(std::string_view view) {
    return view == "64" ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
}

// Read with the W call: Wine keeps REG_SZ data as UTF-16 and its RegQueryValueExA adds a
// NUL to a text stored without one, so only the wide read shows whether the writer stored a
// terminating NUL. "size" is the stored byte count (two per character); "data" is the
// stored characters in the ANSI code page, a stored NUL showing as \x00.
int CmdRegGet(std::string_view view, const std::string& path, const std::string& name) {
    HKEY root;
    std::string sub;
    if (!SplitRoot(path, root, sub)) return Emit("error\tmessage=unknown root key"), 2;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, sub.c_str(), 0, KEY_QUERY_VALUE | ViewFlag(view), &key) != ERROR_SUCCESS) {
        Emit("reg\tstatus=nokey");
        return 1;
    }
    const std::wstring wname = Widen(name);
    DWORD type = 0, size = 0;
    LONG rc = RegQueryValueExW(key, wname.c_str(), nullptr, &type, nullptr, &size);
    if (rc != ERROR_SUCCESS) {
        RegCloseKey(key);
        Emit("reg\tstatus=absent");
        return 1;
    }
    std::vector<BYTE> data(size + 2, 0);
    rc = RegQueryValueExW(key, wname.c_str(), nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) {
        Emit("reg\tstatus=unreadable");
        return 1;
    }
    std::string text;
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ) {
        std::wstring wide(size / sizeof(wchar_t), L'\0');
        std::memcpy(wide.data(), data.data(), wide.size() * sizeof(wchar_t));
        text = Narrow(wide.data(), static_cast<int>(wide.size()));
    } else {
        text.assign(reinterpret_cast<const char*>(data.data()), size);
    }
    Emit("reg\tstatus=present\ttype=" + std::to_string(type) + "\tsize=" + std::to_string(size) +
         "\tdata=" + Escape(text));
    return 0;
}

// Writes a REG_SZ of exactly the given bytes (no terminating NUL), as Dravik itself does.
int CmdRegSet(std::string_view view, const std::string& path, const std::string& name,
              const std::string& value) {
    HKEY root;
    std::string sub;
    if (!SplitRoot(path, root, sub)) return Emit("error\tmessage=unknown root key"), 2;
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, sub.c_str(), 0, nullptr, 0, KEY_SET_VALUE | ViewFlag(view), nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        Emit("error\tmessage=cannot create key");
        return 1;
    }
    const LONG rc = RegSetValueExA(key, name.c_str(), 0, REG_SZ,
                                   reinterpret_cast<const BYTE*>(value.data()),
                                   static_cast<DWORD>(value.size()));
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return Emit("error\tmessage=cannot set value"), 1;
    Emit("ok");
    return 0;
}

int CmdRegDelete(std::string_view view, const std::string& path, const std::string& name) {
    HKEY root;
    std::string sub;
    if (!SplitRoot(path, root, sub)) return Emit("error\tmessage=unknown root key"), 2;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, sub.c_str(), 0, KEY_SET_VALUE | ViewFlag(view), &key) != ERROR_SUCCESS) {
        Emit("reg\tstatus=nokey");
        return 1;
    }
    const LONG rc = RegDeleteValueA(key, name.c_str());
    RegCloseKey(key);
    Emit(rc == ERROR_SUCCESS ? "ok" : "reg\tstatus=absent");
    return rc == ERROR_SUCCESS ? 0 : 1;
}

int Usage() {
    std::fputs(
        "usage: winprobe <command>\n"
        "  dump                         main window and every control (lists, check boxes)\n"
        "  click <id> [send|post|bm]    BN_CLICKED to the main window (default: sent)\n"
        "  select <id> <index>          CB_SETCURSEL, then CBN_SELCHANGE to the main window\n"
        "  check <id> <0|1>             BM_SETCHECK, then BN_CLICKED to the main window\n"
        "  close                        WM_CLOSE to the main window\n"
        "  msgbox [ok] [wait ms]        the \"Dravik\" message box's text; ok presses OK\n"
        "  wait-window <ms>             wait until the main window exists\n"
        "  wait-gone <ms>               wait until the main window is gone\n"
        "  modes                        EnumDisplaySettingsA, every mode\n"
        "  cwd                          the current folder of the main window's process\n"
        "  lost-answers                 stand in for a Dravik whose answers cannot be handed back\n"
        "  current                      EnumDisplaySettingsA(ENUM_CURRENT_SETTINGS)\n"
        "  reg-get <32|64> <key> <name> one registry value as stored (UTF-16 size)\n"
        "  reg-set <32|64> <key> <name> <text>   REG_SZ without terminating NUL\n"
        "  reg-delete <32|64> <key> <name>\n"
        "  tray | about | menu [wait ms] | standin <ms> [broadcast] [refuse]   see tray_probe.cpp\n"
        "  acc | acc-press | acc-focus <main|about> <id> [child]   see acc_probe.cpp\n",
        stderr);
    return 2;
}

bool ParseInt(const char* s, long& out) {
    char* end = nullptr;
    out = std::strtol(s, &end, 10);
    return end != s && *end == '\0';
}

}  // namespace

// The notification-area and about-window commands (tray_probe.cpp); -1 for any other command.
int TrayProbeCommand(int argc, char** argv);
// The screen reader's questions (acc_probe.cpp); -1 for any other command.
int AccProbeCommand(int argc, char** argv);

int main(int argc, char** argv) {
    // Plain LF line ends: the text-mode CRT would turn every "\n" into CR LF.
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2) return Usage();
    const std::string_view cmd = argv[1];
    long a = 0, b = 0;

    if (cmd == "dump" && argc == 2) return CmdDump();
    if (cmd == "click" && (argc == 3 || argc == 4) && ParseInt(argv[2], a))
        return CmdClick(static_cast<int>(a), argc == 4 ? argv[3] : "send");
    if (cmd == "select" && argc == 4 && ParseInt(argv[2], a) && ParseInt(argv[3], b))
        return CmdSelect(static_cast<int>(a), static_cast<int>(b));
    if (cmd == "check" && argc == 4 && ParseInt(argv[2], a) && ParseInt(argv[3], b))
        return CmdCheck(static_cast<int>(a), static_cast<int>(b));
    if (cmd == "close" && argc == 2) return CmdClose();
    if (cmd == "msgbox") {
        bool ok = false;
        DWORD wait = 0;
        for (int i = 2; i < argc; ++i) {
            if (std::string_view(argv[i]) == "ok")
                ok = true;
            else if (std::string_view(argv[i]) == "wait" && i + 1 < argc && ParseInt(argv[i + 1], a))
                wait = static_cast<DWORD>(a), ++i;
            else
                return Usage();
        }
        return CmdMsgBox(ok, wait);
    }
    if ((cmd == "wait-window" || cmd == "wait-gone") && argc == 3 && ParseInt(argv[2], a))
        return CmdWaitWindow(static_cast<DWORD>(a), cmd == "wait-gone");
    if (cmd == "modes" && argc == 2) return CmdModes();
    if (cmd == "cwd" && argc == 2) return CmdCwd();
    if (cmd == "lost-answers" && argc == 2) return CmdLostAnswers();
    if (cmd == "current" && argc == 2) return CmdCurrent();
    if (cmd == "reg-get" && argc == 5) return CmdRegGet(argv[2], argv[3], argv[4]);
    if (cmd == "reg-set" && argc == 6) return CmdRegSet(argv[2], argv[3], argv[4], argv[5]);
    if (cmd == "reg-delete" && argc == 5) return CmdRegDelete(argv[2], argv[3], argv[4]);
    if (const int rc = TrayProbeCommand(argc, argv); rc >= 0) return rc;
    if (const int rc = AccProbeCommand(argc, argv); rc >= 0) return rc;
    return Usage();
}
