#include "controls/button/button_layout.h"

#include "controls/paint/raster.h"

namespace controls {

CaptionLayout LayoutCaption(int w, int h, int picturePosition, const PictureBox& picture,
                            std::string_view caption, const paint::FontInfo& font,
                            paint::TextRenderer* text, const CaptionLayout& previous) {
    const int pw = picture.width, ph = picture.height;
    Rect box = previous.captionRect;
    switch (picturePosition) {
    case 0: box = {pw + 1, 1, w - 2, h - 2}; break;
    case 1: box = {1, 1, w - pw - 2, h - 2}; break;
    case 2: box = {1, ph + 1, w - 2, h - 2}; break;
    case 3: box = {1, 1, w - 2, h - ph - 2}; break;
    case 4: box = {1, 1, w - 2, h - 2}; break;
    default: break;
    }
    box = text ? text->Measure(caption, font, box) : Rect{box.left, box.top, box.left, box.top};

    CaptionLayout out;
    out.captionRect = box;
    out.textWidth = box.Width();
    out.textHeight = box.Height();
    int dx = 0, dy = 0;
    switch (picturePosition) {
    case 1:
        dx = (w - box.right - pw - 4) / 2;
        dy = (h - box.bottom) / 2;
        break;
    case 3:
        dx = (w - box.right) / 2;
        dy = (h - box.bottom - ph - 4) / 2;
        break;
    case 0:
    case 2:
    case 4:
        dx = (w - box.right) / 2;
        dy = (h - box.bottom) / 2;
        break;
    default: break;
    }
    out.captionRect = box.Offset(dx, dy);
    out.pressedCaptionRect = out.captionRect.Offset(1, 1);
    return out;
}

namespace {

bool Blank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

}  // namespace

void PlacePicture(int w, int h, int picturePosition, std::string_view caption,
                  const CaptionLayout& layout, PictureBox& picture) {
    const int pw = picture.width, ph = picture.height;
    const Rect& r = layout.captionRect;
    if (Blank(caption) || picturePosition == 4) {
        picture.left = (w - pw) / 2;
        picture.top = (h - ph) / 2;
        return;
    }
    switch (picturePosition) {
    case 0: picture.left = r.left - pw - 4, picture.top = (h - ph) / 2; break;
    case 1: picture.left = r.right + 4, picture.top = (h - ph) / 2; break;
    case 2: picture.left = (w - pw) / 2, picture.top = r.top - ph - 2; break;
    case 3: picture.left = (w - pw) / 2, picture.top = r.bottom + 2; break;
    default: break;
    }
}

void MeasurePicture(const paint::Picture* normal, PictureBox& picture) {
    picture.width = normal ? normal->Width() : 0;
    picture.height = normal ? normal->Height() : 0;
}

Rect FocusRectFor(int buttonType, int w, int h) {
    const Rect client{0, 0, w, h};
    if (buttonType >= 7 && buttonType <= 13) return client.Deflate(3);
    if (buttonType == 14) return client.Deflate(5).Offset(1, 1);
    return client.Deflate(4);
}

paint::RegionData BuildRegion(int buttonType, int w, int h) {
    if (buttonType == 13) {
        const Rect box{0, 0, w, h};
        return paint::RegionFromMask(w, h, [&](int x, int y) { return paint::InEllipse(box, x, y); });
    }
    auto cut = [&](int x, int y) {
        switch (buttonType) {
        case 1:
        case 14:
            return (x == 0 || x == w - 1) && (y == 0 || y == h - 1);
        case 5:
            return (x == w - 1 && y == 0) || (x == 0 && y == h - 1);
        case 3:
        case 4: {
            // Three pixels per corner: the two outermost of the edge row, the outermost of the
            // next row.
            const int cx = x <= 1 ? x : (x >= w - 2 ? w - 1 - x : -1);
            const int cy = y <= 1 ? y : (y >= h - 2 ? h - 1 - y : -1);
            return cx >= 0 && cy >= 0 && cx + cy <= 1;
        }
        default:
            return false;
        }
    };
    return paint::RegionFromMask(w, h, [&](int x, int y) { return !cut(x, y); });
}

}  // namespace controls
