// The main window's logic for the command line: each verb takes the road of the button, tray
// command or double click it stands for.
#include "app/form_main.h"

namespace app {

// A command from the command line takes the road of the button, tray command or double click
// it stands for, after-care included. Whether it worked is what the display says afterwards:
// the platform's own answer to a switch is not looked at anywhere else either, and a refused
// switch leaves the old mode in effect.
std::optional<int> FrmMain::RunCommand(const Command& command, std::string& output) {
    if (busy_) return std::nullopt;
    int code = kExitBadArguments;
    OneAtATime([&] { code = RunCommandNow(command, output); });
    return code;
}

std::optional<int> FrmMain::RunHold(const Hold& hold, std::string& output) {
    if (busy_) return std::nullopt;
    int code = kExitBadArguments;
    OneAtATime([&] {
        HeldSwitch held{GetStringNow(), 0};
        std::string ignored;
        code = RunCommandNow(hold.command, ignored);
        // Read before any click that came meanwhile runs: such a click counts as the user's.
        held.token = switches_;
        output = EncodeHeldSwitch(held);
    });
    return code;
}

std::optional<int> FrmMain::RunSwitchBack(const SwitchBack& back, std::string& output) {
    if (busy_) return std::nullopt;
    int code = kExitBadArguments;
    OneAtATime([&] {
        const BackDecision decision = DecideSwitchBack(back.held, switches_, GetStringNow());
        output = BackDecisionWord(decision);
        std::string ignored;
        code = decision == BackDecision::SwitchBack
                   ? RunCommandNow({Verb::Mode, back.held.before}, ignored)
                   : kExitDone;
    });
    return code;
}

int FrmMain::RunCommandNow(const Command& command, std::string& output) {
    const auto modeInEffectIs = [this](const std::string& label) {
        return GetStringNow() == label ? kExitDone : kExitNotSwitched;
    };
    switch (command.verb) {
    case Verb::Movie:
    case Verb::Monitor: {
        const bool movie = command.verb == Verb::Movie;
        if (m_frmSysTray)
            MenuCommand(movie ? TrayCommand::Movie : TrayCommand::Monitor);
        else
            movie ? SwitchToPreset(CmbMovie, BtnMovie) : SwitchToPreset(CmbRes, BtnMon);
        return modeInEffectIs((movie ? BtnMovie : BtnMon).Caption());
    }
    case Verb::Toggle: {
        const std::int32_t target = ToggleTarget();
        const std::string label = ListEntryLabel(target);
        // In the notification area this is the double click itself; with the window up there is
        // no icon to double-click, and the window stays where it is.
        if (m_frmSysTray) {
            ToggleFromTray();
        } else {
            platform_.display.ChangeSettings(target);
            AfterSwitch();
        }
        return modeInEffectIs(label);
    }
    case Verb::Mode: {
        const std::vector<std::string>& entries = CmbRes.Items();
        std::int32_t index = -1;
        for (std::size_t i = 0; i < entries.size() && index < 0; ++i)
            if (entries[i] == " " + command.label) index = static_cast<std::int32_t>(i);
        if (index < 0) return kExitNotSwitched;
        // As the preset buttons do: the mode in effect is not switched to again.
        if (GetStringNow() == command.label) return kExitDone;
        platform_.display.ChangeSettings(index);
        AfterSwitch();
        ChangeToolTip();
        return modeInEffectIs(command.label);
    }
    case Verb::List:
        for (const std::string& entry : CmbRes.Items())
            output += LabelOfEntry(entry) + "\r\n";
        return kExitDone;
    case Verb::Exit:
        MenuCommand(TrayCommand::Close);
        return kExitDone;
    case Verb::Help:
        output = UsageText();
        return kExitDone;
    }
    return kExitBadArguments;
}

}  // namespace app
