#pragma once
// The fixture of the end-to-end tests: the bench (private Xorg with the dummy driver, Wine
// prefix, Windows build) found once, a fresh copy of the template prefix per test, the probe
// and registry helpers, and the X mode put back when a test ends. Each test file of this
// folder uses it with `using namespace dravik_e2e;`.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "e2e_support.h"

namespace dravik_e2e {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
namespace ids = app::ids;
using e2e::EnvVars;
using e2e::Record;
using e2e::RunResult;

inline constexpr const char* kOptionsKey = "HKLM\\SOFTWARE\\Morv Dravik\\Options";
inline constexpr const char* kRunKey = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr const char* kDefaultMovie = "800 x 600 @ 60Hz 256 colors";

inline constexpr auto kStartTimeout = 90s;  // first program in a fresh prefix also boots its services
inline constexpr auto kProbeTimeout = 60s;
// What Wine's loader ends with when it could not start the program at all.
inline constexpr int kLoaderFailedExit = 1;
inline constexpr auto kSwitchTimeout = 20s;
inline constexpr auto kExitTimeout = 30s;

// The environment variable, or "" when unset.
std::string Env(const char* name);
// True under CI=true: a test that cannot run there fails instead of skipping.
bool UnderCi();
// True where Wine runs 32-bit Windows programs (the kernel's ia32 emulation is on).
bool CanRun32Bit();

// What the tests need from the bench and the Windows build, found once.
struct Bench {
    std::string problem;  // why the tests cannot run; empty when they can
    std::string buildDir, exe, probe;
    std::string exeLoader, probeLoader, toolLoader;
    std::string regView;  // registry view the program's HKLM\SOFTWARE lands in
    std::string display, templatePrefix, workDir;
};

const Bench& TheBench();

struct Mode {
    int index = 0, width = 0, height = 0, bpp = 0, hz = 0;
};

struct RegRead {
    bool present = false;
    std::string text;  // stored characters, without the terminating NUL Wine adds
};

class DravikE2E : public ::testing::Test {
protected:
    void SetUp() override {
        const Bench& b = TheBench();
        if (!b.problem.empty()) {
            if (UnderCi()) FAIL() << "end-to-end test cannot run: " << b.problem;
            GTEST_SKIP() << "end-to-end test cannot run: " << b.problem;
        }
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        caseDir_ = b.workDir + "/" + info->name();
        prefix_ = caseDir_ + "/prefix";
        std::error_code ec;
        fs::remove_all(caseDir_, ec);
        fs::create_directories(caseDir_, ec);
        ASSERT_FALSE(ec) << "cannot create " << caseDir_ << ": " << ec.message();

        // A copy, never hard links: wineserver rewrites the .reg files in place.
        const RunResult copy = e2e::Run({"cp", "-a", b.templatePrefix, prefix_}, {}, 300s);
        ASSERT_TRUE(copy.Ok()) << "copying the Wine prefix: " << copy.Describe();
        fs::remove(prefix_ + "/.dravik-template-ready", ec);

        env_ = {{"WINEPREFIX", prefix_},
                {"DISPLAY", b.display},
                {"WINEDEBUG", "-all"},
                {"WINEDLLOVERRIDES", "mscoree,mshtml="}};
        const auto mode = e2e::CurrentXMode(b.display);
        ASSERT_TRUE(mode.has_value()) << "cannot read the X mode";
        xBefore_ = *mode;
        prepared_ = true;

        // One server for the whole test, so that the probe's many short runs start fast.
        const RunResult server = e2e::Run({"wineserver", "-p"}, env_, 60s);
        ASSERT_TRUE(server.Ok()) << "wineserver -p: " << server.Describe();
    }

    void TearDown() override {
        if (!prepared_) return;
        for (e2e::Child* c : {&second_, &dravik_}) {
            if (c->Running()) {
                Probe({"msgbox", "ok"});
                if (c == &dravik_) Probe({"close"});
                if (!c->WaitExit(10s)) c->Kill();
            }
        }
        StopWineServer();
        if (!e2e::SetXMode(TheBench().display, xBefore_))
            ADD_FAILURE() << "could not restore the X mode " << xBefore_.Describe();
        std::error_code ec;
        fs::remove_all(prefix_, ec);  // a prefix is large; the logs beside it stay
    }

