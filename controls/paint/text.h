#pragma once
// Text is the one thing the drawing layer cannot rasterise itself: glyphs come from the
// platform's fonts. The Win32 host implements this with DrawTextA on the DIB section that backs
// the surface; tests use fixed metrics of their own.
#include <string>
#include <string_view>

#include "controls/paint/color.h"
#include "controls/paint/geometry.h"
#include "controls/paint/surface.h"

namespace paint {

// A font as the hosting window holds it. Size is in points.
struct FontInfo {
    std::string name = "MS Sans Serif";
    double size = 8.25;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    bool operator==(const FontInfo&) const = default;
};

class TextRenderer {
public:
    virtual ~TextRenderer() = default;

    // DrawText with DT_CALCRECT | DT_WORDBREAK: the text wrapped at word boundaries at the width
    // of box; the result keeps box's left and top, right and bottom moved to fit the text. "&"
    // marks the next character ("&&" is one ampersand), as when drawing.
    virtual Rect Measure(std::string_view text, const FontInfo& font, Rect box) = 0;

    // DrawText with DT_CENTER | DT_VCENTER | DT_WORDBREAK in a transparent background mode: the
    // lines centred in box (DT_VCENTER has no effect on word-wrapped text), the character after
    // a single "&" underlined, "&&" drawn as one ampersand.
    virtual void Draw(Surface& target, std::string_view text, const FontInfo& font, Rect box,
                      Rgb color) = 0;
};

}  // namespace paint
