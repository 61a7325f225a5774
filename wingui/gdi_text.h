#pragma once
// Caption text for the skinned controls, drawn and measured by GDI (DrawTextA) in the memory DC
// of the control's drawing surface.
#include <windows.h>

#include <utility>
#include <vector>
#include <string>

#include "wingui/dib_surface.h"
#include "platform/win32/scoped.h"
#include "controls/paint/text.h"

namespace wingui {

// A GDI font for a FontInfo, at the screen's dots per inch.
HFONT CreateFontFor(const paint::FontInfo& font, int dpi);

class GdiText : public paint::TextRenderer {
public:
    explicit GdiText(int dpi) : dpi_(dpi) {}
    // Fonts from here on at this many dots per inch; those made before go.
    void SetDpi(int dpi) {
        if (dpi == dpi_) return;
        dpi_ = dpi;
        fonts_.clear();
    }
    // Whether a drawing is cut at its box (DrawText's default) or not (DT_NOCLIP). The box comes
    // from the text's measure, which is its advance; the glyphs' ink can reach past that: Wine's
    // stand-in for MS Sans Serif draws a last "g" four pixels beyond it, which a cut box loses.
    void SetClipToBox(bool clip) { clip_ = clip; }
    // The DC that backs the surfaces this renderer draws on.
    void SetDc(HDC dc) { dc_ = dc; }

    paint::Rect Measure(std::string_view text, const paint::FontInfo& font, paint::Rect box) override;
    void Draw(paint::Surface& target, std::string_view text, const paint::FontInfo& font,
              paint::Rect box, paint::Rgb color) override;

private:
    HFONT FontFor(const paint::FontInfo& font);

    int dpi_;
    bool clip_ = true;
    HDC dc_ = nullptr;
    // The few fonts the controls use, made once each.
    std::vector<std::pair<paint::FontInfo, platform::win32::ScopedFont>> fonts_;
};

}  // namespace wingui
