// The command line: what a client accepts, what travels to the running program, and what the
// running program does with each command.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/form_main.h"
#include "platform/memory/memory_desktop.h"
#include "platform/memory/memory_display.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system.h"
#include "tests/loaded_main_form.h"

namespace {

using app::Command;
using app::FrmMain;
using app::Verb;
using platform::memory::Mode;
using testing_support::kOptions;

std::optional<Command> CommandOf(std::vector<std::string> args) {
    return app::ParseArguments(args).command;
}

TEST(CommandLine, SwitchesTakeEitherPrefixAndAnyCase) {
    EXPECT_EQ(CommandOf({"/movie"}), (Command{Verb::Movie, {}}));
    EXPECT_EQ(CommandOf({"-MONITOR"}), (Command{Verb::Monitor, {}}));
    EXPECT_EQ(CommandOf({"/Toggle"}), (Command{Verb::Toggle, {}}));
    EXPECT_EQ(CommandOf({"-list"}), (Command{Verb::List, {}}));
    EXPECT_EQ(CommandOf({"/EXIT"}), (Command{Verb::Exit, {}}));
    EXPECT_EQ(CommandOf({"/?"}), (Command{Verb::Help, {}}));
    EXPECT_EQ(CommandOf({"-?"}), (Command{Verb::Help, {}}));
    EXPECT_EQ(CommandOf({"/mode", "1024 x 768 @ 60Hz 32bit colors"}),
              (Command{Verb::Mode, "1024 x 768 @ 60Hz 32bit colors"}));
    // The list form's leading blank, or blanks pasted around a label, are not part of it.
    EXPECT_EQ(CommandOf({"-MODE", "  800 x 600 @ 60Hz 256 colors "}),
              (Command{Verb::Mode, "800 x 600 @ 60Hz 256 colors"}));
}

TEST(CommandLine, AnythingElseIsBadArgumentsWithAReason) {
    const std::vector<std::vector<std::string>> bad = {
        {},                       // a client needs a switch
        {"movie"},                // no prefix
        {"/"},                    // a prefix alone
        {"/movies"},              // no such switch
        {"/mode"},                // no label
        {"/mode", "   "},         // a blank label
        {"/movie", "/monitor"},   // one switch at a time
        {"/mode", "640 x 480 @ 60Hz 256 colors", "extra"},
        {"\\movie"},
        {"/mode", std::string(app::kMostLabelBytes + 1, 'x')},  // longer than a command can carry
    };
    for (const auto& args : bad) {
        const app::ParsedArguments parsed = app::ParseArguments(args);
        EXPECT_FALSE(parsed.command) << (args.empty() ? "<none>" : args[0]);
        EXPECT_FALSE(parsed.error.empty());
    }
}

TEST(CommandLine, OnlyCommandsThatSwitchStartDravik) {
    EXPECT_TRUE(app::StartsDravikWhenNoneRuns(Verb::Movie));
    EXPECT_TRUE(app::StartsDravikWhenNoneRuns(Verb::Monitor));
    EXPECT_TRUE(app::StartsDravikWhenNoneRuns(Verb::Toggle));
    EXPECT_TRUE(app::StartsDravikWhenNoneRuns(Verb::Mode));
    EXPECT_FALSE(app::StartsDravikWhenNoneRuns(Verb::List));
    EXPECT_FALSE(app::StartsDravikWhenNoneRuns(Verb::Exit));
    EXPECT_FALSE(app::StartsDravikWhenNoneRuns(Verb::Help));
}

TEST(CommandLine, EveryCommandTravelsWholeAndForeignPayloadsAreNoCommand) {
    for (const Command& c : {Command{Verb::Movie, {}}, Command{Verb::Monitor, {}},
                             Command{Verb::Toggle, {}}, Command{Verb::List, {}},
                             Command{Verb::Exit, {}},
                             Command{Verb::Mode, "1280 x 1024 @ 75Hz 16bit colors"}})
        EXPECT_EQ(app::DecodeCommand(app::EncodeCommand(c)), c);

    for (const std::string& foreign :
         {std::string{}, std::string("MOVIE"), std::string("movie\n"), std::string("mode"),
          std::string("mode\n"), std::string("mode\n640\0x", 9), std::string("format c:")})
        EXPECT_FALSE(app::DecodeCommand(foreign)) << foreign;
}

TEST(CommandLine, RepliesOutsideTheProgramsOwnRangeAreNoExitCode) {
    EXPECT_EQ(app::ExitCodeOfReply(app::kReplyBase + 0), 0);
    EXPECT_EQ(app::ExitCodeOfReply(app::kReplyBase + 1), 1);
    EXPECT_EQ(app::ExitCodeOfReply(app::kReplyBase + 2), 2);
    // DefWindowProc's answer to a window that does not know the message.
    EXPECT_FALSE(app::ExitCodeOfReply(0));
    EXPECT_FALSE(app::ExitCodeOfReply(1));
    EXPECT_FALSE(app::ExitCodeOfReply(app::kReplyNotReady));
    EXPECT_FALSE(app::ExitCodeOfReply(app::kReplyBase + 3));
}

// The running program, handed commands.
class RemoteCommand : public testing_support::LoadedMainForm {
protected:
    static constexpr const char* kLabel1024 = "1024 x 768 @ 60Hz 32bit colors";
    static constexpr const char* kLabel800 = "800 x 600 @ 60Hz 256 colors";

    int Run(Command command) {
        output.clear();
        return form->RunCommand(command, output).value_or(-1);
    }

