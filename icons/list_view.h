#pragma once
// Access to the shell's desktop icon view, a list view control in the shell's process: finding
// it, its automatic arrangement, its item count, reading every item's position across the
// process boundary and moving items.
#include <cstdint>
#include <optional>
#include <vector>

#include "platform/desktop.h"

namespace icons {

inline constexpr std::uint32_t kLvsAutoArrange = 0x0100;  // LVS_AUTOARRANGE
inline constexpr std::uint32_t kWmNull = 0x0000;
inline constexpr std::uint32_t kWmCommand = 0x0111;
// The shell view's "Auto Arrange" command: switches its automatic arrangement over.
inline constexpr std::uintptr_t kAutoArrangeCommand = 0x7041;
inline constexpr std::uint32_t kLvmGetItemCount = 0x1004;
inline constexpr std::uint32_t kLvmSetItemPosition = 0x100F;
inline constexpr std::uint32_t kLvmGetItemPosition = 0x1010;
inline constexpr std::uint32_t kVerPlatformWin32Nt = 2;

// "Progman", its first "SHELLDLL_defVIEW" child, that one's first "SysListView32" child. When
// that finds nothing: the first top-level "WorkerW" that has a "SHELLDLL_DefView" child, and
// that one's first "SysListView32" child. 0 when neither way finds one.
platform::WindowHandle FindDesktopListView(platform::Desktop& desktop);

// True exactly when the version query works and names the NT family.
bool IsWindowsNT(platform::Desktop& desktop);

// Every message below goes out with a time limit (Desktop::Send); one that gets no answer says
// so, and the caller drops what it was doing rather than wait on a hung shell for each item.

// WM_NULL: whether the list view's thread answers now.
bool ListViewAnswers(platform::Desktop& desktop, platform::WindowHandle listView);

bool AutoArrangeIsOn(platform::Desktop& desktop, platform::WindowHandle listView);
// WM_COMMAND 0x7041 to the list view's parent, the shell view. False when it got no answer.
bool SendAutoArrangeCommand(platform::Desktop& desktop, platform::WindowHandle listView);

// Nothing when the list view does not answer.
std::optional<std::int32_t> ItemCount(platform::Desktop& desktop, platform::WindowHandle listView);

// The positions of items 0 .. count - 1, read one by one through an 8-byte buffer that the
// list view's process can write: memory in that process on the NT family, a shared mapping
// on the 9x family. The buffer starts out holding a zero POINT and is released before this
// returns. Nothing when no buffer can be had (no item is asked for then), or when the list
// view stops answering (the rest is not asked for).
std::optional<std::vector<platform::Point>> ReadItemPositions(platform::Desktop& desktop,
                                                              platform::WindowHandle listView,
                                                              std::uint32_t processId,
                                                              std::int32_t count);

// LVM_SETITEMPOSITION: x in the low 16 bits of lParam, y in the high 16 bits, each held
// within the 16-bit range. False when the list view did not answer; what it answers is not
// looked at.
bool MoveItem(platform::Desktop& desktop, platform::WindowHandle listView, std::int32_t index,
              platform::Point position);

}  // namespace icons
