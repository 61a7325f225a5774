// "<switch> /run <program>": its arguments, the hold and the switch back between client and
// running program, the decision whether to switch back, how the program's processes are
// watched, and the whole run against the in-memory platform.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/form_main.h"
#include "app/run_program.h"
#include "platform/memory/memory_programs.h"
#include "tests/loaded_main_form.h"

namespace {

using app::BackDecision;
using app::Command;
using app::FrmMain;
using app::HeldSwitch;
using app::Verb;
using platform::JobFacts;
using platform::Watch;
using platform::memory::Mode;

TEST(RunArguments, ASwitchThenRunThenTheProgramWithItsArgumentsUnlooked) {
    app::ParsedArguments p = app::ParseArguments({"/movie", "/run", "C:\\vlc.exe", "/x", "--fullscreen"});
    ASSERT_TRUE(p.command);
    EXPECT_EQ(*p.command, (Command{Verb::Movie, {}}));
    EXPECT_TRUE(p.run);
    EXPECT_EQ(p.runAfter, 2u);

    p = app::ParseArguments({"-MODE", "800 x 600 @ 60Hz 256 colors", "-RUN", "game.exe"});
    ASSERT_TRUE(p.command);
    EXPECT_EQ(*p.command, (Command{Verb::Mode, "800 x 600 @ 60Hz 256 colors"}));
    EXPECT_TRUE(p.run);
    EXPECT_EQ(p.runAfter, 3u);

    p = app::ParseArguments({"/toggle", "/Run", "/movie"});  // the program's name is not a switch
    EXPECT_TRUE(p.run);

    // Without /run nothing changes.
    p = app::ParseArguments({"/monitor"});
    EXPECT_FALSE(p.run);
    EXPECT_TRUE(p.command);
}

TEST(RunArguments, RunWithoutASwitchOrAProgramOrAfterOtherSwitchesIsBad) {
    const std::vector<std::vector<std::string>> bad = {
        {"/run", "game.exe"},            // a switch is required
        {"/movie", "/run"},              // no program
        {"/list", "/run", "game.exe"},   // only switches that switch
        {"/exit", "/run", "game.exe"},
        {"/?", "/run", "game.exe"},
        {"/movie", "game.exe"},          // no /run
        {"/mode", "/run", "game.exe"},   // /run taken as the label, then an extra argument
    };
    for (const auto& args : bad) {
        const app::ParsedArguments parsed = app::ParseArguments(args);
        EXPECT_FALSE(parsed.command && parsed.run) << (args.empty() ? "" : args[0] + " " + args[1]);
        if (!parsed.command) {
            EXPECT_FALSE(parsed.error.empty());
        }
    }
    EXPECT_FALSE(app::ParseArguments({"/run", "game.exe"}).command);
    EXPECT_FALSE(app::ParseArguments({"/movie", "/run"}).command);
    EXPECT_FALSE(app::ParseArguments({"/list", "/run", "x"}).command);
}

TEST(RunArguments, TheProgramIsTheRawCommandLineAfterRunAsWritten) {
    using app::CommandLineAfter;
    EXPECT_EQ(CommandLineAfter("Dravik.exe /movie /run vlc.exe film.mkv", 2), "vlc.exe film.mkv");
    EXPECT_EQ(CommandLineAfter("\"C:\\Program Files\\Dravik\\Dravik.exe\" /movie /run \"C:\\Program Files\\VLC\\vlc.exe\"  "
                               "--fullscreen \"D:\\My Films\\a \\\"b\\\".mkv\"",
                               2),
              "\"C:\\Program Files\\VLC\\vlc.exe\"  --fullscreen \"D:\\My Films\\a \\\"b\\\".mkv\"");
    // A quoted label with blanks, tabs between arguments, a quote escaped by a backslash, a
    // quote doubled inside quotes: each argument is skipped whole.
    EXPECT_EQ(CommandLineAfter("D.exe\t/mode \"800 x 600 @ 60Hz 256 colors\"\t/run  x.exe \"a\"", 3), "x.exe \"a\"");
    EXPECT_EQ(CommandLineAfter("D.exe /mode a\\\"b\" c\" /run x", 3), "x");
    EXPECT_EQ(CommandLineAfter("D.exe /mode \"a \"\" b\" /run x", 3), "x");
    EXPECT_EQ(CommandLineAfter("D.exe /mode a\\\\\"b c\" /run x", 3), "x");
    // The program's own name has rules of its own: no escapes.
    EXPECT_EQ(CommandLineAfter("\"C:\\dir\\\"D.exe /movie /run x", 2), "x");
    EXPECT_EQ(CommandLineAfter("D.exe /movie /run", 2), "");
    EXPECT_EQ(CommandLineAfter("D.exe", 2), "");
}

TEST(RunProtocol, HoldAndBackTravelWholeAndOlderCommandsStayAsTheyWere) {
    for (const Command& c : {Command{Verb::Movie, {}}, Command{Verb::Monitor, {}}, Command{Verb::Toggle, {}},
                             Command{Verb::Mode, "1280 x 1024 @ 75Hz 16bit colors"}}) {
        const std::string payload = app::EncodeHold({c});
        EXPECT_EQ(app::DecodeHold(payload), (app::Hold{c}));
        // An older Dravik takes a hold for no command and answers 2, which the client reports.
        EXPECT_FALSE(app::DecodeCommand(payload));
        EXPECT_FALSE(app::DecodeHold(app::EncodeCommand(c)));
        EXPECT_LE(payload.size(), app::kMostCommandBytes);
    }
    EXPECT_FALSE(app::DecodeHold(app::EncodeHold({{Verb::List, {}}})));  // only switches are held
    EXPECT_FALSE(app::DecodeHold("hold\n"));
    EXPECT_EQ(app::EncodeCommand({Verb::Movie, {}}), "movie");

    const app::SwitchBack back{HeldSwitch{"1024 x 768 @ 60Hz 32bit colors", 4294967295u}};
    const std::string payload = app::EncodeSwitchBack(back);
    EXPECT_EQ(payload, "back\n4294967295\n1024 x 768 @ 60Hz 32bit colors");
    EXPECT_EQ(app::DecodeSwitchBack(payload), back);
    EXPECT_LE(payload.size(), app::kMostCommandBytes);
    EXPECT_FALSE(app::DecodeCommand(payload));
    EXPECT_FALSE(app::DecodeSwitchBack("back\n4294967296\nx"));  // past 32 bits
    EXPECT_FALSE(app::DecodeSwitchBack("back\n-1\nx"));
    EXPECT_FALSE(app::DecodeSwitchBack("back\n12"));
    EXPECT_FALSE(app::DecodeSwitchBack(std::string("back\n1\na\0b", 11)));
    EXPECT_FALSE(app::DecodeHeldSwitch(""));
}

TEST(RunDecision, BackOnlyWhileNoSwitchCameSince) {
    const HeldSwitch held{"1024 x 768 @ 60Hz 32bit colors", 7};
    EXPECT_EQ(app::DecideSwitchBack(held, 7, "800 x 600 @ 60Hz 256 colors"), BackDecision::SwitchBack);
    EXPECT_EQ(app::DecideSwitchBack(held, 7, held.before), BackDecision::AlreadyThere);
    EXPECT_EQ(app::DecideSwitchBack(held, 8, "640 x 480 @ 60Hz 256 colors"), BackDecision::LeftAsUserChose);
    // A user who switched back to the mode before, or twice to end where the hold did: theirs.
    EXPECT_EQ(app::DecideSwitchBack(held, 8, held.before), BackDecision::LeftAsUserChose);
    EXPECT_EQ(app::DecideSwitchBack(held, 9, "800 x 600 @ 60Hz 256 colors"), BackDecision::LeftAsUserChose);
    // The count wraps.
    EXPECT_EQ(app::DecideSwitchBack({"a", 0xFFFFFFFFu}, 0, "b"), BackDecision::LeftAsUserChose);
}

TEST(RunWatch, AJobOfItsOwnWhereJobsNestOrTheClientIsInNoneElseBreakawayElseTheProgramOnly) {
    EXPECT_EQ(app::PlanWatch(JobFacts{false, false, false, false}), Watch::Job);  // XP, 7: in no job
    EXPECT_EQ(app::PlanWatch(JobFacts{false, true, false, false}), Watch::Job);
    EXPECT_EQ(app::PlanWatch(JobFacts{true, true, false, false}), Watch::Job);    // 8 on: nested
    EXPECT_EQ(app::PlanWatch(JobFacts{true, false, true, false}), Watch::JobBreakaway);
    EXPECT_EQ(app::PlanWatch(JobFacts{true, false, true, true}), Watch::Job);     // born outside it
    EXPECT_EQ(app::PlanWatch(JobFacts{true, false, false, true}), Watch::Job);
    EXPECT_EQ(app::PlanWatch(JobFacts{true, false, false, false}), Watch::ProgramOnly);
}

// The running program reached through the hold and back payloads, as the Win32 client sends them.
class FormAsRunningDravik final : public app::RunningDravik {
public:
    explicit FormAsRunningDravik(FrmMain& form) : form_(form) {}
    int Hold(const app::Hold& hold, HeldSwitch& held, std::string& error) override {
        const auto decoded = app::DecodeHold(app::EncodeHold(hold));
        std::string output;
        const int code = form_.RunHold(*decoded, output).value_or(-1);
        if (code == app::kExitDone) {
            const auto answer = app::DecodeHeldSwitch(output);
            if (!answer) error = "no answer";
            else held = *answer;
        }
        return code;
    }
    bool SwitchBack(const app::SwitchBack& back, std::string& decision, std::string& error) override {
        if (gone) {
            error = "the Dravik that switched has ended";
            return false;
        }
        std::string output;
        backCodes.push_back(form_.RunSwitchBack(*app::DecodeSwitchBack(app::EncodeSwitchBack(back)), output).value_or(-1));
        decision = output;
        return true;
    }
    bool gone = false;
    std::vector<int> backCodes;

private:
    FrmMain& form_;
};

class RunInPreset : public testing_support::LoadedMainForm {
protected:
    RunInPreset() {
        Start(false);
        // A launcher that starts the real program and ends at once with 0; the program ends
        // at time 5 with 3.
        programs.tree = {{0, 0, -1}, {5, 3, 0}};
        dravik = std::make_unique<FormAsRunningDravik>(*form);
    }

