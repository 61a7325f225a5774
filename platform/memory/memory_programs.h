#pragma once
// platform::Programs in memory: a program is a tree of processes, each ending at a time of its
// own. WaitForAll advances the clock to the end of what the watch sees (the last process of
// the tree under a job, the program's own process otherwise), calling `atTime` for each time
// passed, so that a test can act while the program runs.
#include <functional>
#include <string>
#include <vector>

#include "platform/programs.h"

namespace platform::memory {

class MemoryPrograms final : public Programs {
public:
    struct Process {
        int endsAt = 0;   // the time it ends
        int exitCode = 0;
        int parent = -1;  // index of the process that started it; -1: the program itself
    };

    JobFacts facts;
    std::vector<Process> tree;  // the program's processes, the program first
    bool refuseStart = false;   // no such program
    std::function<void(int time)> atTime;

    // What was asked for.
    std::vector<std::string> started;
    Watch watched = Watch::Job;
    int clock = 0;  // the time WaitForAll returned at

    JobFacts Facts() override { return facts; }
    ProgramStart Start(const std::string& commandLine, Watch watch) override;
    int WaitForAll() override;
};

}  // namespace platform::memory
