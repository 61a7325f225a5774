#pragma once
// The XP-style push button of the full-colour appearance. This holds what the form uses of it:
// caption, enabled, visible, tab stop, font name, and the Click event.
#include <string>

#include "controls/control_model.h"

namespace controls {

class PellXPButton : public ClickableModel {
public:
    PellXPButton(int id, std::string caption, std::string fontName)
        : ClickableModel(id, ControlKind::PushButton, std::move(caption)),
          fontName_(std::move(fontName)) {}

    const std::string& FontName() const { return fontName_; }

private:
    std::string fontName_;
};

}  // namespace controls
