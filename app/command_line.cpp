#include "app/command_line.h"

#include <array>
#include <cctype>

namespace app {

namespace {

struct SwitchName {
    const char* name;
    Verb verb;
};

constexpr std::array<SwitchName, 8> kSwitches{{
    {"movie", Verb::Movie},
    {"monitor", Verb::Monitor},
    {"toggle", Verb::Toggle},
    {"mode", Verb::Mode},
    {"list", Verb::List},
    {"exit", Verb::Exit},
    {"?", Verb::Help},
    {"help", Verb::Help},
}};

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::optional<Verb> SwitchVerb(const std::string& arg) {
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return std::nullopt;
    const std::string name = Lower(arg.substr(1));
    for (const SwitchName& s : kSwitches)
        if (name == s.name) return s.verb;
    return std::nullopt;
}

// A label typed or pasted with blanks around it still names the mode; the lists' own leading
// blank is not part of a label.
std::string TrimBlanks(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

ParsedArguments Bad(std::string why) { return {std::nullopt, std::move(why)}; }

constexpr const char* kVerbWords[] = {"movie", "monitor", "toggle", "mode", "list", "exit", "help"};

}  // namespace

ParsedArguments ParseArguments(const std::vector<std::string>& args) {
    if (args.empty()) return Bad("no switch given");
    const std::optional<Verb> verb = SwitchVerb(args[0]);
    if (!verb) return Bad("unknown switch: " + args[0]);

    Command command{*verb, {}};
    std::size_t used = 1;
    if (*verb == Verb::Mode) {
        if (args.size() < 2) return Bad("/mode needs the label of a mode, as /list shows it");
        command.label = TrimBlanks(args[1]);
        if (command.label.empty()) return Bad("/mode needs the label of a mode, as /list shows it");
        if (command.label.size() > kMostLabelBytes) return Bad("no mode has a label that long");
        used = 2;
    }
    if (args.size() > used) return Bad("unexpected argument: " + args[used]);
    return {command, {}};
}

std::string UsageText() {
    return "Dravik switches the primary display between its monitor and movie presets.\r\n"
           "\r\n"
           "Usage: Dravik.exe [/movie | /monitor | /toggle | /mode \"<label>\" | /list | /exit | /?]\r\n"
           "\r\n"
           "  /movie            switch to the movie preset\r\n"
           "  /monitor          switch to the monitor preset\r\n"
           "  /toggle           switch to the other preset, as a double click on the tray icon does\r\n"
           "  /mode \"<label>\"   switch to the mode with that label, as /list shows it,\r\n"
           "                    e.g. /mode \"1024 x 768 @ 60Hz 32bit colors\"\r\n"
           "  /list             list every mode the display offers, one a line\r\n"
           "  /exit             end the running Dravik\r\n"
           "  /?                show this text\r\n"
           "\r\n"
           "Switches may also start with \"-\" and are not case-sensitive. The running Dravik\r\n"
           "carries the command out; when none runs, Dravik is started first.\r\n"
           "Exit codes: 0 done, 1 the mode could not be switched to, 2 bad arguments.\r\n";
}

bool StartsDravikWhenNoneRuns(Verb verb) {
    return verb == Verb::Movie || verb == Verb::Monitor || verb == Verb::Toggle ||
           verb == Verb::Mode;
}

std::string EncodeCommand(const Command& command) {
    std::string payload = kVerbWords[static_cast<int>(command.verb)];
    if (command.verb == Verb::Mode) payload += "\n" + command.label;
    return payload;
}

std::optional<Command> DecodeCommand(const std::string& payload) {
    const auto newline = payload.find('\n');
    const std::string word = payload.substr(0, newline);
    for (int v = 0; v < static_cast<int>(std::size(kVerbWords)); ++v) {
        if (word != kVerbWords[v]) continue;
        const Verb verb = static_cast<Verb>(v);
        if (verb == Verb::Mode) {
            if (newline == std::string::npos) return std::nullopt;
            std::string label = payload.substr(newline + 1);
            if (label.empty() || label.find('\0') != std::string::npos) return std::nullopt;
            return Command{verb, std::move(label)};
        }
        if (newline != std::string::npos) return std::nullopt;
        return Command{verb, {}};
    }
    return std::nullopt;
}

std::optional<int> ExitCodeOfReply(std::intptr_t reply) {
    if (reply == kReplyNotReady) return std::nullopt;
    if (reply < kReplyBase + kExitDone || reply > kReplyBase + kExitBadArguments)
        return std::nullopt;
    return static_cast<int>(reply - kReplyBase);
}

}  // namespace app
