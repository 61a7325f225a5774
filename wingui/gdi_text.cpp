#include "wingui/gdi_text.h"

#include <cmath>

namespace wingui {
namespace {

RECT ToRect(paint::Rect r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// Layout measures before the first drawing makes a surface, so measuring has a DC of its own,
// compatible with the screen like the surfaces' DCs. One serves every control: under Wine each
// DC holds a kilobyte or more of the process's Unix-side heap for as long as it lives. Only the
// window thread measures.
MemoryDc& MeasureDc() {
    static MemoryDc dc;
    return dc;
}

}  // namespace

HFONT CreateFontFor(const paint::FontInfo& font, int dpi) {
    const int height = -static_cast<int>(std::lround(font.size * dpi / 72.0));
    return CreateFontA(height, 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, font.italic,
                       font.underline, font.strikethrough, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                       font.name.c_str());
}

HFONT GdiText::FontFor(const paint::FontInfo& font) {
    for (const auto& [info, handle] : fonts_)
        if (info == font) return handle.Get();
    fonts_.emplace_back(font, platform::win32::ScopedFont(CreateFontFor(font, dpi_)));
    return fonts_.back().second.Get();
}

paint::Rect GdiText::Measure(std::string_view text, const paint::FontInfo& font, paint::Rect box) {
    if (!MeasureDc().Ensure()) return {box.left, box.top, box.left, box.top};
    HDC dc = MeasureDc().Get();
    const platform::win32::ScopedSelection select(dc, FontFor(font));
    RECT rc = ToRect(box);
    DrawTextA(dc, text.data(), static_cast<int>(text.size()), &rc, DT_CALCRECT | DT_WORDBREAK);
    return {rc.left, rc.top, rc.right, rc.bottom};
}

void GdiText::Draw(paint::Surface&, std::string_view text, const paint::FontInfo& font,
                   paint::Rect box, paint::Rgb color) {
    if (!dc_) return;
    const platform::win32::ScopedSelection select(dc_, FontFor(font));
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, static_cast<COLORREF>(color));
    RECT rc = ToRect(box);
    DrawTextA(dc_, text.data(), static_cast<int>(text.size()), &rc,
              DT_CENTER | DT_VCENTER | DT_WORDBREAK | (clip_ ? 0u : static_cast<UINT>(DT_NOCLIP)));
    GdiFlush();  // the rasterizer goes on drawing into the same bits
}

}  // namespace wingui
