#pragma once
// The push button's paint routine: one recipe per ButtonType, picked from a table, for the look
// GetDrawState derives; then the picture.
#include "controls/button/button_face.h"
#include "controls/paint/surface.h"

namespace controls {

// Steps 5 to 7 of DrawButton: the face fill, the recipe of the type and the picture, onto s
// (already cleared). lastCaptionMode is the caption mode of the previous caption drawing; the
// result is the mode of the last caption drawn (unchanged when the recipe draws none).
int PaintButton(paint::Surface& s, const ButtonFace& f, int state, int lastCaptionMode);

}  // namespace controls
