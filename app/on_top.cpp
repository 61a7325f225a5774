#include "app/on_top.h"

namespace app {

void SetOnTop(platform::Ui& ui, platform::WindowHandle theForm, bool& onTop) {
    ui.SetTopMost(theForm, onTop);
}

}  // namespace app
