#pragma once
// The picture-drawn frames of the main window: XPF for colour depths above 8 bits per pixel,
// MorvXPF for 8 bits or less. Each covers its form's client area edge to edge; one is visible at
// a time. Both carry the close button (and the hidden maximise and minimise buttons).
#include "controls/frame/skinned_frame.h"

namespace controls {

class XPF : public SkinnedFrame {
public:
    explicit XPF(int id) : SkinnedFrame(id, FrameSkin::FullColour, true) {}
};

class MorvXPF : public SkinnedFrame {
public:
    explicit MorvXPF(int id) : SkinnedFrame(id, FrameSkin::Colour256, true) {}
};

}  // namespace controls
