// icon_bench: a benchmark, not a test. Saves and restores the layout of 2000 desktop icons with
// the program's own IconMem on the Win32 platform, and does the bare cross-process calls that
// any save and restore must make (2000 position reads through one remote buffer; 4 x 2000
// moves), alternately in the same run against the same testdesk.exe, and reports both times
// and their ratio.
//
//   icon_bench [--items N] [--rounds R]      (defaults: 2000 items, 7 rounds)
//   icon_bench --route [--items N] [--rounds R]
//       the program's save and restore through the desktop's folder view against the same
//       through list-view messages, alternately, on one desktop this process serves itself
//       (see RouteBench below for why not testdesk's)
//
// Runs under Wine on the bench (see docs/DEVELOPING.md); starts testdesk.exe from its own
// folder and ends it again. Layouts go to a folder under %TEMP%.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <objbase.h>

#include "desk_shell.h"
#include "icons/icon_mem.h"
#include "platform/win32/scoped.h"
#include "platform/win32/win32_desktop.h"
#include "platform/win32/win32_display.h"
#include "platform/win32/win32_registry.h"
#include "platform/win32/win32_shell.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_ui.h"

namespace {

using platform::win32::ScopedHandle;

// The Win32 system, with the program's folder moved to a scratch folder of the benchmark.
class ScratchSystem final : public platform::System {
public:
    explicit ScratchSystem(std::string folder) : folder_(std::move(folder)) {}
    std::string AppPath() override { return folder_; }
    std::string AppExeName() override { return real_.AppExeName(); }
    platform::Version AppVersion() override { return real_.AppVersion(); }
    bool FolderExists(const std::string& p) override { return real_.FolderExists(p); }
    bool CreateFolder(const std::string& p) override { return real_.CreateFolder(p); }
    bool FileExists(const std::string& p) override { return real_.FileExists(p); }
    std::optional<std::string> ReadWholeFile(const std::string& p, std::size_t max) override {
        return real_.ReadWholeFile(p, max);
    }
    bool WriteWholeFile(const std::string& p, std::string_view b) override { return real_.WriteWholeFile(p, b); }
    bool MoveFileOver(const std::string& s, const std::string& t) override { return real_.MoveFileOver(s, t); }
    bool RemoveFile(const std::string& p) override { return real_.RemoveFile(p); }
    std::string SystemFolder() override { return real_.SystemFolder(); }
    bool StartProcess(const std::string& c) override { return real_.StartProcess(c); }
    bool AnotherInstanceRunning() override { return false; }

private:
    platform::win32::Win32System real_;
    std::string folder_;
};

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// This process's processor time (user and kernel) in seconds: unlike the wall clock it does
// not count the waits for the other process or for a busy machine, so it shows the work this
// side adds around the same calls.
double ProcessorTime() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return static_cast<double>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

struct Sample {
    double wall = 0;
    double cpu = 0;
};

template <class F>
Sample Time(F&& f) {
    const double wall = Now(), cpu = ProcessorTime();
    f();
    return {Now() - wall, ProcessorTime() - cpu};
}

// The least of each is the one least disturbed by the rest of the machine.
Sample Least(const std::vector<Sample>& v) {
    Sample least = v.front();
    for (const Sample& s : v) {
        least.wall = std::min(least.wall, s.wall);
        least.cpu = std::min(least.cpu, s.cpu);
    }
    return least;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

HWND FindListView() {
    HWND progman = FindWindowA("Progman", nullptr);
    HWND view = progman ? FindWindowExA(progman, nullptr, "SHELLDLL_DefView", nullptr) : nullptr;
    return view ? FindWindowExA(view, nullptr, "SysListView32", nullptr) : nullptr;
}

// What every save must do at the least: one buffer in the shell, one message and one read per item.
std::vector<POINT> BareRead(HWND list) {
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<POINT> positions(static_cast<size_t>(count));
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    ScopedHandle process(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    void* remote = VirtualAllocEx(process.Get(), nullptr, sizeof(POINT), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    for (int i = 0; i < count; ++i) {
        SendMessageA(list, LVM_GETITEMPOSITION, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote));
        SIZE_T got = 0;
        ReadProcessMemory(process.Get(), remote, &positions[static_cast<size_t>(i)], sizeof(POINT), &got);
    }
    VirtualFreeEx(process.Get(), remote, 0, MEM_RELEASE);
    return positions;
}

// What every restore must do at the least: the four passes of moves.
void BareMoves(HWND list, const std::vector<POINT>& positions) {
    for (int pass = 0; pass < 4; ++pass)
        for (size_t i = 0; i < positions.size(); ++i)
            SendMessageA(list, LVM_SETITEMPOSITION, i,
                         MAKELPARAM(static_cast<WORD>(positions[i].x), static_cast<WORD>(positions[i].y)));
}

std::string ModuleFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\'));
}


// Removes the layouts and the scratch folder.
void RemoveScratch(const std::string& scratch) {
    std::string layoutFolder = scratch + "\\Iconset";
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((layoutFolder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((layoutFolder + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(layoutFolder.c_str());
    RemoveDirectoryA(scratch.c_str());
}

// The desktop of the route benchmark: "Progman" > "SHELLDLL_DefView" > a list view of N items,
// made and run by a thread of this process that also serves the desktop's folder view
// (desk_shell) in the multithreaded apartment. Under Wine 8 no other process reaches testdesk's
// folder view (Wine's RPC service hands out the first registration of CLSID_ShellWindows, Wine
// explorer's), so both sides are timed against this desktop: the route (the view's worker
// thread calling the view directly, which asks the list view by messages to this thread) and
// the messages (the same list view from the calling thread). FindWindowSW answers "no desktop"
// for the messages' side, so the program picks its way itself.
class BenchHooks final : public desk_shell::Hooks {
public:
    HRESULT Enter(const char* method) override {
        if (std::strcmp(method, "FindWindowSW") == 0) return InterlockedCompareExchange(&route_, 0, 0) ? S_OK : S_FALSE;
        if (std::strcmp(method, "SelectAndPositionItems") == 0) InterlockedIncrement(&positionCalls_);
        return S_OK;
    }
    void Route(bool on) { InterlockedExchange(&route_, on ? 1 : 0); }
    LONG PositionCalls() { return InterlockedCompareExchange(&positionCalls_, 0, 0); }

private:
    LONG route_ = 0;
    LONG positionCalls_ = 0;
};

DWORD WINAPI BenchDeskThread(void* parameter) {
    desk_shell::ServeDesktop(*static_cast<desk_shell::ServedDesktop*>(parameter));
    return 0;
}

int RouteBench(int items, int rounds, platform::Platform& platformSet) {
    BenchHooks hooks;
    desk_shell::ServedDesktop desk;
    desk.width = GetSystemMetrics(SM_CXSCREEN);
    desk.height = GetSystemMetrics(SM_CYSCREEN);
    // testdesk's grid: 75 by 70 pixel cells, 20 to a column.
    for (int i = 0; i < items; ++i) desk.positions.push_back({20 + 75 * (i / 20), 10 + 70 * (i % 20)});
    desk.hooks = &hooks;
    ScopedHandle ready(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    desk.ready = ready.Get();
    DWORD deskThreadId = 0;
    ScopedHandle deskThread(CreateThread(nullptr, 0, BenchDeskThread, &desk, 0, &deskThreadId));
    if (!deskThread || WaitForSingleObject(ready.Get(), 60000) != WAIT_OBJECT_0 || !desk.registered) {
        std::fprintf(stderr, "the benchmark's desktop did not come up\n");
        return 1;
    }
    platform::win32::Win32Desktop desktop;
    icons::IconMem iconMem(platformSet, desktop);
    std::vector<Sample> routeSave, messageSave, routeRestore, messageRestore;
    std::vector<double> saveRatio, restoreRatio;
    auto timed = [&](bool route, std::vector<Sample>& into, void (icons::IconMem::*what)()) {
        hooks.Route(route);
        into.push_back(Time([&] { (iconMem.*what)(); }));
    };
    for (int r = 0; r < rounds; ++r) {
        const bool routeFirst = r % 2 == 0;
        for (const bool route : {routeFirst, !routeFirst})
            timed(route, route ? routeSave : messageSave, &icons::IconMem::SaveIconLayout);
        for (const bool route : {routeFirst, !routeFirst})
            timed(route, route ? routeRestore : messageRestore, &icons::IconMem::RestoreIconLayout);
        saveRatio.push_back(routeSave.back().wall / messageSave.back().wall);
        restoreRatio.push_back(routeRestore.back().wall / messageRestore.back().wall);
        std::printf("round %d: save route %.3f s / messages %.3f s = %.3f; restore route %.3f s / messages %.3f s = %.3f\n",
                    r + 1, routeSave.back().wall, messageSave.back().wall, saveRatio.back(),
                    routeRestore.back().wall, messageRestore.back().wall, restoreRatio.back());
        std::fflush(stdout);
    }
    const LONG positionCalls = hooks.PositionCalls();
    auto report = [](const char* what, const std::vector<Sample>& route, const std::vector<Sample>& messages,
                     const std::vector<double>& ratios) {
        const Sample a = Least(route), b = Least(messages);
        std::printf("%-8s route least %.3f s, messages least %.3f s: ratio %.3f (median of rounds %.3f); "
                    "processor time %.3f s / %.3f s\n",
                    what, a.wall, b.wall, a.wall / b.wall, Median(ratios), a.cpu, b.cpu);
    };
    std::printf("items %d, rounds %d, SelectAndPositionItems calls %ld (one per restore through the route)\n",
                items, rounds, static_cast<long>(positionCalls));
    report("save", routeSave, messageSave, saveRatio);
    report("restore", routeRestore, messageRestore, restoreRatio);
    PostThreadMessageA(deskThreadId, WM_QUIT, 0, 0);
    WaitForSingleObject(deskThread.Get(), 60000);
    return positionCalls == rounds ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    int items = 2000, rounds = 7;
    bool route = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--route") route = true;
        else if (arg == "--items" && i + 1 < argc) items = std::atoi(argv[++i]);
        else if (arg == "--rounds" && i + 1 < argc) rounds = std::atoi(argv[++i]);
    }
    if (FindWindowA("Progman", nullptr)) {
        std::fprintf(stderr, "a desktop (Progman) is running already; the benchmark brings its own\n");
        return 1;
    }
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string scratch = std::string(temp) + "Dravik icon bench " + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(scratch.c_str(), nullptr);
    CreateDirectoryA((scratch + "\\Iconset").c_str(), nullptr);
    platform::win32::Win32Display display;
    platform::win32::Win32Registry registry;
    ScratchSystem system(scratch);
    platform::win32::Win32Ui ui;
    platform::win32::Win32Shell shell;
    platform::win32::Win32Registry registry32(platform::win32::Win32Registry::View::Wow32);
    platform::Platform platformSet{display, registry, system, ui, shell, registry32};
    if (route) {
        const int rc = RouteBench(items, rounds, platformSet);
        RemoveScratch(scratch);
        return rc;
    }

    const std::string log = scratch + "\\testdesk.log";
    std::string cmd = "\"" + ModuleFolder() + "\\testdesk.exe\" serve \"" + log + "\" --items " + std::to_string(items);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "cannot start %s\n", cmd.c_str());
        return 1;
    }
    ScopedHandle desk(pi.hProcess);
    CloseHandle(pi.hThread);
    HWND list = nullptr;
    for (int i = 0; i < 3000 && !list; ++i) {
        // The desktop is ready once its log says so; until then its items are not in place.
        FILE* f = std::fopen(log.c_str(), "rb");
        if (f) {
            char line[256] = {};
            if (std::fgets(line, sizeof line, f) && std::string(line).rfind("ready", 0) == 0) list = FindListView();
            std::fclose(f);
        }
        if (!list) Sleep(20);
    }
    if (!list) {
        std::fprintf(stderr, "testdesk did not come up\n");
        TerminateProcess(desk.Get(), 1);
        return 1;
    }

    platform::win32::Win32Desktop desktop;
    icons::IconMem iconMem(platformSet, desktop);

    // Each round times the program's save right beside the bare reads and its restore right
    // beside the bare moves, in alternating order, so that the load of a shared machine weighs
    // on both sides of a ratio alike; the ratios are also taken per round.
    std::vector<Sample> bareRead, save, bareMoves, restore;
    std::vector<double> saveRatio, restoreRatio;
    std::vector<POINT> positions;
    for (int r = 0; r < rounds; ++r) {
        auto timeSave = [&] { save.push_back(Time([&] { iconMem.SaveIconLayout(); })); };
        auto timeRead = [&] { bareRead.push_back(Time([&] { positions = BareRead(list); })); };
        auto timeRestore = [&] { restore.push_back(Time([&] { iconMem.RestoreIconLayout(); })); };
        auto timeMoves = [&] { bareMoves.push_back(Time([&] { BareMoves(list, positions); })); };
        if (r % 2 == 1) {
            timeSave();
            timeRead();
            timeRestore();
            timeMoves();
        } else {
            timeRead();
            timeSave();
            timeMoves();
            timeRestore();
        }
        saveRatio.push_back(save.back().wall / bareRead.back().wall);
        restoreRatio.push_back(restore.back().wall / bareMoves.back().wall);
        std::printf("round %d: save %.3f s / bare reads %.3f s = %.3f; restore %.3f s / bare moves %.3f s = %.3f\n",
                    r + 1, save.back().wall, bareRead.back().wall, saveRatio.back(), restore.back().wall,
                    bareMoves.back().wall, restoreRatio.back());
        std::fflush(stdout);
    }
    if (positions.size() != static_cast<size_t>(items))
        std::fprintf(stderr, "warning: the desktop holds %u items, not %d\n", static_cast<unsigned>(positions.size()), items);

    auto report = [](const char* what, const std::vector<Sample>& ours, const char* bare,
                     const std::vector<Sample>& base, const std::vector<double>& ratios) {
        const Sample o = Least(ours), b = Least(base);
        std::printf("%-8s least %.3f s, %s least %.3f s: ratio %.3f (median of rounds %.3f); "
                    "processor time %.3f s / %.3f s: ratio %.3f\n",
                    what, o.wall, bare, b.wall, o.wall / b.wall, Median(ratios), o.cpu, b.cpu,
                    b.cpu > 0 ? o.cpu / b.cpu : 0.0);
    };
    std::printf("items %d, rounds %d\n", items, rounds);
    report("save", save, "bare reads", bareRead, saveRatio);
    report("restore", restore, "bare moves (4 passes)", bareMoves, restoreRatio);

    TerminateProcess(desk.Get(), 0);
    WaitForSingleObject(desk.Get(), 10000);
    DeleteFileA(log.c_str());
    RemoveScratch(scratch);
    return 0;
}
