#pragma once
// The main window's design: where every control sits, in twips from the client area's top-left
// corner (controls/form/twips.h converts them to pixels).
#include <span>

#include "controls/form/twips.h"

namespace app {

using controls::PixelRect;
using controls::ToPixels;
using controls::TwipsRect;
using controls::TwipsToPixels;

inline constexpr int kClientWidthTwips = 7335;
inline constexpr int kClientHeightTwips = 4815;

// Every control's rectangle in design order; the id is from control_ids.h.
std::span<const TwipsRect> DesignLayout();

}  // namespace app
