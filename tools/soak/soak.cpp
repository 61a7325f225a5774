// soak: drives a running soak build of Dravik.exe (tools/soak/CMakeLists.txt) through
// thousands of a user's cycles from one process, and reads the program's figures after a
// warm-up, after each kind of cycle and at the end. For tests/e2e/soak_e2e_test.cpp.
//
//   soak [--switches N] [--hovers-per-switch N] [--menus N] [--abouts N] [--warmup PERCENT]
//
// Before it starts, the main window must be shown in the full-colour appearance with the
// monitor preset in effect, and the movie preset must be a mode of 8 bits per pixel (so that
// the two preset buttons switch between the two appearances).
//
// Cycles, each as the user's actions reach the program:
//   hover    the mouse messages of a hover, a press and a release on one skinned button
//            (sent to it, with the pointer put where each says, so that the button's hover
//            timer, which polls the pointer, agrees); the release is inside (a click) on the
//            buttons whose click changes nothing (the preset in effect, "Save Desktop Icons"
//            with no desktop icon view), outside on the others; then the pointer leaves and
//            the button's timer tick sees it gone.
//   switch   a click on the visible movie or monitor button, which switches the display and
//            with it the appearance; the window then paints before the next message.
//   menu     a click on the tray button (the window goes into the notification area), the
//            shell's right-button notification to the tray window, which opens its menu, and
//            Down, Return in the open menu, which picks "Open Dravik" (the window comes back,
//            the icon goes).
//   about    a click on the maker label (the about window opens, the main window hides),
//            then a click on the about window's OK button (it closes, the main window shows).
//
// Figures, one record per stage:
//   figures  stage=<warmup|switches|menus|abouts>  gdi_owned=N user_owned=N gdi_table=N
//            windows=N private_kb=N working_set_kb=N
//   gdi_owned, user_owned: what the handle owner types hold (the soak build's count);
//   gdi_table: every GDI object of the process, from its GDI handle table (-1 where it
//   cannot be read); windows: the process's windows, top-level and child; private_kb: its
//   private memory (GetProcessMemoryInfo). Also "phase name=... cycles=... ms=..." per phase.
// Exit status: 0 done, 1 a step failed ("error message=..."), 2 bad command line.
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/control_ids.h"
#include "launch/about_design.h"
#include "tools/soak/live_handles_query.h"
#include "tools/stopwatch.h"

namespace {

namespace ids = app::ids;

constexpr UINT kSendTimeoutMs = 30000;
constexpr UINT_PTR kHoverTimerId = 1;  // the skinned buttons' hover timer
constexpr UINT kTrayCallback = WM_MOUSEMOVE;  // the tray icon's callback message

void Put(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

[[noreturn]] void Fail(const std::string& message) {
    Put("error\tmessage=" + message);
    std::exit(1);
}

bool Send(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR* result = nullptr) {
    DWORD_PTR r = 0;
    const bool ok = SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_NORMAL, kSendTimeoutMs, &r) != 0;
    if (result) *result = r;
    return ok;
}

void MustSend(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, const char* what) {
    if (!Send(hwnd, msg, wp, lp)) Fail(std::string("no answer to ") + what);
}

// Polls until `done` holds, for at most `ms`.
template <class Done>
bool WaitFor(Done done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - start >= ms) return false;
        Sleep(2);
    }
}


DWORD PidOf(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

// The first top-level window of the class that belongs to the process (visible or not).
HWND TopLevelOf(DWORD pid, const char* cls) {
    for (HWND w = FindWindowExA(nullptr, nullptr, cls, nullptr); w;
         w = FindWindowExA(nullptr, w, cls, nullptr))
        if (PidOf(w) == pid) return w;
    return nullptr;
}

// ---- The process's GDI handle table ----------------------------------------------------
//
// Windows and Wine keep a process's GDI objects in a table that the PEB points to
// (GdiSharedHandleTable): one entry per handle index, whose type byte is 0 while the index is
// free. Wine implements no GetGuiResources (it answers 0), so the soak counts the used
// entries of Dravik's table instead. The entry's size and the type byte's place are learnt
// from this process's own table, where a brush made for the purpose must show up; the driver
// and the program are built for the same processor, so the layout is theirs too.

constexpr std::size_t kGdiTableEntries = 0x10000;

using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);

