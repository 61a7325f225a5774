#pragma once
// Counts of the handles the owner types hold, for the soak build only (compile definition
// DRAVIK_COUNT_HANDLES). Wine implements neither GetGuiResources nor GetProcessHandleCount
// (both answer 0), so a leak of GDI or user32 objects would go unseen there; the owners count
// what they take and give back instead, and the soak build answers a query for the counts.
// In every other build the calls are empty and the counts do not exist. The one caller is the
// owner template (scoped.h), as each kind's traits say.
#ifdef DRAVIK_COUNT_HANDLES
#include <atomic>
#endif

namespace platform::win32 {

enum class HeldKind {
    None,  // not counted: registry keys, kernel handles
    Gdi,   // brushes, fonts, bitmaps, memory DCs
    User,  // menus, icons
};

#ifdef DRAVIK_COUNT_HANDLES
// Changed on the user-interface thread, read by the soak build's query thread.
inline std::atomic<long> liveGdiHandles{0};
inline std::atomic<long> liveUserHandles{0};

inline void CountHeld(HeldKind kind, bool held, int delta) {
    if (!held) return;
    (kind == HeldKind::Gdi ? liveGdiHandles : liveUserHandles) += delta;
}
#else
inline void CountHeld(HeldKind, bool, int) {}
#endif

}  // namespace platform::win32
