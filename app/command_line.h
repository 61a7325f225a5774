#pragma once
// Dravik's command line. A start with a switch is a client: it hands the command to the
// running Dravik (starting one first when needed) and ends with the answer as its exit code.
// This file holds what does not need Windows: the parsing, the usage text, and the form the
// command travels in between the two processes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace app {

enum class Verb { Movie, Monitor, Toggle, Mode, List, Exit, Help };

struct Command {
    Verb verb = Verb::Help;
    std::string label;  // Mode only: the mode's label as the lists show it, without the blank

    friend bool operator==(const Command&, const Command&) = default;
};

// What a client ends with. Scripts test these, so they never change meaning.
inline constexpr int kExitDone = 0;         // also when the mode was in effect already
inline constexpr int kExitNotSwitched = 1;  // no such mode, or the display refused it
inline constexpr int kExitBadArguments = 2;

struct ParsedArguments {
    std::optional<Command> command;  // empty: bad arguments, `error` says why
    std::string error;
    // "<switch> /run <program> [arguments]": the switch holds while the program runs. The
    // program and its arguments are the command line's text after the first `runAfter`
    // arguments (CommandLineAfter), as written, never re-quoted.
    bool run = false;
    std::size_t runAfter = 0;
};

// The arguments after the program's name. Switches start with "/" or "-" and are matched
// without regard to case; exactly one switch, and /mode takes exactly one label after it.
// /movie, /monitor, /toggle and /mode may be followed by /run and at least one argument (the
// program); what follows /run is not looked at.
ParsedArguments ParseArguments(const std::vector<std::string>& args);

// The text of a whole command line (GetCommandLine's, a program's name first) after its first
// `arguments` arguments, as Windows' C runtime splits them (blanks and tabs between arguments,
// quotes, backslashes before a quote), without the blanks before it: the rest exactly as it
// was written. Empty when the line has no more.
std::string CommandLineAfter(const std::string& commandLine, std::size_t arguments);

// The text /? prints, lines ended with CR LF as a console shows them.
std::string UsageText();

// Whether a client starts Dravik when none runs. /exit has nothing to end and /list reads the
// modes itself; every other command needs the running program's presets and after-care.
bool StartsDravikWhenNoneRuns(Verb verb);

// --- the command between client and running program (the WM_COPYDATA payload) ---

// Tags the payload as ours: another program's WM_COPYDATA to the window is not a command.
inline constexpr std::uintptr_t kCommandTag = 0x4B565244;  // "DRVK"
// Tags the text the running program sends back (the /list output).
inline constexpr std::uintptr_t kOutputTag = 0x54565244;  // "DRVT"

std::string EncodeCommand(const Command& command);
// Accepts only what EncodeCommand makes: anything else is no command.
std::optional<Command> DecodeCommand(const std::string& payload);

// The running program answers a command with kReplyBase + exit code, so that a window that
// does not know the message (DefWindowProc answers 0) is never taken for a "done".
inline constexpr std::intptr_t kReplyBase = 0x44520000;
// Answered while the program is still starting, or busy with a switch, save or restore: the
// client asks again a little later.
inline constexpr std::intptr_t kReplyNotReady = kReplyBase + 0xFF;
// The command ran, but its text could not be handed back: the client's window did not take
// it (Windows filters messages into a process with more rights than the sender's unless that
// process lets them through). The client says so and ends with kExitNotSwitched.
inline constexpr std::intptr_t kReplyOutputLost = kReplyBase + 0xFE;

// The longest payload a command can be: a verb's word, a line end and a label, which the
// parser holds to kMostLabelBytes (a hold or back adds its word and a token). A longer
// WM_COPYDATA is refused before it is copied.
inline constexpr std::size_t kMostLabelBytes = 200;
inline constexpr std::size_t kMostCommandBytes = 32 + kMostLabelBytes;

// The exit code in a reply; nothing when the reply is not one of ours.
std::optional<int> ExitCodeOfReply(std::intptr_t reply);

// --- /run: a switch that is handed back when the program has ended ---
// A /run client sends its switch as a "hold" (the word "hold", a line end, the switch's own
// payload). The running program carries the switch out as always and sends back, as text,
// the label of the mode in effect before it and a token: its switch count after it. It bumps
// that count at every switch, whatever its source (button, tray, command line). Once the
// program has ended, the client sends "back", the token and that label: the running program
// switches back only while its count still is the token, that is, while nobody has switched
// since. Older commands and their replies are as they were.
struct Hold {
    Command command;  // Movie, Monitor, Toggle or Mode
    friend bool operator==(const Hold&, const Hold&) = default;
};
struct HeldSwitch {
    std::string before;       // label of the mode in effect before the switch
    std::uint32_t token = 0;  // the switch count after it
    friend bool operator==(const HeldSwitch&, const HeldSwitch&) = default;
};
struct SwitchBack {
    HeldSwitch held;
    friend bool operator==(const SwitchBack&, const SwitchBack&) = default;
};
std::string EncodeHold(const Hold& hold);
std::string EncodeSwitchBack(const SwitchBack& back);
// Nothing for a payload that is neither.
std::optional<Hold> DecodeHold(const std::string& payload);
std::optional<SwitchBack> DecodeSwitchBack(const std::string& payload);
// The text the answer to a hold carries, and its reading on the client's side.
std::string EncodeHeldSwitch(const HeldSwitch& held);
std::optional<HeldSwitch> DecodeHeldSwitch(const std::string& text);

// What the running program does with a "back". Pure: its switch count and the mode in
// effect decide.
enum class BackDecision {
    SwitchBack,       // nobody switched since the hold: back to the mode before it
    AlreadyThere,     // nobody switched, and the mode before is in effect (the hold switched nothing)
    LeftAsUserChose,  // a switch came since (button, tray, another command): the display stays
};
BackDecision DecideSwitchBack(const HeldSwitch& held, std::uint32_t switchesNow,
                              const std::string& labelNow);
// The text of the answer to a "back", so that the client can say what happened.
const char* BackDecisionWord(BackDecision decision);

}  // namespace app
