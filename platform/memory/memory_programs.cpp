#include "platform/memory/memory_programs.h"

#include <algorithm>

namespace platform::memory {

ProgramStart MemoryPrograms::Start(const std::string& commandLine, Watch watch) {
    if (refuseStart || tree.empty()) return {false, "The system cannot find the file specified.", watch, {}};
    started.push_back(commandLine);
    watched = watch;
    return {true, {}, watch, {}};
}

int MemoryPrograms::WaitForAll() {
    int end = tree.front().endsAt;
    if (watched != Watch::ProgramOnly)
        for (const Process& p : tree) end = std::max(end, p.endsAt);
    for (clock = 0; clock < end; ++clock)
        if (atTime) atTime(clock);
    return tree.front().exitCode;
}

}  // namespace platform::memory