struct GdiTableLayout {
    std::size_t stride = 0;  // 0: no table found
    std::size_t typeOffset = 0;
};

// Address of the process's GDI handle table, or 0.
std::uintptr_t GdiTableOf(HANDLE process) {
    const auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (!query) return 0;
    PROCESS_BASIC_INFORMATION info{};
    ULONG len = 0;
    if (query(process, ProcessBasicInformation, &info, sizeof info, &len) != 0) return 0;
    // GdiSharedHandleTable's place in the PEB.
    const std::size_t offset = sizeof(void*) == 8 ? 0xF8 : 0x94;
    std::uintptr_t table = 0;
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const char*>(info.PebBaseAddress) + offset,
                           &table, sizeof table, &got) ||
        got != sizeof table)
        return 0;
    return table;
}

GdiTableLayout LearnGdiTableLayout() {
    GdiTableLayout layout;
    const auto* table = reinterpret_cast<const unsigned char*>(GdiTableOf(GetCurrentProcess()));
    if (!table) return layout;
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    if (!brush) return layout;
    const std::size_t index = reinterpret_cast<std::uintptr_t>(brush) & 0xFFFF;
    struct Candidate {
        std::size_t stride, typeOffset;
    };
    // 64-bit fields in both builds (Wine), or pointer-sized ones (Windows' 32-bit table).
    const Candidate candidates[] = {{24, 14}, {16, 10}};
    for (const Candidate& c : candidates) {
        if (table[index * c.stride + c.typeOffset] != 0) {
            layout = {c.stride, c.typeOffset};
            break;
        }
    }
    DeleteObject(brush);
    if (layout.stride && table[index * layout.stride + layout.typeOffset] != 0) layout = {};
    return layout;
}

// Used entries of the process's table, or -1 when it cannot be read.
//
// Wine commits the whole table (65,536 entries of 24 bytes: 1.5 MB) when the process starts,
// but its pages count in the process's private memory figure (resident anonymous memory) only
// once touched, and reading them with ReadProcessMemory touches them all: on the bench the
// program's figure rose by 1,528 KB at the first reading and by nothing at later ones.
long GdiTableCount(HANDLE process, const GdiTableLayout& layout) {
    if (!layout.stride) return -1;
    const std::uintptr_t table = GdiTableOf(process);
    if (!table) return -1;
    std::vector<unsigned char> bytes(kGdiTableEntries * layout.stride);
    SIZE_T got = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), bytes.data(),
                           bytes.size(), &got) ||
        got != bytes.size())
        return -1;
    long used = 0;
    for (std::size_t i = 0; i < kGdiTableEntries; ++i)
        if (bytes[i * layout.stride + layout.typeOffset] != 0) ++used;
    return used;
}

// ---- Figures ---------------------------------------------------------------------------

struct Target {
    HWND main = nullptr;
    DWORD pid = 0;
    HANDLE process = nullptr;
    HWND query = nullptr;
    GdiTableLayout gdiLayout;
};

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<long*>(count);
    return TRUE;
}

struct WindowCount {
    DWORD pid;
    long count;
};

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM param) {
    auto* c = reinterpret_cast<WindowCount*>(param);
    if (PidOf(hwnd) != c->pid) return TRUE;
    ++c->count;
    EnumChildWindows(hwnd, CountChild, reinterpret_cast<LPARAM>(&c->count));
    return TRUE;
}

long OwnedCount(const Target& t, WPARAM kind) {
    DWORD_PTR n = 0;
    if (!Send(t.query, soak::kQueryMessage, kind, 0, &n)) Fail("no answer from the handle count");
    return static_cast<long>(static_cast<LONG_PTR>(n));
}

// Lets whatever the last cycle left to do (paints, timer ticks, the hover timer's last tick)
// run before the next phase or the counting. Wine keeps a cache of the DCs that GetDC hands
// out, one kept per window that asked until that window goes; how many it holds
// depends on which windows asked while the others still had theirs, so on timing. Measured on
// the bench: a warm-up that ran its phases back to back left the cache two DCs (and their
// regions and bitmaps, 6 entries of the GDI table) short of what the first about window after
// a pause made it take, and the table then stayed at that figure for hundreds of cycles. The
// warm-up therefore pauses between its phases as the measured round does.
void Settle(const Target& t) {
    Sleep(300);
    MustSend(t.main, WM_NULL, 0, 0, "WM_NULL");
}

