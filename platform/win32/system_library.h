#pragma once
// Windows' own libraries that only some runs of the program need, loaded at their first use
// instead of as imports. An import is loaded, relocated and initialised before the first line
// of WinMain runs, on every start; under Wine each such library (and what it imports in turn)
// costs the window milliseconds and private memory before it can show.
#include <windows.h>

namespace platform::win32 {

// Loads `name` (a file name such as "oleacc.dll") from the system folder by its full path,
// never from the program's own folder or the current one, where a planted copy could wait;
// the DLLs it imports in turn are looked for in the system folder first as well. Null when it
// cannot be loaded. Each call takes a reference of its own; callers keep the module for the
// rest of the process (a function-local static).
HMODULE LoadSystemLibrary(const char* name);

// SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32) where the system has it (looked up:
// XP lacks it): from then on no LoadLibrary of this process, nor the imports of what it loads,
// looks in the program's folder. True when it took effect.
bool LoadOnlyFromSystemFolder();

// The exported function `name` of `module` as a pointer of type Fn (decltype of its
// declaration); null when the module is null or does not export it.
template <typename Fn>
Fn* SystemFunction(HMODULE module, const char* name) {
    if (!module) return nullptr;
    return reinterpret_cast<Fn*>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace platform::win32
