#pragma once
// Keeping a window above all ordinary windows.
#include "platform/ui.h"

namespace app {

// Makes the window top-most when onTop is true, not top-most otherwise; only the z-order
// changes.
void SetOnTop(platform::Ui& ui, platform::WindowHandle theForm, bool& onTop);

}  // namespace app
