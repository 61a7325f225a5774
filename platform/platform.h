#pragma once
// The set of platform services handed to the program's logic. The Win32 build binds these
// to the real calls; the unit tests bind them to the in-memory substitutes.
#include "platform/display.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/ui.h"

namespace platform {

struct Platform {
    Display& display;
    Registry& registry;
    System& system;
    Ui& ui;
};

}  // namespace platform
