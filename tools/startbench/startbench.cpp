// startbench: times the start-up of window programs side by side, for
// scripts/bench-startup.sh. A benchmark, not a test: it reports, it does not judge.
//
//   startbench [--settle MS] [--hold FILE] RUNS LABEL=PROGRAM [LABEL=PROGRAM ...]
//
// Starts each program RUNS times, one at a time, alternating between them (in rotated order
// each round, so that a slow spell of the machine does not fall on one program only), and for
// each start records, in milliseconds from just before CreateProcess:
//
//   visible  the first moment a visible top-level window of the new process exists;
//   idle     the process waits for input with nothing left to do (WaitForInputIdle: its
//            queue holds no input and no window of it needs painting any more);
//   drawn    the first moment from which the window's pixels on the screen stay as they are
//            when the program has settled: the screen under the window is captured every few
//            milliseconds from the moment it is visible until 300 ms after idle, and once
//            more after the settle time; drawn is the time of the first capture of the final
//            unbroken run of captures equal to that last one.
//
// After the settle time (default 1500 ms after drawn) it reads the process's memory
// (GetProcessMemoryInfo: PrivateUsage, which Wine takes from the Linux process's anonymous
// resident memory, and the working set), then closes the window (WM_CLOSE) and waits for the
// process to end (ending it after 10 s). With --hold FILE it writes "<label> <round>
// <windows pid>" to FILE.ready before closing and waits up to 10 s for FILE.done, so that a
// script outside Wine can read the Linux process's own figures meanwhile.
//
// Output: one line per start, "run<TAB>label=...<TAB>round=...<TAB>visible_ms=..." and so on,
// then one "median" line per program. Exit status 0, or 1 when a program showed no window
// within 30 s (its line then says window=none), 2 for a bad command line.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/stopwatch.h"

namespace {

struct Program {
    std::string label;
    std::string path;
    std::vector<double> visible, idle, drawn, privateKb, workingSetKb;
};


struct Found {
    DWORD pid;
    HWND hwnd;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM param) {
    auto* f = reinterpret_cast<Found*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != f->pid || !IsWindowVisible(hwnd)) return TRUE;
    RECT r;
    if (!GetWindowRect(hwnd, &r) || r.right <= r.left || r.bottom <= r.top) return TRUE;
    f->hwnd = hwnd;
    return FALSE;
}

HWND VisibleWindowOf(DWORD pid) {
    Found f{pid, nullptr};
    EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&f));
    return f.hwnd;
}

// The screen under a window, as a hash of its rectangle and pixels. The capture goes through
// the screen's DC, so it sees what the X server shows, not what the program has drawn into
// buffers of its own.
class ScreenCapture {
public:
    ScreenCapture() : screen_(GetDC(nullptr)), memory_(CreateCompatibleDC(screen_)) {}
    ~ScreenCapture() {
        if (bitmap_) {
            SelectObject(memory_, old_);
            DeleteObject(bitmap_);
        }
        DeleteDC(memory_);
        ReleaseDC(nullptr, screen_);
    }
    ScreenCapture(const ScreenCapture&) = delete;
    ScreenCapture& operator=(const ScreenCapture&) = delete;

    unsigned long long Hash(HWND hwnd) {
        RECT r;
        if (!GetWindowRect(hwnd, &r)) return 0;
        const int w = r.right - r.left, h = r.bottom - r.top;
        if (w <= 0 || h <= 0) return 0;
        if (w != w_ || h != h_) Resize(w, h);
        BitBlt(memory_, 0, 0, w, h, screen_, r.left, r.top, SRCCOPY);
        GdiFlush();
        unsigned long long hash = 1469598103934665603ull;
        auto mix = [&hash](unsigned long long v) { hash = (hash ^ v) * 1099511628211ull; };
        mix(static_cast<unsigned>(r.left));
        mix(static_cast<unsigned>(r.top));
        mix(static_cast<unsigned>(w));
        mix(static_cast<unsigned>(h));
        const auto* px = static_cast<const unsigned*>(bits_);
        for (long i = 0, n = static_cast<long>(w) * h; i < n; ++i) mix(px[i] & 0xFFFFFF);
        return hash;
    }

private:
    void Resize(int w, int h) {
        if (bitmap_) {
            SelectObject(memory_, old_);
            DeleteObject(bitmap_);
        }
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(memory_, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0);
        old_ = SelectObject(memory_, bitmap_);
        w_ = w;
        h_ = h;
    }

    HDC screen_;
    HDC memory_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    void* bits_ = nullptr;
    int w_ = 0, h_ = 0;
};

double Median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void Hold(const std::string& file, const Program& p, int round, DWORD pid) {
    if (file.empty()) return;
    const std::string ready = file + ".ready", done = file + ".done";
    DeleteFileA(done.c_str());
    if (FILE* f = std::fopen(ready.c_str(), "w")) {
        std::fprintf(f, "%s %d %lu\n", p.label.c_str(), round, static_cast<unsigned long>(pid));
        std::fclose(f);
    }
    for (int i = 0; i < 1000 && GetFileAttributesA(done.c_str()) == INVALID_FILE_ATTRIBUTES; ++i)
        Sleep(10);
    DeleteFileA(ready.c_str());
    DeleteFileA(done.c_str());
}

