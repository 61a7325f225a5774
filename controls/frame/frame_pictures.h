#pragma once
// The pictures a skinned frame is drawn from. They are files of their own
// (resources/pictures/*.bmp, drawn by tools/draw_pictures.py); the Win32 host embeds them and
// the tests read them from the source tree, both through a PictureLoader.
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "controls/paint/picture.h"

namespace controls {

// Which set of pictures: full colour (XPF, XPFAbout) or the 256-colour one (MorvXPF,
// XPFAbout256).
enum class FrameSkin { FullColour, Colour256 };

struct FramePictures {
    paint::PicturePtr titleLeft, title, titleRight;
    paint::PicturePtr left, right, bottom, bottomLeft, bottomRight;
    // The caption buttons; the about frames have none.
    paint::PicturePtr closeButton, maximizeButton, minimizeButton;
    // Cb_CLose (1) normal, (2) hot, (3) pressed, at indexes 0 to 2.
    std::array<paint::PicturePtr, 3> closeStates;
};

// A picture by file name ("frame_title.bmp"); nullptr when it cannot be had.
using PictureLoader = std::function<paint::PicturePtr(const std::string& fileName)>;

// Reads the files from a folder.
PictureLoader FolderPictureLoader(std::string folder);

// The file names of a set, in the order of FramePictures' members (caption buttons and their
// states last); the about frames stop before the caption buttons.
std::vector<std::string> FramePictureFiles(FrameSkin skin, bool captionButtons);

// Loads a set. A missing file leaves its member empty: that piece is not drawn and keeps the
// size of the design.
FramePictures LoadFramePictures(FrameSkin skin, bool captionButtons, const PictureLoader& load);

}  // namespace controls
