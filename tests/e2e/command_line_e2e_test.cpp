// Dravik.exe started with switches: a client that hands its command to the running Dravik
// (starting one when none runs) and ends with the answer as its exit code, as a script sees it.
#include <dirent.h>

#include <fstream>
#include <sstream>

#include "dravik_fixture.h"

using namespace dravik_e2e;

namespace {

constexpr auto kClientTimeout = 180s;

// The Windows processes of Dravik.exe in the Wine prefix `prefix`, as Linux sees them (other
// prefixes on the machine may run their own): their process ids.
std::vector<std::string> DravikProcesses(const std::string& prefix) {
    std::vector<std::string> pids;
    DIR* proc = opendir("/proc");
    if (!proc) return {"<no /proc>"};
    const std::string inPrefix = "WINEPREFIX=" + prefix;
    while (const dirent* e = readdir(proc)) {
        if (e->d_name[0] < '0' || e->d_name[0] > '9') continue;
        const std::string dir = std::string("/proc/") + e->d_name;
        std::ifstream cmd(dir + "/cmdline", std::ios::binary);
        std::string first;
        std::getline(cmd, first, '\0');
        if (first.size() < 10 || first.compare(first.size() - 10, 10, "Dravik.exe") != 0) continue;
        std::ifstream env(dir + "/environ", std::ios::binary);
        for (std::string var; std::getline(env, var, '\0');)
            if (var == inPrefix) {
                std::string rest;
                std::getline(cmd, rest, '\0');
                pids.push_back(std::string(e->d_name) + (rest.empty() ? "" : " " + rest));
                break;
            }
    }
    closedir(proc);
    return pids;
}

std::string Joined(const std::vector<std::string>& items) {
    std::string out;
    for (const auto& i : items) out += "[" + i + "] ";
    return out;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

class CommandLineE2E : public DravikE2E {
protected:
    RunResult Client(std::vector<std::string> args) {
        std::vector<std::string> argv{TheBench().exeLoader, TheBench().exe};
        argv.insert(argv.end(), args.begin(), args.end());
        return e2e::Run(argv, env_, kClientTimeout);
    }

    // No message box may wait for an answer: a script would stop there.
    void ExpectNoMessageBox() {
        const RunResult box = Probe({"msgbox"});
        EXPECT_NE(box.out.find("nomsgbox"), std::string::npos) << "a message box: " << box.out;
    }

    std::vector<std::string> ExpectedLabels() {
        std::vector<std::string> labels;
        for (const Mode& m : Modes()) labels.push_back(e2e::CanonicalLabel(m.width, m.height, m.bpp, m.hz));
        return labels;
    }

    bool DravikGone() {
        return e2e::WaitUntil([this] { return DravikProcesses(prefix_).empty(); }, kExitTimeout);
    }
};

TEST_F(CommandLineE2E, WithoutARunningDravikListUsageExitAndBadArgumentsStartNothing) {
    ASSERT_TRUE(DravikProcesses(prefix_).empty()) << Joined(DravikProcesses(prefix_));

    const RunResult list = Client({"/list"});
    EXPECT_EQ(list.exitCode, 0) << list.Describe();
    const std::vector<std::string> expected = ExpectedLabels();
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(Lines(list.out), expected);

    const RunResult usage = Client({"/?"});
    EXPECT_EQ(usage.exitCode, 0) << usage.Describe();
    EXPECT_NE(usage.out.find("/toggle"), std::string::npos) << usage.out;

    const RunResult exit = Client({"-EXIT"});
    EXPECT_EQ(exit.exitCode, 0) << exit.Describe();

    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"/bogus"}, {"/mode"}, {"/movie", "/monitor"}}) {
        const RunResult r = Client(bad);
        EXPECT_EQ(r.exitCode, 2) << bad[0] << ": " << r.Describe();
        EXPECT_NE(r.err.find("Dravik.exe /?"), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
    }
    ExpectNoMessageBox();
    EXPECT_TRUE(DravikProcesses(prefix_).empty()) << "a client started Dravik";
    EXPECT_FALSE(Reg(kOptionsKey, "BtnMovie").present) << "a client ran the start-up";
}

