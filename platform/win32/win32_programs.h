#pragma once
// platform::Programs on Windows: the program in a job object of its own, started suspended and
// put in the job before its first instruction; the wait ends when the job has no active
// process. The job does not end its processes when it is closed (no KILL_ON_JOB_CLOSE): a
// client that is ended leaves the film running.
#include <string>

#include "platform/programs.h"
#include "platform/win32/scoped.h"

namespace platform::win32 {

// UTF-8 to UTF-16 and back, for the command line that travels through the portable logic.
std::wstring WideOf(const std::string& utf8);
std::string Utf8Of(const std::wstring& wide);

class Win32Programs final : public Programs {
public:
    JobFacts Facts() override;
    ProgramStart Start(const std::string& commandLine, Watch watch) override;
    int WaitForAll() override;

private:
    ScopedHandle job_, port_, process_;
};

}  // namespace platform::win32