    // Ends every program of the test's prefix and its server, and returns once the server is
    // gone. "wineserver -k" would look for that end only in growing steps (50 ms, 100 ms, ...)
    // and return up to a few hundred milliseconds late; sent as a bare signal (-k2, SIGINT,
    // which -k sends too) it returns at once, and -w waits on the server's lock, which frees
    // the moment the server has ended. A server that outlives its SIGINT gets SIGKILL, as -k
    // would give it after about ten seconds.
    void StopWineServer() {
        e2e::Run({"wineserver", "-k2"}, env_, 60s);
        if (!e2e::Run({"wineserver", "-w"}, env_, 20s).Ok()) {
            e2e::Run({"wineserver", "-k9"}, env_, 60s);
            e2e::Run({"wineserver", "-w"}, env_, 60s);
        }
    }

    // winprobe writes a line before every exit, failed or not. Under load Wine now and then
    // fails to start a program at all, and the loader then ends with 1 and says nothing: such a
    // start, and only such, is tried again (twice at most), with a line in the test's log. Any
    // other silent end (a crash of the probe, which ends with the exception's code) fails.
    RunResult Probe(const std::vector<std::string>& args) {
        std::vector<std::string> argv{TheBench().probeLoader, TheBench().probe};
        argv.insert(argv.end(), args.begin(), args.end());
        RunResult r = e2e::Run(argv, env_, kProbeTimeout);
        for (int retry = 0; retry < 2 && r.started && !r.timedOut && r.exitCode == kLoaderFailedExit &&
                            r.out.empty() && r.err.empty();
             ++retry) {
            std::fprintf(stderr, "winprobe %s: ended with %d and no output; started again\n",
                         args.empty() ? "" : args[0].c_str(), r.exitCode);
            r = e2e::Run(argv, env_, kProbeTimeout);
        }
        return r;
    }

    std::vector<Record> Dump() {
        const RunResult r = Probe({"dump"});
        if (!r.Ok()) return {};
        return e2e::ParseRecords(r.out);
    }

    static const Record* Find(const std::vector<Record>& records, const std::string& kind, int id = -1) {
        for (const auto& r : records)
            if (r.kind == kind && (id < 0 || r.Int("id") == id)) return &r;
        return nullptr;
    }

    static std::vector<std::string> Items(const std::vector<Record>& records, int id) {
        std::vector<std::string> items;
        for (const auto& r : records)
            if (r.kind == "item" && r.Int("id") == id) items.push_back(r.Get("text"));
        return items;
    }

    static std::string Text(const std::vector<Record>& records, int id) {
        const Record* r = Find(records, "ctl", id);
        return r ? r->Get("text") : "<control " + std::to_string(id) + " missing>";
    }

    // Whether the main window has a control of this id (the probe lists every id of the design).
    static bool Made(const std::vector<Record>& records, int id) {
        const Record* r = Find(records, "ctl", id);
        return r && r->Get("present") == "1";
    }

    static bool Visible(const std::vector<Record>& records, int id) {
        const Record* r = Find(records, "ctl", id);
        return r && r->Get("visible") == "1";
    }

    static Mode ModeOf(const Record& r) {
        return Mode{static_cast<int>(r.Int("index")), static_cast<int>(r.Int("width")),
                    static_cast<int>(r.Int("height")), static_cast<int>(r.Int("bpp")),
                    static_cast<int>(r.Int("hz"))};
    }

    std::vector<Mode> Modes() {
        std::vector<Mode> modes;
        const RunResult r = Probe({"modes"});
        EXPECT_TRUE(r.Ok()) << "winprobe modes: " << r.Describe();
        for (const auto& rec : e2e::ParseRecords(r.out))
            if (rec.kind == "mode") modes.push_back(ModeOf(rec));
        return modes;
    }

    // The mode in effect as a program other than Dravik reads it.
    std::optional<Mode> Current() {
        const RunResult r = Probe({"current"});
        for (const auto& rec : e2e::ParseRecords(r.out))
            if (rec.kind == "current") return ModeOf(rec);
        ADD_FAILURE() << "winprobe current: " << r.Describe();
        return std::nullopt;
    }

    RegRead Reg(const std::string& key, const std::string& name) {
        const RunResult r = Probe({"reg-get", TheBench().regView, key, name});
        RegRead out;
        for (const auto& rec : e2e::ParseRecords(r.out)) {
            if (rec.kind != "reg") continue;
            out.present = rec.Get("status") == "present";
            out.text = rec.Get("data");
            // Wine stores REG_SZ as UTF-16 and terminates it whether or not the writer did.
            if (!out.text.empty() && out.text.back() == '\0') out.text.pop_back();
            return out;
        }
        ADD_FAILURE() << "winprobe reg-get " << key << " " << name << ": " << r.Describe();
        return out;
    }

    void RegSet(const std::string& key, const std::string& name, const std::string& value) {
        const RunResult r = Probe({"reg-set", TheBench().regView, key, name, value});
        ASSERT_TRUE(r.Ok()) << "winprobe reg-set: " << r.Describe();
    }