TEST_F(CommandLineE2E, AModeCommandStartsDravikThenEveryCommandGoesToThatOne) {
    const std::vector<Mode> modes = Modes();
    const auto now = Current();
    ASSERT_TRUE(now.has_value());
    const int other = OtherSize32(modes, *now);
    ASSERT_GE(other, 0) << "the bench offers no 32-bit mode of another size";
    const Mode target = modes[static_cast<std::size_t>(other)];
    const std::string label = e2e::CanonicalLabel(target.width, target.height, target.bpp, target.hz);

    // None runs: the client starts Dravik as a plain start would, then hands it the switch.
    const RunResult first = Client({"/mode", label});
    EXPECT_EQ(first.exitCode, 0) << first.Describe();
    e2e::XMode seen;
    EXPECT_TRUE(WaitForXMode(target.width, target.height, target.hz, seen)) << seen.Describe();
    EXPECT_EQ(DravikProcesses(prefix_).size(), 1u) << Joined(DravikProcesses(prefix_));
    const std::vector<Record> shown = Dump();
    const Record* main = Find(shown, "main");
    ASSERT_NE(main, nullptr) << "no main window after the client";
    EXPECT_EQ(main->Get("visible"), "1");
    EXPECT_EQ(Reg(kOptionsKey, "BtnMovie").text, kDefaultMovie) << "the start-up ran";
    // It runs in its own folder, not in the client's current one, which it would hold open.
    const RunResult cwd = Probe({"cwd"});
    ASSERT_TRUE(cwd.Ok()) << cwd.Describe();
    const std::string exe = WindowsPathOfExe();
    EXPECT_EQ(e2e::ParseRecords(cwd.out).at(0).Get("path"), exe.substr(0, exe.rfind('\\') + 1));

    // The same again is done without a switch; an unknown label is not switched to.
    EXPECT_EQ(Client({"/mode", label}).exitCode, 0);
    const RunResult unknown = Client({"/mode", "123 x 45 @ 60Hz 32bit colors"});
    EXPECT_EQ(unknown.exitCode, 1) << unknown.Describe();
    EXPECT_TRUE(WaitForXMode(target.width, target.height, target.hz, seen)) << seen.Describe();

    // The running Dravik lists what its lists hold.
    const RunResult list = Client({"/list"});
    EXPECT_EQ(list.exitCode, 0) << list.Describe();
    EXPECT_EQ(Lines(list.out), ExpectedLabels());

    // The monitor preset is the mode in effect when the client started Dravik.
    EXPECT_EQ(Client({"/MONITOR"}).exitCode, 0);
    EXPECT_TRUE(WaitForXMode(now->width, now->height, now->hz, seen)) << seen.Describe();

    ExpectNoMessageBox();
    EXPECT_EQ(DravikProcesses(prefix_).size(), 1u) << Joined(DravikProcesses(prefix_));

    const RunResult exit = Client({"/exit"});
    EXPECT_EQ(exit.exitCode, 0) << exit.Describe();
    EXPECT_TRUE(DravikGone()) << "Dravik did not end on /exit";
}

// A running Dravik that cannot hand its answer back (a client run as administrator, whose window
// Windows keeps from the messages of one that is not) makes the client say so and end
// non-zero, never 0 with nothing printed.
TEST_F(CommandLineE2E, AnAnswerThatCannotBeHandedBackEndsTheClientWithItsReason) {
    e2e::Child standIn;
    const std::string log = caseDir_ + "/lost-answers.log";
    ASSERT_TRUE(standIn.Start({TheBench().probeLoader, TheBench().probe, "lost-answers"}, env_, log));
    ASSERT_TRUE(e2e::WaitUntil(
        [&] {
            std::ifstream in(log);
            std::stringstream text;
            text << in.rdbuf();
            return text.str().find("serving") != std::string::npos || !standIn.Running();
        },
        kStartTimeout));
    ASSERT_TRUE(standIn.Running());
    const RunResult list = Client({"/list"});
    EXPECT_EQ(list.exitCode, 1) << list.Describe();
    EXPECT_NE(list.err.find("could not hand its answer back"), std::string::npos) << list.Describe();
    standIn.Kill();
}

TEST_F(CommandLineE2E, MovieAndToggleSwitchTheRunningDravikInTheTray) {
    const std::vector<Mode> modes = Modes();
    const auto now = Current();
    ASSERT_TRUE(now.has_value());
    const int other = OtherSize32(modes, *now);
    ASSERT_GE(other, 0);
    const Mode movie = modes[static_cast<std::size_t>(other)];
    RegSet(kOptionsKey, "Start in SysTray", "1");
    RegSet(kOptionsKey, "BtnMovie", e2e::CanonicalLabel(movie.width, movie.height, movie.bpp, movie.hz));
    ASSERT_TRUE(dravik_.Start({TheBench().exeLoader, TheBench().exe}, env_, caseDir_ + "/dravik.log"));
    ASSERT_TRUE(e2e::WaitUntil([&] { return Find(Dump(), "main") != nullptr; }, kStartTimeout));

    e2e::XMode seen;
    const RunResult toMovie = Client({"-movie"});
    EXPECT_EQ(toMovie.exitCode, 0) << toMovie.Describe();
    EXPECT_TRUE(WaitForXMode(movie.width, movie.height, movie.hz, seen)) << seen.Describe();

    const RunResult back = Client({"/toggle"});
    EXPECT_EQ(back.exitCode, 0) << back.Describe();
    EXPECT_TRUE(WaitForXMode(now->width, now->height, now->hz, seen)) << seen.Describe();

    const RunResult again = Client({"/Toggle"});
    EXPECT_EQ(again.exitCode, 0) << again.Describe();
    EXPECT_TRUE(WaitForXMode(movie.width, movie.height, movie.hz, seen)) << seen.Describe();

    // Still in the notification area, one program, nothing waiting for an answer.
    const std::vector<Record> records = Dump();
    const Record* main = Find(records, "main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->Get("visible"), "0");
    EXPECT_EQ(DravikProcesses(prefix_).size(), 1u) << Joined(DravikProcesses(prefix_));
    ExpectNoMessageBox();
}

}  // namespace
