#pragma once
// Every in-memory substitute of the platform, wired into one Platform as the program wires
// the Win32 ones, for tests that run the logic over all of them. A fixture derives from it
// and reaches each substitute by its name.
#include <utility>
#include <vector>

#include "platform/memory/memory_desktop.h"
#include "platform/memory/memory_display.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system.h"
#include "platform/platform.h"

namespace platform::memory {

struct MemoryPlatform {
    explicit MemoryPlatform(std::vector<DevModeFields> modes = {}) : display(std::move(modes)) {}
    MemoryPlatform(const MemoryPlatform&) = delete;
    MemoryPlatform& operator=(const MemoryPlatform&) = delete;

    MemoryDisplay display;
    MemoryRegistry registry;
    MemorySystem system;
    MemoryUi ui;
    MemoryShell shell;
    MemoryRegistry registry32;  // the other registry view, where players may be registered
    Platform platform{display, registry, system, ui, shell, registry32};
    MemoryDesktop desktop;
};

}  // namespace platform::memory
