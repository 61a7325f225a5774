// Dravik.com: the console companion of Dravik.exe. cmd runs a .com before an .exe of the same
// name, and waits for a console program, so "Dravik /list" typed at its prompt answers before
// the prompt returns and "Dravik /mode ..." leaves its code in %errorlevel%. It runs the
// Dravik.exe beside it (its own path with .exe for .com) with the same arguments, hands it
// its standard handles, waits and ends with its exit code. Without arguments it only starts
// Dravik.exe, whose window program runs on, and returns at once.
//
// No C or C++ runtime: kernel32 only, its own entry point (cmake/Windows.cmake), so that the
// file stays a few kilobytes.
#include <windows.h>

extern "C" {
// What the compiler may call for a zeroed structure or a copy.
void* memset(void* dest, int value, size_t count) {
    auto* p = static_cast<unsigned char*>(dest);
    while (count--) *p++ = static_cast<unsigned char>(value);
    return dest;
}
void* memcpy(void* dest, const void* src, size_t count) {
    auto* d = static_cast<unsigned char*>(dest);
    const auto* s = static_cast<const unsigned char*>(src);
    while (count--) *d++ = *s++;
    return dest;
}
}

namespace {

constexpr DWORD kPathChars = 32768;

// The command line after the program's own name (quoted up to the next quote, else up to a
// blank), with the blanks after it: the arguments exactly as typed.
const wchar_t* Arguments(const wchar_t* line) {
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"') ++line;
        if (*line) ++line;
    }
    while (*line && *line != L' ' && *line != L'\t') ++line;
    return line;
}

bool HasArguments(const wchar_t* tail) {
    while (*tail == L' ' || *tail == L'\t') ++tail;
    return *tail != 0;
}

void Say(const char* text) {
    DWORD n = 0;
    while (text[n]) ++n;
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, n, &written, nullptr);
}

// The standard handle, made inheritable so that Dravik.exe gets it; null when there is none.
HANDLE Passed(DWORD which) {
    HANDLE h = GetStdHandle(which);
    if (h == INVALID_HANDLE_VALUE) return nullptr;
    if (h) SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    return h;
}

UINT Run() {
    HANDLE heap = GetProcessHeap();
    auto* exe = static_cast<wchar_t*>(HeapAlloc(heap, 0, kPathChars * sizeof(wchar_t)));
    if (!exe) return 1;
    const DWORD length = GetModuleFileNameW(nullptr, exe, kPathChars - 4);
    if (length == 0 || length >= kPathChars - 4) {
        Say("Dravik: cannot find its own path\r\n");
        return 1;
    }
    // Dravik.com -> Dravik.exe: the extension after the last dot of the file name.
    DWORD dot = length;
    for (DWORD i = length; i-- > 0 && exe[i] != L'\\';)
        if (exe[i] == L'.') {
            dot = i;
            break;
        }
    const wchar_t kExe[] = L".exe";
    for (DWORD i = 0; i < 5; ++i) exe[dot + i] = kExe[i];

    const wchar_t* tail = Arguments(GetCommandLineW());
    DWORD tailLength = 0;
    while (tail[tailLength]) ++tailLength;
    const DWORD pathLength = dot + 4;
    // "<exe>"<tail>
    auto* line = static_cast<wchar_t*>(HeapAlloc(heap, 0, (pathLength + tailLength + 3) * sizeof(wchar_t)));
    if (!line) return 1;
    DWORD at = 0;
    line[at++] = L'"';
    for (DWORD i = 0; i < pathLength; ++i) line[at++] = exe[i];
    line[at++] = L'"';
    for (DWORD i = 0; i < tailLength; ++i) line[at++] = tail[i];
    line[at] = 0;

    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdInput = Passed(STD_INPUT_HANDLE);
    si.hStdOutput = Passed(STD_OUTPUT_HANDLE);
    si.hStdError = Passed(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe, line, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        Say("Dravik: cannot start Dravik.exe beside Dravik.com\r\n");
        return 2;
    }
    CloseHandle(pi.hThread);
    if (!HasArguments(tail)) return 0;  // the window program runs on; nothing to wait for
    // Ctrl+C while Dravik.exe answers goes to cmd, not here: the answer is written whole.
    SetConsoleCtrlHandler(nullptr, TRUE);
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    return code;
}

}  // namespace

extern "C" void __stdcall DravikComStart() { ExitProcess(Run()); }
