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
};

// The arguments after the program's name. Switches start with "/" or "-" and are matched
// without regard to case; exactly one switch, and /mode takes exactly one label after it.
ParsedArguments ParseArguments(const std::vector<std::string>& args);

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
// parser holds to kMostLabelBytes. A longer WM_COPYDATA is refused before it is copied.
inline constexpr std::size_t kMostLabelBytes = 200;
inline constexpr std::size_t kMostCommandBytes = 8 + kMostLabelBytes;

// The exit code in a reply; nothing when the reply is not one of ours.
std::optional<int> ExitCodeOfReply(std::intptr_t reply);

}  // namespace app
