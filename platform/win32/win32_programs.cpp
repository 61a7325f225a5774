#include "platform/win32/win32_programs.h"

#include <windows.h>

namespace platform::win32 {

std::wstring WideOf(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), n);
    return wide;
}

std::string Utf8Of(const std::wstring& wide) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), n,
                            nullptr, nullptr);
    return utf8;
}

namespace {

std::string ErrorText(DWORD error) {
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string out = text ? text : "";
    if (text) LocalFree(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
    return out.empty() ? "error " + std::to_string(error) : out;
}

// Windows 8 (6.2) or later: a process may be in several jobs.
bool JobsNest() {
    OSVERSIONINFOEXW want{};
    want.dwOSVersionInfoSize = sizeof want;
    want.dwMajorVersion = 6;
    want.dwMinorVersion = 2;
    DWORDLONG mask = 0;
    mask = VerSetConditionMask(mask, VER_MAJORVERSION, VER_GREATER_EQUAL);
    mask = VerSetConditionMask(mask, VER_MINORVERSION, VER_GREATER_EQUAL);
    return VerifyVersionInfoW(&want, VER_MAJORVERSION | VER_MINORVERSION, mask) != FALSE;
}

}  // namespace

JobFacts Win32Programs::Facts() {
    JobFacts facts;
    BOOL inJob = FALSE;
    facts.inJob = IsProcessInJob(GetCurrentProcess(), nullptr, &inJob) && inJob;
    facts.nestedJobs = JobsNest();
    if (facts.inJob) {
        // A null handle asks about the job this process is in.
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        if (QueryInformationJobObject(nullptr, JobObjectExtendedLimitInformation, &limits, sizeof limits,
                                      nullptr)) {
            const DWORD flags = limits.BasicLimitInformation.LimitFlags;
            facts.breakawayAllowed = (flags & JOB_OBJECT_LIMIT_BREAKAWAY_OK) != 0;
            facts.silentBreakaway = (flags & JOB_OBJECT_LIMIT_SILENT_BREAKAWAY_OK) != 0;
        }
    }
    return facts;
}

ProgramStart Win32Programs::Start(const std::string& commandLine, Watch watch) {
    ProgramStart result{false, {}, watch, {}};
    if (watch != Watch::ProgramOnly) {
        job_.Reset(CreateJobObjectW(nullptr, nullptr));
        port_.Reset(CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
        JOBOBJECT_ASSOCIATE_COMPLETION_PORT link{job_.Get(), port_.Get()};
        if (!job_ || !port_ ||
            !SetInformationJobObject(job_.Get(), JobObjectAssociateCompletionPortInformation, &link,
                                     sizeof link)) {
            // The port only wakes the wait early; without it the wait asks the job itself.
            port_.Reset();
        }
        if (!job_) {
            result.watch = Watch::ProgramOnly;
            result.note = "no job object (" + ErrorText(GetLastError()) +
                          "): only the program's own process is waited for";
        }
    }
    // The shortcut's "Run" choice (normal, minimised, maximised) reaches the program.
    STARTUPINFOW own{};
    own.cb = sizeof own;
    GetStartupInfoW(&own);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = own.dwFlags & STARTF_USESHOWWINDOW;
    si.wShowWindow = own.wShowWindow;
    std::wstring line = WideOf(commandLine);
    DWORD flags = CREATE_SUSPENDED | CREATE_DEFAULT_ERROR_MODE;
    if (result.watch == Watch::JobBreakaway) flags |= CREATE_BREAKAWAY_FROM_JOB;
    PROCESS_INFORMATION pi{};
    // No handles are inherited, and the program runs with this process's rights in its folder.
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, nullptr, &si, &pi)) {
        result.error = ErrorText(GetLastError());
        return result;
    }
    process_.Reset(pi.hProcess);
    if (job_ && !AssignProcessToJobObject(job_.Get(), pi.hProcess)) {
        // Before Windows 8, in a job that could not be left: the program still runs, watched
        // as far as that allows.
        result.note = "the program could not be put in a job (" + ErrorText(GetLastError()) +
                      "): only its own process is waited for";
        result.watch = Watch::ProgramOnly;
        job_.Reset();
        port_.Reset();
    }
    ResumeThread(pi.hThread);
    CloseHandle(pi.hThread);
    result.started = true;
    return result;
}

int Win32Programs::WaitForAll() {
    if (job_) {
        // The port says when the last process has gone; its messages are not promised, so the
        // job's count of active processes is read too, at least once a second.
        for (;;) {
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION counts{};
            // A job that cannot be asked (no such call): the program's own process is waited for.
            if (!QueryInformationJobObject(job_.Get(), JobObjectBasicAccountingInformation, &counts,
                                           sizeof counts, nullptr) ||
                counts.ActiveProcesses == 0)
                break;
            DWORD message = 0;
            ULONG_PTR key = 0;
            LPOVERLAPPED overlapped = nullptr;
            if (port_) {
                if (GetQueuedCompletionStatus(port_.Get(), &message, &key, &overlapped, 1000) &&
                    message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO &&
                    key == reinterpret_cast<ULONG_PTR>(job_.Get()))
                    break;
            } else {
                Sleep(250);
            }
        }
    }
    WaitForSingleObject(process_.Get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process_.Get(), &code);
    return static_cast<int>(code);
}

}  // namespace platform::win32
