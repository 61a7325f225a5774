// "Dravik.exe <switch> /run <program>": the movie preset holds while a launcher's child runs
// (the launcher itself ends at once) and is handed back when it ends, unless the user switched
// meanwhile; and Dravik.com, typed at Wine's cmd, answers before the prompt returns and leaves
// its code in %errorlevel%. The timings seen are printed (the report of issue 24 quotes them).
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#include "dravik_fixture.h"

using namespace dravik_e2e;

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kClientTimeout = 180s;

using e2e::WindowsPath;

// The file's text; empty when it cannot be read.
std::string ReadFile(const std::string& path) { return e2e::ReadWholeFile(path).value_or(""); }

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

class RunE2E : public DravikE2E {
protected:
    void SetUp() override {
        DravikE2E::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        launcher_ = TheBench().buildDir + "/tools/launcher.exe";
        ASSERT_TRUE(e2e::FileExists(launcher_)) << "no " << launcher_ << " (target launcher)";
        const std::vector<Mode> modes = Modes();
        const auto now = Current();
        ASSERT_TRUE(now.has_value());
        monitor_ = *now;
        const int other = OtherSize32(modes, *now);
        ASSERT_GE(other, 0) << "the bench offers no 32-bit mode of another size";
        movie_ = modes[static_cast<std::size_t>(other)];
        for (const Mode& m : modes)
            if (m.bpp == 32 && m.width != movie_.width && m.width != monitor_.width) third_ = m;
        RegSet(kOptionsKey, "BtnMovie", Label(movie_));
        folder_ = caseDir_ + "/run";
        std::filesystem::create_directories(folder_);
    }

    static std::string Label(const Mode& m) { return e2e::CanonicalLabel(m.width, m.height, m.bpp, m.hz); }

    bool XModeIs(const Mode& m) {
        e2e::XMode seen;
        return WaitForXMode(m.width, m.height, m.hz, seen);
    }
    bool XModeStill(const Mode& m) {
        const auto x = e2e::CurrentXMode(TheBench().display);
        return x && x->width == m.width && x->height == m.height;
    }
    bool Appears(const std::string& file) {
        return e2e::WaitUntil([&] { return e2e::FileExists(folder_ + "/" + file); }, kStartTimeout);
    }
    void Release() { std::ofstream(folder_ + "/release") << "go"; }

    std::vector<std::string> RunArgs(std::vector<std::string> switchArgs, std::vector<std::string> program) {
        std::vector<std::string> argv{TheBench().exeLoader, TheBench().exe};
        argv.insert(argv.end(), switchArgs.begin(), switchArgs.end());
        argv.push_back("/run");
        argv.push_back(WindowsPath(launcher_));
        argv.insert(argv.end(), program.begin(), program.end());
        return argv;
    }

    std::string launcher_, folder_;
    Mode monitor_, movie_, third_;
};

TEST_F(RunE2E, ALaunchersChildKeepsTheMoviePresetUntilItEndsAndTheProgramsCodeIsPassedOn) {
    // None runs: the client starts Dravik, then holds the movie preset while the launcher (which
    // ends at once with 7) and its child (which ends with 9 once released) run.
    e2e::Child client;
    const auto t0 = Clock::now();
    ASSERT_TRUE(client.Start(RunArgs({"/movie"}, {"launch", WindowsPath(folder_), "7", "9", "a b", "\"q\""}), env_,
                             caseDir_ + "/client.log"));
    ASSERT_TRUE(XModeIs(movie_)) << "the movie preset was not switched to";
    const auto tMovie = Clock::now();
    ASSERT_TRUE(Appears("child.txt")) << "the launcher's child did not start";
    const auto tChild = Clock::now();
    // The arguments reach the program as written.
    EXPECT_NE(ReadFile(folder_ + "/launcher.txt").find("launch " + WindowsPath(folder_) + " 7 9 \"a b\" "),
              std::string::npos)
        << ReadFile(folder_ + "/launcher.txt");
    // The launcher has ended; the client waits on for its child, in the movie preset.
    std::this_thread::sleep_for(3s);
    EXPECT_TRUE(client.Running()) << "the client ended with the launcher";
    EXPECT_TRUE(XModeStill(movie_)) << "switched back while the launcher's child runs";

    const auto tRelease = Clock::now();
    Release();
    ASSERT_TRUE(XModeIs(monitor_)) << "not switched back after the child ended";
    const auto tBack = Clock::now();
    const std::optional<int> code = client.WaitExit(kClientTimeout);
    const auto tEnd = Clock::now();
    ASSERT_TRUE(code.has_value()) << "the /run client did not end";
    EXPECT_EQ(*code, 7) << ReadFile(caseDir_ + "/client.log");  // the program's own: the launcher's
    EXPECT_TRUE(e2e::FileExists(folder_ + "/child-ended.txt"));
    EXPECT_NE(ReadFile(caseDir_ + "/client.log").find("switched back"), std::string::npos)
        << ReadFile(caseDir_ + "/client.log");
    std::fprintf(stderr,
                 "timings: start Dravik + switch to movie %.2f s, child up %.2f s, child released "
                 "-> monitor again %.2f s, client ended %.2f s after the release, exit code %d\n",
                 Seconds(t0, tMovie), Seconds(t0, tChild), Seconds(tRelease, tBack), Seconds(tRelease, tEnd), *code);
    // The Dravik the client started runs on; /exit ends it.
    const RunResult exit = e2e::Run({TheBench().exeLoader, TheBench().exe, "/exit"}, env_, kClientTimeout);
    EXPECT_EQ(exit.exitCode, 0) << exit.Describe();
}

