#pragma once
// The picture-drawn window frames: XPF for the full-colour appearance, MorvXPF for the
// 256-colour one. Each covers its form's client area edge to edge; one is visible at a time.
#include <string>

#include "controls/control_model.h"

namespace controls {

class XPF : public ControlModel {
public:
    explicit XPF(int id) : ControlModel(id, ControlKind::SkinnedFrame, "") {}
};

class MorvXPF : public ControlModel {
public:
    explicit MorvXPF(int id) : ControlModel(id, ControlKind::SkinnedFrame, "") {}
};

}  // namespace controls
