#pragma once
// Everything one drawing of the push button reads, gathered by the control before it paints, and
// the look it derives from it (the control's "state to look" function).
#include <string_view>

#include "controls/button/button_colors.h"
#include "controls/button/button_layout.h"
#include "controls/paint/picture.h"
#include "controls/paint/surface.h"
#include "controls/paint/text.h"

namespace controls {

struct ButtonFace {
    int width = 0, height = 0;
    int buttonType = 3;
    int colorScheme = 1;
    int specialEffect = 0;
    int picturePosition = 0;
    bool enabled = true;
    bool hovered = false;        // MouseIsOver
    bool focused = false;        // HasFocus
    bool hostDefault = false;    // the host reports this control as the form's default button
    bool showFocusRect = true;
    bool softBevel = false;
    bool useMaskColor = true;
    bool useGreyscale = false;
    Palette palette;
    CaptionLayout layout;
    CaptionLayout boldLayout;  // the layout in the bold font (ButtonType 14 default caption)
    Rect focusRect;
    PictureBox picture;
    std::string_view caption;
    paint::FontInfo font;
    paint::TextRenderer* text = nullptr;
    const paint::Picture* pictureNormal = nullptr;
    const paint::Picture* pictureOver = nullptr;
    const paint::Surface* background = nullptr;  // ButtonType 11's capture
};

enum class Look { Up, Down, Disabled };

struct DrawState {
    Look look = Look::Up;
    bool hovered = false;        // the caption mode m of the recipes is 1
    bool focusFrame = false;     // DrawFocus draws: focused and ShowFocusRect
    bool defaultLook = false;    // ShowFocusRect and the host's default button
    bool boldCaption = false;    // ButtonType 14 up: the host's default button, ShowFocusRect aside
    bool captionFrame = false;   // ButtonType 5's lilac frame: focused and ShowFocusRect
    int pictureState = 0;        // 0 up, 1 down, 2 disabled
};

// state: 0 up, 2 down (after the check-box rule).
DrawState GetDrawState(const ButtonFace& f, int state);

}  // namespace controls
