#pragma once
// "Dravik.exe <switch> /run <program> [arguments]": the switch holds while the program runs,
// launchers' children included, and is handed back when all of them have ended unless the
// mode was switched meanwhile. The running Dravik is reached through RunningDravik (the
// WM_COPYDATA client in app/win32, a FrmMain in the unit tests), the program through
// platform::Programs.
#include <optional>
#include <string>

#include "app/command_line.h"
#include "platform/programs.h"

namespace app {

// The running Dravik as a /run client reaches it.
class RunningDravik {
public:
    virtual ~RunningDravik() = default;
    // Hands over the switch (starting Dravik first when none runs); the exit code as for any
    // switch, and on kExitDone what to hand back. `error` says why when it could not be sent.
    virtual int Hold(const Hold& hold, HeldSwitch& held, std::string& error) = 0;
    // Hands back a hold to the Dravik that took it; false with `error` when it could not be
    // sent (that Dravik ended meanwhile: the display is left as it is).
    virtual bool SwitchBack(const SwitchBack& back, std::string& decision, std::string& error) = 0;
};

// How to watch the program's processes, given where this process runs. Pure.
platform::Watch PlanWatch(const platform::JobFacts& facts);

// The /run itself: switch, start, wait, switch back. Returns the client's exit code: the
// program's own; kExitNotSwitched when the switch could not be made (the program is not
// started); kExitBadArguments when the program could not be started (the switch is handed
// back first). `report` gets the lines a client prints on standard error.
int RunInPreset(const Command& command, const std::string& program, RunningDravik& dravik,
                platform::Programs& programs, std::string& report);

}  // namespace app
