#pragma once
// The stored settings every XP-style push button of the program's windows starts from.
#include "controls/paint/picture.h"
#include "controls/property_bag.h"

namespace controls {

// The stored settings every XP-style push button of the program's windows shares (ButtonType 3,
// white faces, black captions that turn blue under the mouse, grey 192 as the pictures' mask),
// with this caption, font and colour scheme. pictureAbove: the design places a picture above
// the caption (the picture itself may be missing).
PropertyBag XPButtonBag(const char* caption, const char* font, int colorScheme, bool pictureAbove,
                        paint::PicturePtr picture);

}  // namespace controls