// One start of one program; false when it showed no window.
bool RunOnce(Program& p, int round, DWORD settleMs, const std::string& holdFile) {
    std::string folder = p.path.substr(0, p.path.find_last_of("\\/") + 1);
    std::string commandLine = "\"" + p.path + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    double t0 = tools::NowMs();
    // Wine now and then fails a start with ERROR_INTERNAL_ERROR before the program runs at
    // all; such a start is tried again rather than ending the whole benchmark.
    bool started = false;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0) Sleep(200);
        t0 = tools::NowMs();
        started = CreateProcessA(p.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                                 nullptr, folder.empty() ? nullptr : folder.c_str(), &si, &pi) != 0;
    }
    if (!started) {
        std::printf("run\tlabel=%s\tround=%d\terror=CreateProcess %lu\n", p.label.c_str(), round,
                    GetLastError());
        return false;
    }
    CloseHandle(pi.hThread);

    HWND hwnd = nullptr;
    double visible = -1, idle = -1;
    while (!hwnd && tools::NowMs() - t0 < 30000) {
        hwnd = VisibleWindowOf(pi.dwProcessId);
        if (!hwnd) Sleep(1);
    }
    if (!hwnd) {
        std::printf("run\tlabel=%s\tround=%d\twindow=none\n", p.label.c_str(), round);
        TerminateProcess(pi.hProcess, 1);
        CloseHandle(pi.hProcess);
        return false;
    }
    visible = tools::NowMs() - t0;

    struct Frame {
        double t;
        unsigned long long hash;
    };
    std::vector<Frame> frames;
    ScreenCapture capture;
    while (tools::NowMs() - t0 < 30000) {
        frames.push_back({tools::NowMs() - t0, capture.Hash(hwnd)});
        if (idle < 0 && WaitForInputIdle(pi.hProcess, 0) == 0) idle = tools::NowMs() - t0;
        if (idle >= 0 && tools::NowMs() - t0 > idle + 300) break;
        Sleep(2);
    }
    Sleep(settleMs);
    const unsigned long long final = capture.Hash(hwnd);
    double drawn = -1;
    for (std::size_t i = frames.size(); i-- > 0 && frames[i].hash == final;) drawn = frames[i].t;
    // Still changing when the captures stopped: drawn is when the last capture was taken.
    if (drawn < 0) drawn = tools::NowMs() - t0;

    PROCESS_MEMORY_COUNTERS_EX mem{};
    mem.cb = sizeof(mem);
    GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&mem), sizeof(mem));
    Hold(holdFile, p, round, pi.dwProcessId);

    char cls[64] = "";
    GetClassNameA(hwnd, cls, sizeof cls);
    std::printf("run\tlabel=%s\tround=%d\tvisible_ms=%.1f\tidle_ms=%.1f\tdrawn_ms=%.1f\t"
                "captures=%u\tprivate_kb=%lu\tworkingset_kb=%lu\tclass=%s\tpid=%lu\n",
                p.label.c_str(), round, visible, idle, drawn, static_cast<unsigned>(frames.size()),
                static_cast<unsigned long>(mem.PrivateUsage / 1024),
                static_cast<unsigned long>(mem.WorkingSetSize / 1024), cls,
                static_cast<unsigned long>(pi.dwProcessId));
    std::fflush(stdout);
    p.visible.push_back(visible);
    p.idle.push_back(idle);
    p.drawn.push_back(drawn);
    p.privateKb.push_back(static_cast<double>(mem.PrivateUsage / 1024));
    p.workingSetKb.push_back(static_cast<double>(mem.WorkingSetSize / 1024));

    PostMessageA(hwnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    return true;
}

int Usage() {
    std::fprintf(stderr, "usage: startbench [--settle MS] [--hold FILE] RUNS LABEL=PROGRAM...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    DWORD settleMs = 1500;
    std::string holdFile;
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == '-'; i += 2) {
        if (std::strcmp(argv[i], "--settle") == 0)
            settleMs = static_cast<DWORD>(std::strtoul(argv[i + 1], nullptr, 10));
        else if (std::strcmp(argv[i], "--hold") == 0)
            holdFile = argv[i + 1];
        else
            return Usage();
    }
    if (argc - i < 2) return Usage();
    const int runs = std::atoi(argv[i++]);
    std::vector<Program> programs;
    for (; i < argc; ++i) {
        const char* eq = std::strchr(argv[i], '=');
        if (!eq || eq == argv[i]) return Usage();
        programs.push_back({std::string(argv[i], static_cast<std::size_t>(eq - argv[i])),
                            std::string(eq + 1), {}, {}, {}, {}, {}});
    }
    if (runs < 1) return Usage();

    // Keep the pointer off the windows: hover effects would change their pixels.
    SetCursorPos(0, 0);
    // Wine starts its desktop process (explorer.exe) for the first window of a session; have
    // that happen now rather than during the first start measured.
    if (HWND w = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                 nullptr))
        DestroyWindow(w);
    Sleep(500);
    bool ok = true;
    for (int round = 1; round <= runs; ++round)
        for (std::size_t k = 0; k < programs.size(); ++k)
            ok &= RunOnce(programs[(k + round - 1) % programs.size()], round, settleMs, holdFile);

    for (const Program& p : programs)
        std::printf("median\tlabel=%s\truns=%u\tvisible_ms=%.1f\tidle_ms=%.1f\tdrawn_ms=%.1f\t"
                    "private_kb=%.0f\tworkingset_kb=%.0f\n",
                    p.label.c_str(), static_cast<unsigned>(p.drawn.size()), Median(p.visible),
                    Median(p.idle), Median(p.drawn), Median(p.privateKb), Median(p.workingSetKb));
    return ok ? 0 : 1;
}
