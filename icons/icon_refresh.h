#pragma once
// The icon refresh that runs before a layout restore: the user's "Shell Icon Size" is lowered
// by one and put back, each change announced to every window, so that the shell rebuilds and
// redraws its desktop icons; drawing on the desktop window is held back meanwhile.
#include <cstdint>

#include "platform/desktop.h"
#include "platform/registry.h"

namespace icons {

inline constexpr const char* kWindowMetricsKey = "Control Panel\\Desktop\\WindowMetrics";
inline constexpr const char* kShellIconSize = "Shell Icon Size";
// KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY
// | KEY_CREATE_LINK.
inline constexpr std::uint32_t kWindowMetricsAccess = 0x3F;

inline constexpr platform::WindowHandle kHwndBroadcast = 0xFFFF;
inline constexpr std::uint32_t kWmSettingChange = 0x001A;
inline constexpr std::uintptr_t kSpiSetNonClientMetrics = 0x002A;
inline constexpr std::uint32_t kSmtoAbortIfHung = 0x0002;
// One millisecond per window, not one second: a broadcast must not wait on every window.
inline constexpr std::uint32_t kBroadcastTimeoutMs = 1;

// Lowers "Shell Icon Size" by one and broadcasts, then writes the old text back and
// broadcasts again. Nothing is written or broadcast when the key or a REG_SZ value holding a
// whole number is missing, and nothing more after a first write that fails.
void CycleShellIconSize(platform::Desktop& desktop, platform::Registry& registry);

// CycleShellIconSize with the desktop window locked against drawing around it; the lock is
// let go on every path.
void RefreshDesktopIcons(platform::Desktop& desktop, platform::Registry& registry);

}  // namespace icons
