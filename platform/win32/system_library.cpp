#include "platform/win32/system_library.h"

#include <string>

namespace platform::win32 {
namespace {

// LOAD_LIBRARY_SEARCH_SYSTEM32 of newer headers; the systems that know it have
// SetDefaultDllDirectories too.
constexpr DWORD kSearchSystem32 = 0x00000800;

bool& SearchRestricted() {
    static bool restricted = false;
    return restricted;
}

}  // namespace

bool LoadOnlyFromSystemFolder() {
    using SetDirectories = BOOL WINAPI(DWORD);
    auto* const set = SystemFunction<SetDirectories>(GetModuleHandleA("kernel32.dll"),
                                                     "SetDefaultDllDirectories");
    SearchRestricted() = set && set(kSearchSystem32);
    return SearchRestricted();
}

HMODULE LoadSystemLibrary(const char* name) {
    char folder[MAX_PATH];
    const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return nullptr;
    const std::string path = std::string(folder, n) + "\\" + name;
    // With the search restricted, the full path alone suffices. Without it (XP, or a Vista or 7
    // without the update), LoadLibrary would look for the DLL's own imports in the program's
    // folder first; LOAD_WITH_ALTERED_SEARCH_PATH looks in the DLL's folder instead.
    return SearchRestricted() ? LoadLibraryA(path.c_str())
                              : LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace platform::win32
