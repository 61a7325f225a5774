#pragma once
// The shell's folder view of the desktop (platform::FolderView) on COM: ShellWindows,
// FindWindowSW(CSIDL_DESKTOP, SWC_DESKTOP), the top-level browser's active shell view and its
// IFolderView / IFolderView2. Every COM call runs in a worker thread of its own; the calling
// thread only waits, each time up to a deadline, so a hung shell cannot hold it.
#include <cstdint>
#include <memory>

#include "platform/desktop.h"

namespace platform::win32 {

// How long the caller waits for the shell. Each COM call of the chain may take up to the
// deadline: a call that does not return in time makes the caller give up on the view. Only
// the tests choose other values.
struct ShellDeadlines {
    // The opening of the view: the first CoCreateInstance of a process also loads COM's
    // libraries and reaches the system's RPC service, so it gets more than a call.
    std::uint32_t openMs = 2 * kShellAnswerMs;
    std::uint32_t callMs = kShellAnswerMs;
};

// The desktop's folder view, or null when there is none: COM cannot be loaded, no
// ShellWindows is registered, FindWindowSW knows no desktop window (Windows XP has no
// SWC_DESKTOP), a step of the chain fails or does not answer in time.
std::unique_ptr<FolderView> OpenShellFolderView(const ShellDeadlines& deadlines);

}  // namespace platform::win32