    void RegDelete(const std::string& key, const std::string& name) {
        const RunResult r = Probe({"reg-delete", TheBench().regView, key, name});
        ASSERT_TRUE(r.Ok()) << "winprobe reg-delete: " << r.Describe();
    }

    // Starts Dravik.exe (the bench's, unless another copy is named) and waits until its main
    // window is shown (start-up has finished).
    void StartDravik(const std::string& exe = TheBench().exe,
                     const std::string& loader = TheBench().exeLoader) {
        ASSERT_TRUE(dravik_.Start({loader, exe}, env_, caseDir_ + "/dravik.log"))
            << "cannot start " << exe;
        std::vector<Record> last;
        const bool shown = e2e::WaitUntil(
            [&] {
                if (!dravik_.Running()) return true;
                last = Dump();
                const Record* main = Find(last, "main");
                return main && main->Get("visible") == "1";
            },
            kStartTimeout);
        ASSERT_TRUE(dravik_.Running()) << "Dravik.exe ended during start-up; see " << caseDir_ << "/dravik.log";
        ASSERT_TRUE(shown) << "the main window (class " << ids::kMainWindowClass
                           << ", title Dravik) was not shown in time";
    }

    void Click(int id) {
        const RunResult r = Probe({"click", std::to_string(id)});
        ASSERT_TRUE(r.Ok()) << "winprobe click " << id << ": " << r.Describe();
    }

    void Select(int id, int index) {
        const RunResult r = Probe({"select", std::to_string(id), std::to_string(index)});
        ASSERT_TRUE(r.Ok()) << "winprobe select " << id << " " << index << ": " << r.Describe();
    }

    void Check(int id, int state) {
        const RunResult r = Probe({"check", std::to_string(id), std::to_string(state)});
        ASSERT_TRUE(r.Ok()) << "winprobe check " << id << ": " << r.Describe();
    }

    // Closes the main window as its close control does, and waits for the program to end.
    void CloseDravik() {
        const RunResult r = Probe({"close"});
        ASSERT_TRUE(r.Ok()) << "winprobe close: " << r.Describe();
        ASSERT_TRUE(dravik_.WaitExit(kExitTimeout).has_value()) << "Dravik.exe did not end after WM_CLOSE";
    }

    // Waits until the X server shows width x height at about `hz`.
    bool WaitForXMode(int width, int height, double hz, e2e::XMode& seen) {
        return e2e::WaitUntil(
            [&] {
                const auto m = e2e::CurrentXMode(TheBench().display);
                if (!m) return false;
                seen = *m;
                return m->width == width && m->height == height && std::abs(m->Rate() - hz) < 1.0;
            },
            kSwitchTimeout);
    }

    std::string WindowsPathOfExe() {
        const RunResult r = e2e::Run({TheBench().toolLoader, "winepath", "-w", TheBench().exe}, env_, kProbeTimeout);
        EXPECT_TRUE(r.Ok()) << "winepath: " << r.Describe();
        return e2e::Trim(r.out);
    }

    std::string caseDir_, prefix_;
    EnvVars env_;
    e2e::XMode xBefore_;
    bool prepared_ = false;
    e2e::Child dravik_, second_;
};

// Row y of a frame's title picture (one pixel wide, stretched along the title bar).
e2e::Rgb TitleRow(const char* file, int y);

// First index in `modes` that satisfies `pred`, or -1.
template <class Pred>
int FirstMode(const std::vector<Mode>& modes, Pred pred) {
    for (const auto& m : modes)
        if (pred(m)) return m.index;
    return -1;
}

// A 32-bit mode of another size than `now`, 800 x 600 where offered; -1 when there is none.
inline int OtherSize32(const std::vector<Mode>& modes, const Mode& now) {
    const auto otherSize = [&](const Mode& m) {
        return m.bpp == 32 && (m.width != now.width || m.height != now.height);
    };
    const int pick = FirstMode(modes, [&](const Mode& m) { return otherSize(m) && m.width == 800 && m.height == 600; });
    return pick >= 0 ? pick : FirstMode(modes, otherSize);
}

// The 8-bit mode to switch to from `now`: the one of the same size and rate, else the first
// 8-bit mode offered; -1 for none.
inline int EightBitModeFor(const std::vector<Mode>& modes, const Mode& now) {
    const int same = FirstMode(modes, [&](const Mode& m) {
        return m.bpp == 8 && m.width == now.width && m.height == now.height && m.hz == now.hz;
    });
    return same >= 0 ? same : FirstMode(modes, [](const Mode& m) { return m.bpp == 8; });
}

}  // namespace dravik_e2e
