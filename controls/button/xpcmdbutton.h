#pragma once
// The small skin-painted button of the 256-colour appearance: caption, enabled, visible, tab
// stop and the Click event.
#include <string>

#include "controls/control_model.h"

namespace controls {

class xpcmdbutton : public ClickableModel {
public:
    xpcmdbutton(int id, std::string caption)
        : ClickableModel(id, ControlKind::PushButton, std::move(caption)) {}
};

}  // namespace controls