    int Run(Command command = {Verb::Movie, {}}) {
        return app::RunInPreset(command, "\"C:\\Games\\launcher.exe\" -play", *dravik, programs, report);
    }

    int Width() const { return static_cast<int>(display.Current().pelsWidth); }

    platform::memory::MemoryPrograms programs;
    std::unique_ptr<FormAsRunningDravik> dravik;
    std::string report;
};

TEST_F(RunInPreset, TheMoviePresetHoldsUntilTheLastProcessEndsThenTheModeBeforeWithItsLayout) {
    std::vector<int> widths;
    programs.atTime = [&](int) { widths.push_back(Width()); };
    EXPECT_EQ(Run(), 0);  // the program's own code: the launcher's
    EXPECT_EQ(programs.started, (std::vector<std::string>{"\"C:\\Games\\launcher.exe\" -play"}));
    EXPECT_EQ(programs.watched, Watch::Job);
    EXPECT_EQ(programs.clock, 5);  // waited for the launcher's child
    EXPECT_EQ(widths, (std::vector<int>{800, 800, 800, 800, 800}));
    EXPECT_EQ(Width(), 1024);
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1, 2}));
    // Each switch restored or saved the layout of its size, as any switch does.
    EXPECT_EQ(icons.events, (std::vector<std::string>{"save", "save"}));
    EXPECT_NE(report.find("switched back"), std::string::npos) << report;
}

