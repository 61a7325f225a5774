// A stand-in for a DLL someone put beside Dravik.exe under the name of one of Windows' own
// (oleacc.dll). It does nothing but leave a mark when a process loads it: the file
// "<its own path>.loaded" in lower case, so that a test sees whether the program ever took it.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    wchar_t path[MAX_PATH + 8];
    const DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return TRUE;
    // The file name comes back as the importer spelt it (OLEACC.dll), and Linux tells the
    // cases apart: the mark's name is in lower case.
    DWORD name = n;
    while (name > 0 && path[name - 1] != L'\\') --name;
    CharLowerW(path + name);
    lstrcpyW(path + n, L".loaded");
    const HANDLE mark = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (mark != INVALID_HANDLE_VALUE) CloseHandle(mark);
    return TRUE;
}
