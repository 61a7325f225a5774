#pragma once
// The set of platform services handed to the program's logic. The Win32 build binds these
// to the real calls; the unit tests bind them to the in-memory substitutes.
#include "platform/display.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "platform/ui.h"

namespace platform {

struct Platform {
    Display& display;
    Registry& registry;
    System& system;
    Ui& ui;
    Shell& shell;
    // The registry as a 32-bit program sees it. On 64-bit Windows 32-bit installers (the media
    // players') write their HKLM\SOFTWARE keys to this view (WOW6432Node); the i686 release
    // reads it through `registry` as well, the x86_64 build only through this one.
    Registry& registry32;
};

}  // namespace platform
