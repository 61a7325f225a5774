#pragma once
// The picture-drawn frames of the about window, one per colour case as on the main window. They
// have no caption buttons: the layout places no buttons and leaves the caption's width as the
// design gave it (80 pixels).
#include "controls/frame/skinned_frame.h"

namespace controls {

class XPFAbout : public SkinnedFrame {
public:
    explicit XPFAbout(int id) : SkinnedFrame(id, FrameSkin::FullColour, false) {}
};

class XPFAbout256 : public SkinnedFrame {
public:
    explicit XPFAbout256(int id) : SkinnedFrame(id, FrameSkin::Colour256, false) {}
};

}  // namespace controls
