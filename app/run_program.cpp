#include "app/run_program.h"

namespace app {

platform::Watch PlanWatch(const platform::JobFacts& facts) {
    using platform::Watch;
    // Outside any job, or where jobs nest (Windows 8 on), a job of its own holds the program.
    if (!facts.inJob || facts.nestedJobs || facts.silentBreakaway) return Watch::Job;
    // Before Windows 8 a process belongs to one job at most: the program must leave this
    // process's job to be put in one of its own, which that job has to allow.
    if (facts.breakawayAllowed) return Watch::JobBreakaway;
    // A job that keeps its children (a service's, some schedulers' or terminals' on Windows 7
    // and XP): only the program's own process can be waited for, so a launcher that ends at
    // once ends the wait.
    return Watch::ProgramOnly;
}

namespace {

void HandBack(RunningDravik& dravik, const HeldSwitch& held, std::string& report) {
    std::string decision, error;
    if (dravik.SwitchBack(SwitchBack{held}, decision, error))
        report += "Dravik: " + decision + "\r\n";
    else
        report += "Dravik: the display is left as it is: " + error + "\r\n";
}

}  // namespace

int RunInPreset(const Command& command, const std::string& program, RunningDravik& dravik,
                platform::Programs& programs, std::string& report) {
    HeldSwitch held;
    std::string error;
    const int switched = dravik.Hold(app::Hold{command}, held, error);
    if (switched != kExitDone) {
        report += error.empty() ? "Dravik: the mode could not be switched to; the program is not started\r\n"
                                : "Dravik: " + error + "\r\n";
        return kExitNotSwitched;
    }
    const platform::ProgramStart start = programs.Start(program, PlanWatch(programs.Facts()));
    if (!start.started) {
        report += "Dravik: cannot start " + program + ": " + start.error + "\r\n";
        HandBack(dravik, held, report);
        return kExitBadArguments;
    }
    if (!start.note.empty()) report += "Dravik: " + start.note + "\r\n";
    const int code = programs.WaitForAll();
    HandBack(dravik, held, report);
    return code;
}

}  // namespace app