    std::string Tip() const {
        return shell.Icons().empty() ? "<no icon>"
                                     : platform::memory::MemoryShell::Tip(shell.Icons().begin()->second);
    }

    std::string output;
};

TEST_F(RemoteCommand, PresetsSwitchWithTheirAfterCareAndAPresetInEffectIsDone) {
    FrmMain& f = Start(false);
    EXPECT_EQ(Run({Verb::Movie, {}}), app::kExitDone);
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1}));
    EXPECT_EQ(f.bBPP256, -1);  // the appearance follows the new depth
    EXPECT_EQ(icons.events, (std::vector<std::string>{"save"}));
    EXPECT_TRUE(f.window.Visible());

    EXPECT_EQ(Run({Verb::Movie, {}}), app::kExitDone);  // in effect: nothing switches
    EXPECT_EQ(display.Switches().size(), 1u);

    EXPECT_EQ(Run({Verb::Monitor, {}}), app::kExitDone);
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(f.bBPP256, 0);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RemoteCommand, ASwitchTheDisplayRefusesIsNotSwitched) {
    Start(false);
    display.RefuseSwitches(true);
    EXPECT_EQ(Run({Verb::Movie, {}}), app::kExitNotSwitched);
    EXPECT_EQ(Run({Verb::Toggle, {}}), app::kExitNotSwitched);
    EXPECT_EQ(Run({Verb::Mode, "640 x 480 @ 60Hz 256 colors"}), app::kExitNotSwitched);
    EXPECT_EQ(display.Current().pelsWidth, 1024u);
}

TEST_F(RemoteCommand, ModeSwitchesToTheListedLabelOnlyAndLeavesThePresets) {
    FrmMain& f = Start(false);
    EXPECT_EQ(Run({Verb::Mode, "1280 x 1024 @ 75Hz"}), app::kExitNotSwitched);  // no depth
    EXPECT_EQ(Run({Verb::Mode, "1280 x 1024 @ 60Hz 32bit colors"}), app::kExitNotSwitched);
    EXPECT_TRUE(display.Switches().empty());

    EXPECT_EQ(Run({Verb::Mode, kLabel1024}), app::kExitDone);  // in effect already
    EXPECT_TRUE(display.Switches().empty());

    EXPECT_EQ(Run({Verb::Mode, "1280 x 1024 @ 75Hz 32bit colors"}), app::kExitDone);
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{3}));
    EXPECT_EQ(icons.events, (std::vector<std::string>{"save"}));
    EXPECT_EQ(f.BtnMon.Caption(), kLabel1024);
    EXPECT_EQ(f.BtnMovie.Caption(), kLabel800);
}

TEST_F(RemoteCommand, ToggleInTheTrayIsTheDoubleClickAndWithTheWindowUpKeepsTheWindow) {
    FrmMain& f = Start(true);
    EXPECT_EQ(Run({Verb::Toggle, {}}), app::kExitDone);
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1}));
    ASSERT_TRUE(f.m_frmSysTray);
    EXPECT_FALSE(f.window.Visible());
    EXPECT_EQ(Tip(), std::string(kLabel800) + " - Doubleclick to change resolution");

    f.LooseMenu();
    EXPECT_EQ(Run({Verb::Toggle, {}}), app::kExitDone);
    EXPECT_EQ(display.Switches(), (std::vector<std::int32_t>{1, 2}));
    EXPECT_FALSE(f.m_frmSysTray);
    EXPECT_TRUE(f.window.Visible());
    EXPECT_EQ(icons.events, (std::vector<std::string>{"save", "save"}));
}

TEST_F(RemoteCommand, PresetInTheTrayUpdatesTheTipAsTheMenuCommandDoes) {
    Start(true);
    EXPECT_EQ(Run({Verb::Movie, {}}), app::kExitDone);
    EXPECT_EQ(Tip(), std::string(kLabel800) + " - Doubleclick to change resolution");
    EXPECT_EQ(Run({Verb::Mode, "1280 x 1024 @ 75Hz 32bit colors"}), app::kExitDone);
    // A tip holds 63 characters.
    EXPECT_EQ(Tip(), "1280 x 1024 @ 75Hz 32bit colors - Doubleclick to change resolut");
}

TEST_F(RemoteCommand, ListGivesEveryLabelInListOrderAndSwitchesNothing) {
    Start(false);
    EXPECT_EQ(Run({Verb::List, {}}), app::kExitDone);
    EXPECT_EQ(output,
              "640 x 480 @ 60Hz 256 colors\r\n800 x 600 @ 60Hz 256 colors\r\n"
              "1024 x 768 @ 60Hz 32bit colors\r\n1280 x 1024 @ 75Hz 32bit colors\r\n");
    EXPECT_TRUE(display.Switches().empty());
}

TEST_F(RemoteCommand, ExitStoresTheSettingsAndEndsAsTheTrayCommandDoes) {
    FrmMain& f = Start(true);
    registry.Put(kOptions, "BtnMovie", "changed by another tool");
    EXPECT_EQ(Run({Verb::Exit, {}}), app::kExitDone);
    EXPECT_EQ(host.ended, 1);
    EXPECT_TRUE(f.Ended());
    EXPECT_FALSE(f.m_frmSysTray);
    EXPECT_TRUE(shell.Icons().empty());
    EXPECT_EQ(registry.Get(kOptions, "BtnMovie")->bytes, kLabel800);
}

}  // namespace