void PutFigures(const Target& t, const char* stage) {
    Settle(t);
    WindowCount windows{t.pid, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    // The table is read before the memory figure: reading it makes its pages resident in the
    // program (see GdiTableCount), and they must be counted from the first figures on.
    const long gdiTable = GdiTableCount(t.process, t.gdiLayout);
    PROCESS_MEMORY_COUNTERS_EX mem{};
    mem.cb = sizeof mem;
    if (!GetProcessMemoryInfo(t.process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem),
                              sizeof mem))
        Fail("GetProcessMemoryInfo failed");
    Put(std::string("figures\tstage=") + stage +
        "\tgdi_owned=" + std::to_string(OwnedCount(t, soak::kQueryGdi)) +
        "\tuser_owned=" + std::to_string(OwnedCount(t, soak::kQueryUser)) +
        "\tgdi_table=" + std::to_string(gdiTable) +
        "\twindows=" + std::to_string(windows.count) +
        // PagefileUsage is the private commit, as PrivateUsage; Wine fills only this one, with
        // the Linux process's resident anonymous memory (memory the process has touched).
        "\tprivate_kb=" + std::to_string(mem.PagefileUsage / 1024) +
        "\tworking_set_kb=" + std::to_string(mem.WorkingSetSize / 1024));
}

// ---- Cycles ----------------------------------------------------------------------------

HWND Control(const Target& t, int id) {
    HWND h = GetDlgItem(t.main, id);
    if (!h) Fail("no control " + std::to_string(id));
    return h;
}

bool FullColour(const Target& t) { return IsWindowVisible(Control(t, ids::kBtnMon)) != FALSE; }

LPARAM ClientPoint(int x, int y) { return MAKELPARAM(x, y); }

