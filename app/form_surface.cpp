#include "app/form_surface.h"

#include <algorithm>

#include "app/control_ids.h"

namespace app {

PixelRect MakerLabelRect(int dpi) {
    for (const TwipsRect& r : DesignLayout())
        if (r.id == ids::kLblMorv) return ToPixels(r, dpi);
    return {};
}

bool OnMakerLabel(const FrmMain& form, int x, int y, int dpi) {
    if (!form.LblMorv.Visible()) return false;
    const PixelRect r = MakerLabelRect(dpi);
    return x >= r.left && y >= r.top && x < r.left + r.width && y < r.top + r.height;
}

void PaintFormSurface(paint::Surface& s, const FrmMain& form, paint::TextRenderer* text,
                      int dpi) {
    s.Clear(form.window.BackColor() & 0xFFFFFF);
    const Label& label = form.LblMorv;
    if (!label.Visible()) return;
    const PixelRect r = MakerLabelRect(dpi);
    const paint::Rgb back = label.BackColor() & 0xFFFFFF;
    for (int y = r.top; y < r.top + r.height; ++y) s.FillSpan(r.left, r.left + r.width, y, back);
    if (!text || label.Caption().empty()) return;
    // Left-aligned from the label's corner, on one line: measured in a box reaching to the
    // surface's right edge, then drawn centred in a box of exactly the measured width.
    const paint::FontInfo font;  // the form's MS Sans Serif 8
    const paint::Rect wide{r.left, r.top, std::max(s.Width(), r.left + r.width), r.top + r.height};
    const paint::Rect measured = text->Measure(label.Caption(), font, wide);
    const paint::Rect box{r.left, r.top, r.left + measured.Width(), r.top + measured.Height()};
    text->Draw(s, label.Caption(), font, box, label.ForeColor() & 0xFFFFFF);
}

}  // namespace app