TEST_F(RunInPreset, TheProgramsOwnExitCodeIsPassedOn) {
    programs.tree = {{4, 42, -1}};
    EXPECT_EQ(Run(), 42);
    EXPECT_EQ(Width(), 1024);
}

TEST_F(RunInPreset, ASwitchMeanwhileIsTheUsersAndStays) {
    programs.atTime = [&](int t) {
        if (t == 2) form->BtnMon_Click();  // the user goes back early ...
        if (t == 3) form->BtnMovie_Click();  // ... and to the movie preset again
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Width(), 800);  // left as the user chose
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1, 2, 1}));
    EXPECT_NE(report.find("left as switched meanwhile"), std::string::npos) << report;
}

TEST_F(RunInPreset, AHoldThatSwitchedNothingHandsBackNothing) {
    display.SetCurrent(Mode(800, 600, 8, 60));  // the movie preset is in effect already
    EXPECT_EQ(Run(), 0);
    EXPECT_TRUE(display.Switches().empty());
    EXPECT_EQ(Width(), 800);
    EXPECT_NE(report.find("already back"), std::string::npos) << report;
}

TEST_F(RunInPreset, ASwitchThatFailsStartsNoProgram) {
    display.RefuseSwitches(true);
    EXPECT_EQ(Run(), app::kExitNotSwitched);
    EXPECT_TRUE(programs.started.empty());
    EXPECT_EQ(Run({Verb::Mode, "123 x 45 @ 60Hz 32bit colors"}), app::kExitNotSwitched);
    EXPECT_TRUE(programs.started.empty());
    EXPECT_FALSE(report.empty());
}

TEST_F(RunInPreset, AProgramThatCannotStartIsBadArgumentsWithTheDisplayPutBack) {
    programs.refuseStart = true;
    EXPECT_EQ(Run(), app::kExitBadArguments);
    EXPECT_EQ(Width(), 1024);
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1, 2}));
    EXPECT_NE(report.find("cannot start"), std::string::npos) << report;
}

TEST_F(RunInPreset, InAJobThatKeepsItsChildrenOnlyTheProgramIsWaitedFor) {
    programs.facts = JobFacts{true, false, false, false};  // Windows 7 or XP, no breakaway
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(programs.watched, Watch::ProgramOnly);
    EXPECT_EQ(programs.clock, 0);  // the launcher's end ended the wait: the known limit
    programs.facts = JobFacts{true, false, true, false};
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(programs.watched, Watch::JobBreakaway);
    EXPECT_EQ(programs.clock, 5);
}

TEST_F(RunInPreset, ADravikEndedMeanwhileLeavesTheDisplay) {
    programs.atTime = [&](int t) {
        if (t == 1) dravik->gone = true;
    };
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(Width(), 800);
    EXPECT_NE(report.find("left as it is"), std::string::npos) << report;
}

TEST_F(RunInPreset, ToggleAndModeAreHeldAndHandedBackToo) {
    EXPECT_EQ(Run({Verb::Toggle, {}}), 0);
    EXPECT_EQ(Width(), 1024);
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(Run({Verb::Mode, "1280 x 1024 @ 75Hz 32bit colors"}), 0);
    EXPECT_EQ(Width(), 1024);
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1, 2, 3, 2}));
    EXPECT_EQ(form->Switches(), 4u);
}

}  // namespace