TEST_F(RunE2E, ASwitchMeanwhileIsLeftAloneAndAProgramThatCannotStartIsTwo) {
    StartDravik();
    ASSERT_GT(third_.width, 0) << "the bench offers no third 32-bit size";

    // The program started directly: its own code, 9.
    e2e::Child client;
    const auto t0 = Clock::now();
    ASSERT_TRUE(client.Start(RunArgs({"/mode", Label(movie_)}, {"child", WindowsPath(folder_), "9"}), env_,
                             caseDir_ + "/client.log"));
    ASSERT_TRUE(XModeIs(movie_));
    const auto tMovie = Clock::now();
    ASSERT_TRUE(Appears("child.txt"));
    // The user switches meanwhile, by another command.
    std::vector<std::string> other{TheBench().exeLoader, TheBench().exe, "/mode", Label(third_)};
    const RunResult user = e2e::Run(other, env_, kClientTimeout);
    EXPECT_EQ(user.exitCode, 0) << user.Describe();
    ASSERT_TRUE(XModeIs(third_));
    const auto tRelease = Clock::now();
    Release();
    const std::optional<int> code = client.WaitExit(kClientTimeout);
    const auto tEnd = Clock::now();
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, 9);
    std::this_thread::sleep_for(1s);
    EXPECT_TRUE(XModeStill(third_)) << "the user's switch was undone";
    EXPECT_NE(ReadFile(caseDir_ + "/client.log").find("left as switched meanwhile"), std::string::npos)
        << ReadFile(caseDir_ + "/client.log");
    std::fprintf(stderr, "timings: switch to movie %.2f s, client ended %.2f s after the release, exit code %d\n",
                 Seconds(t0, tMovie), Seconds(tRelease, tEnd), *code);

    // A program that cannot be started: 2, and the display put back.
    const RunResult none = e2e::Run(
        {TheBench().exeLoader, TheBench().exe, "/monitor", "/run", "Z:\\no\\such\\program.exe"}, env_, kClientTimeout);
    EXPECT_EQ(none.exitCode, 2) << none.Describe();
    EXPECT_NE(none.err.find("cannot start"), std::string::npos) << none.Describe();
    EXPECT_TRUE(XModeIs(third_)) << "the display was not put back";

    // A switch that cannot be made: 1, and nothing started.
    const RunResult bad = e2e::Run(RunArgs({"/mode", "123 x 45 @ 60Hz 32bit colors"}, {"child", WindowsPath(folder_), "5"}),
                                   env_, kClientTimeout);
    EXPECT_EQ(bad.exitCode, 1) << bad.Describe();
    // Bad arguments: 2.
    const RunResult noProgram = e2e::Run({TheBench().exeLoader, TheBench().exe, "/movie", "/run"}, env_, kClientTimeout);
    EXPECT_EQ(noProgram.exitCode, 2) << noProgram.Describe();
    CloseDravik();
}

TEST_F(RunE2E, DravikComAtCmdAnswersBeforeThePromptAndLeavesItsCodeInErrorlevel) {
    const std::string com = TheBench().buildDir + "/Dravik.com";
    ASSERT_TRUE(e2e::FileExists(com)) << "no " << com << " (target DravikCom)";
    const std::string dir = WindowsPath(TheBench().buildDir);
    // Typed at the prompt of an interactive cmd, line by line (its standard input): cmd takes
    // Dravik.com before Dravik.exe and waits for it.
    const std::string typed = caseDir_ + "/typed.txt";
    std::ofstream(typed) << "cd /d " << dir << "\r\nDravik /list\r\necho code=%errorlevel%\r\n"
                         << "Dravik /mode \"123 x 45 @ 60Hz 32bit colors\"\r\necho code=%errorlevel%\r\n"
                         << "Dravik /bogus\r\necho code=%errorlevel%\r\nexit\r\n";
    const auto t0 = Clock::now();
    const RunResult r = e2e::Run({"sh", "-c", "exec \"$0\" cmd < \"$1\"", TheBench().toolLoader, typed}, env_,
                                 kClientTimeout);
    const double took = Seconds(t0, Clock::now());
    ASSERT_TRUE(r.started && !r.timedOut) << r.Describe();
    const std::string first = e2e::CanonicalLabel(monitor_.width, monitor_.height, monitor_.bpp, monitor_.hz);
    const auto label = r.out.find(first);
    const auto code0 = r.out.find("code=0");
    EXPECT_NE(label, std::string::npos) << r.Describe();
    EXPECT_NE(code0, std::string::npos) << r.Describe();
    EXPECT_LT(label, code0) << "the answer came after the prompt: " << r.Describe();
    const auto code1 = r.out.find("code=1", code0);
    EXPECT_NE(code1, std::string::npos) << r.Describe();
    EXPECT_NE(r.out.find("code=2", code1 == std::string::npos ? 0 : code1), std::string::npos) << r.Describe();
    std::fprintf(stderr, "timings: three commands through Dravik.com at cmd took %.2f s\n", took);
}

}  // namespace
