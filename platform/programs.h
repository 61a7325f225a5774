#pragma once
// Starting a program and waiting until it, and every process it started, has ended: what a
// /run client needs (app/run_program.h). Plain data in and out; the Win32 build binds it to a
// job object, the unit tests to an in-memory substitute.
#include <string>

namespace platform {

// What decides how the processes of a program can be watched (see app::PlanWatch).
struct JobFacts {
    bool inJob = false;              // this process runs in a job already
    bool nestedJobs = false;         // a job can hold a process of another job (Windows 8 on)
    bool breakawayAllowed = false;   // that job lets a child leave it when asked (BREAKAWAY_OK)
    bool silentBreakaway = false;    // that job's children are born outside it (SILENT_BREAKAWAY_OK)
};

// How a program is started and watched.
enum class Watch {
    Job,           // in a job of its own: every process it starts, at any depth, is waited for
    JobBreakaway,  // the same, the program started outside this process's job (before Windows 8)
    ProgramOnly,   // no job can hold it: only the program's own process is waited for
};

struct ProgramStart {
    bool started = false;
    std::string error;   // why not, when not started
    Watch watch = Watch::Job;  // how it is watched, which can be less than asked for
    std::string note;    // why it is watched less than asked for; empty otherwise
};

class Programs {
public:
    virtual ~Programs() = default;
    virtual JobFacts Facts() = 0;
    // Starts `commandLine` (the program's path first, then its arguments, as written) in the
    // current folder. A job holds the program from before its first instruction, so that no
    // process it starts escapes; closing this process never ends it.
    virtual ProgramStart Start(const std::string& commandLine, Watch watch) = 0;
    // Waits until the started program, and under a job every process it started, has ended;
    // the program's own exit code.
    virtual int WaitForAll() = 0;
};

}  // namespace platform
