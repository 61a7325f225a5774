#include "app/win32/remote_command.h"

#include <optional>
#include <string_view>

#include "app/command_line.h"
#include "app/control_ids.h"
#include "app/form_main.h"
#include "app/run_program.h"
#include "modes/mode_label.h"
#include "platform/win32/scoped.h"
#include "platform/win32/win32_display.h"
#include "platform/win32/win32_programs.h"
#include "platform/win32/win32_system.h"
#include "wingui/message_filter.h"
#include "wingui/window_base.h"

namespace app::win32 {
namespace {

using platform::win32::ScopedHandle;
using wingui::LetMessageThrough;
using wingui::WindowBase;

// How long a client waits for a Dravik it started to come up, and for one command: a switch
// with an icon layout restore of a full desktop takes seconds, and a first start under a
// loaded system more.
constexpr DWORD kReadyTimeoutMs = 60000;
constexpr DWORD kCommandTimeoutMs = 120000;
constexpr DWORD kRetryMs = 50;

// Standard output or error as the client found them, else the console of the program that
// started it. A GUI program gets valid standard handles only when they were redirected (a
// file, a pipe) or handed down; started from a console without redirection it has none, and
// AttachConsole lends it the parent's.
class ClientOutput {
public:
    void Write(DWORD which, std::string_view text) {
        if (text.empty()) return;
        // Handed down by Dravik.com or redirected: written there. Before Windows 8 console
        // handles are no real handles, and one handed down to a window program is unusable; the
        // console of the parent (Dravik.com's, cmd's) then takes the text.
        HANDLE h = GetStdHandle(which);
        if (!Usable(h)) h = ParentConsole();
        if (!Usable(h)) return;
        DWORD written = 0;
        WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    }

private:
    static bool Usable(HANDLE h) {
        return h && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
    }
    HANDLE ParentConsole() {
        if (!triedConsole_) {
            triedConsole_ = true;
            if (AttachConsole(ATTACH_PARENT_PROCESS)) {
                // Ctrl+C typed there while the answer is written must not cut it short.
                SetConsoleCtrlHandler(nullptr, TRUE);
                console_.Reset(CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
            }
        }
        return console_.Get();
    }

    bool triedConsole_ = false;
    ScopedHandle console_;
};

// The client's message-only window, which collects the text the running program sends back.
class ReplyWindow final : public WindowBase {
public:
    ReplyWindow() {
        CreateBound({"DravikCommandReply", 0, false, false}, GetModuleHandleA(nullptr), 0, "", 0, 0,
                    0, 0, 0, HWND_MESSAGE);
        // A client run as administrator would otherwise never hear the text of a Dravik
        // that runs without: Windows drops messages sent up to a process with more rights.
        if (hwnd_) LetMessageThrough(hwnd_, WM_COPYDATA);
    }
    ~ReplyWindow() override {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    std::string& Text() { return text_; }

private:
    bool HandleMessage(UINT msg, WPARAM, LPARAM lParam, LRESULT& result) override {
        if (msg != WM_COPYDATA) return false;
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (data && data->dwData == kOutputTag && data->lpData)
            text_.append(static_cast<const char*>(data->lpData), data->cbData);
        result = TRUE;
        return true;
    }

    std::string text_;
};

HWND FindRunningDravik() { return FindWindowA(ids::kMainWindowClass, nullptr); }

// Sends the command once. Nothing: no answer of ours (a window that is gone, a program that
// is still starting or hangs).
std::optional<int> Send(HWND dravik, const std::string& payload, ReplyWindow& reply,
                        bool& notReady, bool& outputLost) {
    COPYDATASTRUCT data{};
    data.dwData = kCommandTag;
    data.cbData = static_cast<DWORD>(payload.size());
    data.lpData = const_cast<char*>(payload.data());
    DWORD_PTR result = 0;
    reply.Text().clear();
    notReady = false;
    if (!SendMessageTimeoutA(dravik, WM_COPYDATA, reinterpret_cast<WPARAM>(reply.Handle()),
                             reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kCommandTimeoutMs,
                             &result))
        return std::nullopt;
    const auto answer = static_cast<std::intptr_t>(result);
    notReady = answer == kReplyNotReady;
    outputLost = answer == kReplyOutputLost;
    return ExitCodeOfReply(answer);
}

// Starts this program again without arguments, as a plain start: window or tray as stored.
// The new process's handle, or nothing.
HANDLE StartDravik() {
    const std::wstring path = platform::win32::ModulePathWide();
    if (path.empty()) return nullptr;
    std::wstring commandLine = L"\"" + path + L"\"";
    // It runs in its own folder, not in the caller's current one, which it would otherwise
    // hold open (undeletable) for its whole life.
    const std::wstring folder = path.substr(0, path.find_last_of(L'\\'));
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &si, &pi))
        return nullptr;
    CloseHandle(pi.hThread);
    return pi.hProcess;
}

std::string ListModesHere() {
    platform::win32::Win32Display display;
    std::string text;
    for (const modes::DisplayMode& mode : modes::OfferedModes(display))
        text += modes::CanonicalLabel(mode) + "\r\n";
    return text;
}

// What a command got: the exit code and the text sent back, or why there is none.
struct Delivery {
    std::optional<int> code;
    std::string text;
    std::string error;  // without "Dravik: " and line end
    HWND to = nullptr;  // the Dravik that took it
};

// Hands `payload` to the running Dravik, asking again while it is not ready. With `start`, a
// Dravik is started first when none runs; with `only`, no other Dravik than that one takes it.
Delivery Deliver(const std::string& payload, bool start, HWND only = nullptr) {
    Delivery d;
    HWND dravik = FindRunningDravik();
    if (only && dravik != only) {
        d.error = "the Dravik that switched has ended";
        return d;
    }
    ScopedHandle started;
    if (!dravik && start) {
        started.Reset(StartDravik());
        if (!started) {
            d.error = "could not start Dravik";
            return d;
        }
    }
    ReplyWindow reply;
    const DWORD begin = GetTickCount();
    for (;;) {
        if (!dravik && !only) dravik = FindRunningDravik();
        if (dravik) {
            bool notReady = false, outputLost = false;
            if (const std::optional<int> code = Send(dravik, payload, reply, notReady, outputLost)) {
                d.code = code;
                d.text = reply.Text();
                d.to = dravik;
                return d;
            }
            if (outputLost) {
                d.error = "the running Dravik could not hand its answer back (it runs with fewer "
                          "rights than this command)";
                return d;
            }
            // A window that went away, or one of another program under the same class: look
            // again; a program still starting: ask again.
            if (!notReady) {
                if (only) {
                    d.error = "the Dravik that switched has ended";
                    return d;
                }
                dravik = nullptr;
            }
        }
        if (started && WaitForSingleObject(started.Get(), 0) == WAIT_OBJECT_0 &&
            !FindRunningDravik()) {
            d.error = "Dravik ended before it took the command";
            return d;
        }
        if (GetTickCount() - begin > kReadyTimeoutMs) {
            d.error = "the running Dravik did not take the command (is a message of it waiting "
                      "for an answer?)";
            return d;
        }
        Sleep(kRetryMs);
    }
}

// The running Dravik as a /run client reaches it: the hold and the switch back travel as any
// command does, and the switch back goes only to the Dravik that took the hold.
class DravikForRun final : public RunningDravik {
public:
    int Hold(const app::Hold& hold, HeldSwitch& held, std::string& error) override {
        static constexpr const char* kNoRun = "the running Dravik does not know /run (an older version?)";
        const Delivery d = Deliver(EncodeHold(hold), true);
        error = d.error;
        if (!d.code) return kExitNotSwitched;
        if (*d.code == kExitBadArguments) error = kNoRun;
        if (*d.code != kExitDone) return *d.code;
        const std::optional<HeldSwitch> answer = DecodeHeldSwitch(d.text);
        if (!answer) {
            error = kNoRun;
            return kExitNotSwitched;
        }
        held = *answer;
        holder_ = d.to;
        return kExitDone;
    }
    bool SwitchBack(const app::SwitchBack& back, std::string& decision, std::string& error) override {
        const Delivery d = Deliver(EncodeSwitchBack(back), false, holder_);
        error = d.error;
        if (!d.code) return false;
        decision = d.text;
        if (*d.code != kExitDone) decision += " (the mode could not be switched to)";
        return true;
    }

private:
    HWND holder_ = nullptr;
};

}  // namespace

int RunCommandLineClient(const std::vector<std::string>& args) {
    ClientOutput out;
    const ParsedArguments parsed = ParseArguments(args);
    if (!parsed.command) {
        out.Write(STD_ERROR_HANDLE, "Dravik: " + parsed.error + "\r\nDravik.exe /? lists the switches.\r\n");
        return kExitBadArguments;
    }
    const Command& command = *parsed.command;
    if (command.verb == Verb::Help) {
        out.Write(STD_OUTPUT_HANDLE, UsageText());
        return kExitDone;
    }
    if (parsed.run) {
        // The program and its arguments as written: the raw command line, never argv quoted again.
        const std::string program =
            CommandLineAfter(platform::win32::Utf8Of(GetCommandLineW()), parsed.runAfter);
        DravikForRun dravik;
        platform::win32::Win32Programs programs;
        std::string report;
        const int code = RunInPreset(command, program, dravik, programs, report);
        out.Write(STD_ERROR_HANDLE, report);
        return code;
    }

    if (!FindRunningDravik()) {
        if (command.verb == Verb::Exit) return kExitDone;  // nothing runs: nothing to end
        if (command.verb == Verb::List) {
            out.Write(STD_OUTPUT_HANDLE, ListModesHere());
            return kExitDone;
        }
    }
    const Delivery d = Deliver(EncodeCommand(command), StartsDravikWhenNoneRuns(command.verb));
    if (!d.code) {
        out.Write(STD_ERROR_HANDLE, "Dravik: " + d.error + "\r\n");
        return kExitNotSwitched;
    }
    out.Write(STD_OUTPUT_HANDLE, d.text);
    return *d.code;
}

bool AnswerRemoteCommand(FrmMain& form, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!data || data->dwData != kCommandTag) return false;
    // Commands wait until the start-up has run to its end (a message box of the start-up lets
    // messages through while it waits), and none is taken any more once the program has ended.
    if (!form.Loaded() || form.Ended()) {
        result = kReplyNotReady;
        return true;
    }
    // Nothing is copied out of a payload longer than any command.
    if (data->cbData > kMostCommandBytes) {
        result = kReplyBase + kExitBadArguments;
        return true;
    }
    const std::string payload =
        data->lpData ? std::string(static_cast<const char*>(data->lpData), data->cbData) : std::string();
    const std::optional<Command> command = DecodeCommand(payload);
    const std::optional<Hold> hold = command ? std::nullopt : DecodeHold(payload);
    const std::optional<SwitchBack> back = command || hold ? std::nullopt : DecodeSwitchBack(payload);
    if (!command && !hold && !back) {
        result = kReplyBase + kExitBadArguments;
        return true;
    }
    std::string output;
    // A switch, save or restore under way (this message arrived while it waits on the shell
    // or the display): the client asks again once it is done.
    const std::optional<int> code = command ? form.RunCommand(*command, output)
                                    : hold  ? form.RunHold(*hold, output)
                                            : form.RunSwitchBack(*back, output);
    if (!code) {
        result = kReplyNotReady;
        return true;
    }
    const HWND client = reinterpret_cast<HWND>(wParam);
    if (!output.empty() && IsWindow(client)) {
        COPYDATASTRUCT text{};
        text.dwData = kOutputTag;
        text.cbData = static_cast<DWORD>(output.size());
        text.lpData = output.data();
        DWORD_PTR taken = 0;
        if (!SendMessageTimeoutA(client, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&text),
                                 SMTO_ABORTIFHUNG, 5000, &taken) ||
            !taken) {
            result = kReplyOutputLost;
            return true;
        }
    }
    result = kReplyBase + *code;
    return true;
}

void LetRemoteCommandsThrough(HWND mainWindow) { LetMessageThrough(mainWindow, WM_COPYDATA); }

}  // namespace app::win32
