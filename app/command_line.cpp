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
    if (args.size() > used && Lower(args[used]) != "/run" && Lower(args[used]) != "-run")
        return Bad("unexpected argument: " + args[used]);
    if (args.size() > used) {
        if (!StartsDravikWhenNoneRuns(command.verb))
            return Bad("/run follows /movie, /monitor, /toggle or /mode \"<label>\"");
        if (args.size() == used + 1) return Bad("/run needs the program to run");
        return {command, {}, true, used + 1};
    }
    return {command, {}};
}

namespace {

bool Blank(char c) { return c == ' ' || c == '\t'; }

// The end of the argument that starts at `i`, as the C runtime splits a command line: blanks
// end it outside quotes; a quote toggles them ("" inside quotes is one quote); backslashes
// count only before a quote, where an odd number makes the quote plain text.
std::size_t EndOfArgument(const std::string& line, std::size_t i) {
    bool quoted = false;
    while (i < line.size() && (quoted || !Blank(line[i]))) {
        if (line[i] == '\\') {
            std::size_t n = 0;
            while (i < line.size() && line[i] == '\\') ++i, ++n;
            if (i < line.size() && line[i] == '"' && n % 2 == 1) ++i;  // \" is a plain quote
            continue;
        }
        if (line[i] == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                i += 2;
                continue;
            }
            quoted = !quoted;
        }
        ++i;
    }
    return i;
}

std::size_t SkipBlanks(const std::string& line, std::size_t i) {
    while (i < line.size() && Blank(line[i])) ++i;
    return i;
}

}  // namespace

std::string CommandLineAfter(const std::string& commandLine, std::size_t arguments) {
    // The program's name follows rules of its own: quoted up to the next quote, else up to a
    // blank; no backslash escapes.
    std::size_t i = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        i = commandLine.find('"', 1);
        i = i == std::string::npos ? commandLine.size() : i + 1;
    }
    while (i < commandLine.size() && !Blank(commandLine[i])) ++i;
    for (std::size_t n = 0; n < arguments; ++n) i = EndOfArgument(commandLine, SkipBlanks(commandLine, i));
    return commandLine.substr(SkipBlanks(commandLine, i));
}

std::string UsageText() {
    return "Dravik switches the primary display between its monitor and movie presets.\r\n"
           "\r\n"
           "Usage: Dravik.exe [/movie | /monitor | /toggle | /mode \"<label>\" | /list | /exit | /?]\r\n"
           "       Dravik.exe <switch> /run <program> [arguments]\r\n"
           "\r\n"
           "  /movie            switch to the movie preset\r\n"
           "  /monitor          switch to the monitor preset\r\n"
           "  /toggle           switch to the other preset, as a double click on the tray icon does\r\n"
           "  /mode \"<label>\"   switch to the mode with that label, as /list shows it,\r\n"
           "                    e.g. /mode \"1024 x 768 @ 60Hz 32bit colors\"\r\n"
           "  /list             list every mode the display offers, one a line\r\n"
           "  /exit             end the running Dravik\r\n"
           "  /?                show this text\r\n"
           "  <switch> /run <program> [arguments]\r\n"
           "                    switch (/movie, /monitor, /toggle or /mode), run the program,\r\n"
           "                    wait until it and every process it started have ended, then\r\n"
           "                    switch back unless the mode was switched meanwhile\r\n"
           "\r\n"
           "Switches may also start with \"-\" and are not case-sensitive. The running Dravik\r\n"
           "carries the command out; when none runs, Dravik is started first.\r\n"
           "Exit codes: 0 done, 1 the mode could not be switched to, 2 bad arguments;\r\n"
           "with /run the program's own, 1 when the switch failed (the program is not\r\n"
           "started), 2 for bad arguments or a program that could not be started.\r\n";
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

namespace {

constexpr const char* kHoldWord = "hold\n";
constexpr const char* kBackWord = "back\n";

bool StartsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

// A decimal count of 32 bits, digits only.
std::optional<std::uint32_t> ParseCount(const std::string& text) {
    if (text.empty() || text.size() > 10) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value > 0xFFFFFFFFu) return std::nullopt;
    return static_cast<std::uint32_t>(value);
}

}  // namespace

std::string EncodeHold(const Hold& hold) { return kHoldWord + EncodeCommand(hold.command); }

std::optional<Hold> DecodeHold(const std::string& payload) {
    if (!StartsWith(payload, kHoldWord)) return std::nullopt;
    const std::optional<Command> command = DecodeCommand(payload.substr(5));
    if (!command || !StartsDravikWhenNoneRuns(command->verb)) return std::nullopt;
    return Hold{*command};
}

std::string EncodeHeldSwitch(const HeldSwitch& held) {
    return std::to_string(held.token) + "\n" + held.before;
}

std::optional<HeldSwitch> DecodeHeldSwitch(const std::string& text) {
    const auto newline = text.find('\n');
    if (newline == std::string::npos) return std::nullopt;
    const std::optional<std::uint32_t> token = ParseCount(text.substr(0, newline));
    std::string before = text.substr(newline + 1);
    if (!token || before.find('\0') != std::string::npos || before.size() > kMostLabelBytes)
        return std::nullopt;
    return HeldSwitch{std::move(before), *token};
}

std::string EncodeSwitchBack(const SwitchBack& back) { return kBackWord + EncodeHeldSwitch(back.held); }

std::optional<SwitchBack> DecodeSwitchBack(const std::string& payload) {
    if (!StartsWith(payload, kBackWord)) return std::nullopt;
    const std::optional<HeldSwitch> held = DecodeHeldSwitch(payload.substr(5));
    if (!held) return std::nullopt;
    return SwitchBack{*held};
}

BackDecision DecideSwitchBack(const HeldSwitch& held, std::uint32_t switchesNow,
                              const std::string& labelNow) {
    if (switchesNow != held.token) return BackDecision::LeftAsUserChose;
    return labelNow == held.before ? BackDecision::AlreadyThere : BackDecision::SwitchBack;
}

const char* BackDecisionWord(BackDecision decision) {
    switch (decision) {
    case BackDecision::SwitchBack: return "switched back";
    case BackDecision::AlreadyThere: return "already back";
    case BackDecision::LeftAsUserChose: return "left as switched meanwhile";
    }
    return "";
}

std::optional<int> ExitCodeOfReply(std::intptr_t reply) {
    if (reply == kReplyNotReady) return std::nullopt;
    if (reply < kReplyBase + kExitDone || reply > kReplyBase + kExitBadArguments)
        return std::nullopt;
    return static_cast<int>(reply - kReplyBase);
}

}  // namespace app
