#pragma once
// A text renderer with fixed metrics for the tests: every character cell is 6 x 10 pixels and a
// glyph is a solid block filling its cell (a blank draws nothing). Words wrap at blanks as
// DrawText's word break does; "&" marks the next character, "&&" is one ampersand. Every call is
// recorded so tests can check which colours went where.
#include <string>
#include <vector>

#include "controls/paint/text.h"

namespace testing_support {

constexpr int kCharW = 6;
constexpr int kCharH = 10;

struct TextCall {
    std::string text;
    paint::FontInfo font;
    paint::Rect box;
    paint::Rgb color;
};

class FixedText : public paint::TextRenderer {
public:
    paint::Rect Measure(std::string_view text, const paint::FontInfo& font, paint::Rect box) override;
    void Draw(paint::Surface& target, std::string_view text, const paint::FontInfo& font,
              paint::Rect box, paint::Rgb color) override;

    // The displayed lines of text wrapped at width pixels.
    static std::vector<std::string> Lines(std::string_view text, int width);

    std::vector<TextCall> draws;
    int measures = 0;
};

}  // namespace testing_support