// Hover, press and release on one button, as the mouse gives them.
void HoverPressRelease(HWND button, bool releaseInside) {
    RECT r{};
    GetWindowRect(button, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    const int cx = w / 2, cy = h / 2;
    SetCursorPos(r.left + cx, r.top + cy);
    MustSend(button, WM_MOUSEMOVE, 0, ClientPoint(cx, cy), "the hover");
    MustSend(button, WM_LBUTTONDOWN, MK_LBUTTON, ClientPoint(cx, cy), "the press");
    if (releaseInside) {
        MustSend(button, WM_LBUTTONUP, 0, ClientPoint(cx, cy), "the release");
    } else {
        // Dragged off to the right, where the button shows itself raised, and let go there.
        SetCursorPos(r.right + 20, r.top + cy);
        MustSend(button, WM_MOUSEMOVE, MK_LBUTTON, ClientPoint(w + 20, cy), "the drag");
        MustSend(button, WM_LBUTTONUP, 0, ClientPoint(w + 20, cy), "the release");
    }
    // A click may have closed the button's window (the about window's OK).
    if (!IsWindow(button)) return;
    // The pointer leaves for the screen's corner; the timer's next tick finds it gone.
    SetCursorPos(0, 0);
    MustSend(button, WM_TIMER, kHoverTimerId, 0, "the hover timer");
}

// One hover cycle on each of the visible skinned buttons in turn, `cycles` in all.
long HoverCycles(const Target& t, long cycles, long& next) {
    const bool full = FullColour(t);
    // Full colour shows the big buttons, 256 colours the small twins of the four on the left.
    const int leftColumn[] = {full ? ids::kBtnMovie : ids::kCmdMovie, full ? ids::kBtnMon : ids::kCmdMon,
                              full ? ids::kBtnSettings : ids::kCmdSettings, full ? ids::kBtnTray : ids::kCmdTray};
    const int all[] = {leftColumn[0], leftColumn[1], leftColumn[2], leftColumn[3],
                       ids::kCmdIconSave, ids::kCmdIconRest};
    // A click changes nothing on the preset in effect, nor on "Save Desktop Icons" with no
    // desktop icon view (Wine has none).
    const int presetInEffect = full ? ids::kBtnMon : ids::kCmdMovie;
    for (long i = 0; i < cycles; ++i, ++next) {
        const int id = all[next % 6];
        HWND button = Control(t, id);
        if (!IsWindowVisible(button)) Fail("button " + std::to_string(id) + " is hidden");
        HoverPressRelease(button, id == presetInEffect || id == ids::kCmdIconSave);
    }
    return cycles;
}

// A click on the visible preset button that is not in effect: full colour <-> 256 colours.
void Switch(const Target& t) {
    const bool full = FullColour(t);
    HoverPressRelease(Control(t, full ? ids::kBtnMovie : ids::kCmdMon), true);
    if (FullColour(t) == full)
        Fail(std::string("the click on the ") + (full ? "movie" : "monitor") +
             " button did not change the appearance");
    // The user goes on on a drawn window. The 256-colour frame makes two fonts at its first
    // paint, for its caption and for the maker label it draws on the form's surface, and keeps
    // them. That paint runs when the program's thread finds time between the hover cycles'
    // messages, or not before the next switch hides the frame again: on a busy bench it came
    // only in the frame's second showing. A warm-up whose switches all passed without it left
    // the two fonts to the measured switches (a warm-up of two switches, in five runs of
    // eight: 16 objects held and 163 in the GDI table after it, 18 and 165 after the switches).
    RedrawWindow(t.main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void SwitchesWithHovers(const Target& t, long switches, long hoversPerSwitch, long& hovers,
                        long& next) {
    for (long i = 0; i < switches; ++i) {
        Switch(t);
        hovers += HoverCycles(t, hoversPerSwitch, next);
    }
    // Back in full colour for the other cycles and the figures.
    if (!FullColour(t)) Fail("an odd number of switches");
}

HWND VisibleMenuOf(DWORD pid) {
    for (HWND w = FindWindowExA(nullptr, nullptr, "#32768", nullptr); w;
         w = FindWindowExA(nullptr, w, "#32768", nullptr))
        if (IsWindowVisible(w) && PidOf(w) == pid) return w;
    return nullptr;
}

void MenuCycle(const Target& t) {
    HoverPressRelease(Control(t, ids::kBtnTray), true);
    HWND tray = nullptr;
    if (!WaitFor([&] { return (tray = TopLevelOf(t.pid, "DravikSysTray")) != nullptr; }, 10000))
        Fail("no tray window after the tray button");
    if (IsWindowVisible(t.main)) Fail("the main window stayed visible in the notification area");
    // The shell reports a right press on the icon with the mouse message in place of x.
    PostMessageA(tray, kTrayCallback, 0, MAKELPARAM(WM_RBUTTONDOWN, 0));
    HWND menu = nullptr;
    if (!WaitFor([&] { return (menu = VisibleMenuOf(t.pid)) != nullptr; }, 10000))
        Fail("the tray menu did not open");
    // The menu's own loop takes the keys from the thread's queue: Down selects the first
    // item, "Open Dravik", and Return picks it.
    PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    if (!WaitFor([&] { return IsWindowVisible(t.main) && !TopLevelOf(t.pid, "DravikSysTray"); },
                 10000))
        Fail("\"Open Dravik\" did not bring the window back");
}

void AboutCycle(const Target& t) {
    HWND label = Control(t, ids::kLblMorv);
    // A click on the label reaches the window as STN_CLICKED (the frame passes it on).
    MustSend(t.main, WM_COMMAND, MAKEWPARAM(ids::kLblMorv, STN_CLICKED),
             reinterpret_cast<LPARAM>(label), "the label's click");
    HWND about = nullptr;
    if (!WaitFor([&] {
            about = TopLevelOf(t.pid, launch::about::kWindowClass);
            return about && IsWindowVisible(about);
        }, 10000))
        Fail("the about window did not open");
    if (IsWindowVisible(t.main)) Fail("the main window stayed visible beside the about window");
    // The user clicks OK on a drawn window. The skinned controls make their drawing surfaces
    // at their first paint and keep them while the program keeps the closed window's objects
    // (until the next opening); a click that beat a paint would leave a figure one short.
    RedrawWindow(about, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    HWND ok = GetDlgItem(about, launch::about::kCmdOk);
    if (!ok) Fail("the about window has no OK button");
    HoverPressRelease(ok, true);
    if (!WaitFor([&] {
            HWND a = TopLevelOf(t.pid, launch::about::kWindowClass);
            return IsWindowVisible(t.main) && (!a || !IsWindowVisible(a));
        }, 10000))
        Fail("OK did not close the about window");
}

struct Counts {
    long switches = 1000, hoversPerSwitch = 10, menus = 200, abouts = 200;
};

Counts Scaled(const Counts& c, long percent) {
    Counts s;
    s.switches = (c.switches * percent / 100 + 1) / 2 * 2;  // even: ends in full colour
    s.hoversPerSwitch = c.hoversPerSwitch;
    s.menus = c.menus * percent / 100;
    s.abouts = c.abouts * percent / 100;
    return s;
}

void PutPhase(const char* name, const char* kind, long cycles, double since) {
    Put(std::string("phase\tname=") + name + "\tkind=" + kind +
        "\tcycles=" + std::to_string(cycles) +
        "\tms=" + std::to_string(static_cast<long>(tools::NowMs() - since)));
}

// One round of every kind; figures after each kind unless it is the warm-up.
void Round(const Target& t, const Counts& c, const char* name, bool warmup) {
    long hovers = 0, next = 0;
    double t0 = tools::NowMs();
    SwitchesWithHovers(t, c.switches, c.hoversPerSwitch, hovers, next);
    PutPhase(name, "switch", c.switches, t0);
    PutPhase(name, "hover", hovers, t0);
    if (!warmup) PutFigures(t, "switches");
    else Settle(t);
    t0 = tools::NowMs();
    for (long i = 0; i < c.menus; ++i) MenuCycle(t);
    PutPhase(name, "menu", c.menus, t0);
    if (!warmup) PutFigures(t, "menus");
    else Settle(t);
    t0 = tools::NowMs();
    for (long i = 0; i < c.abouts; ++i) AboutCycle(t);
    PutPhase(name, "about", c.abouts, t0);
    if (!warmup) {
        PutFigures(t, "abouts");
        return;
    }
    // The measured round begins with switches after about windows, which the warm-up's own
    // switches never followed: the first switches after an about window make three GDI objects
    // that the program keeps from then on (measured: flat over 300 further switches and every
    // later round). Two more switches let the warm-up see that order too.
    Settle(t);
    SwitchesWithHovers(t, 2, c.hoversPerSwitch, hovers, next);
    Settle(t);
}

bool ParseLong(const char* s, long& out) {
    char* end = nullptr;
    out = std::strtol(s, &end, 10);
    return end != s && *end == '\0' && out >= 0;
}

int Usage() {
    std::fputs("usage: soak [--switches N] [--hovers-per-switch N] [--menus N] [--abouts N] "
               "[--warmup PERCENT]\n",
               stderr);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    Counts counts;
    long warmupPercent = 5;
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        long* target = a == "--switches"            ? &counts.switches
                       : a == "--hovers-per-switch" ? &counts.hoversPerSwitch
                       : a == "--menus"             ? &counts.menus
                       : a == "--abouts"            ? &counts.abouts
                       : a == "--warmup"            ? &warmupPercent
                                                    : nullptr;
        if (!target || i + 1 >= argc || !ParseLong(argv[++i], *target)) return Usage();
    }
    if (counts.switches % 2 != 0) return Usage();  // must end where it began

    Target t;
    t.main = FindWindowA(ids::kMainWindowClass, "Dravik");
    if (!t.main || !IsWindowVisible(t.main)) Fail("the main window is not shown");
    t.pid = PidOf(t.main);
    t.query = FindWindowExA(HWND_MESSAGE, nullptr, soak::kQueryWindowClass, nullptr);
    if (!t.query || PidOf(t.query) != t.pid)
        Fail("no handle count in this Dravik.exe (not the soak build?)");
    t.process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, t.pid);
    if (!t.process) Fail("cannot open the process");
    t.gdiLayout = LearnGdiTableLayout();
    if (!FullColour(t)) Fail("not in the full-colour appearance");

    const double start = tools::NowMs();
    Round(t, Scaled(counts, warmupPercent), "warmup", true);
    PutFigures(t, "warmup");
    Round(t, counts, "soak", false);
    Put("done\tms=" + std::to_string(static_cast<long>(tools::NowMs() - start)));
    CloseHandle(t.process);
    return 0;
}
