#include "controls/button/button_picture.h"

#include <cmath>

namespace controls {

void PaintImage(paint::Surface& target, int x, int y, int w, int h, const paint::Picture& picture,
                const ImageFlags& flags) {
    if (w <= 0 || h <= 0) return;
    const paint::Surface src = picture.pixels.View();
    const bool icon = picture.kind == paint::PictureKind::Icon;
    for (int j = 0; j < h; ++j) {
        const int ty = y + j;
        if (ty < 0 || ty >= target.Height()) continue;
        for (int i = 0; i < w; ++i) {
            const int tx = x + i;
            if (tx < 0 || tx >= target.Width()) continue;
            // An icon is first drawn with its own transparency on a block of the mask colour.
            Rgb c = src.Pixel(i, j);
            if (icon && (!src.Contains(i, j) || !picture.Opaque(i, j))) c = flags.mask;
            std::uint8_t* d = target.Row(ty) + tx * 3;
            const int r = paint::Red(c), g = paint::Green(c), b = paint::Blue(c);
            if (flags.useMaskColor && c == flags.mask) continue;
            if (flags.tint >= 0) {
                if (flags.lightSkip && r + g + b > 384) continue;
                paint::Surface::Put(d, static_cast<Rgb>(flags.tint));
            } else if (flags.grey) {
                const double v = std::nearbyint(g * 0.59 + std::nearbyint(r * 0.3) + b * 0.11);
                const int grey = static_cast<int>(v);
                paint::Surface::Put(d, paint::MakeRgb(grey, grey, grey));
            } else if (flags.blend) {
                const Rgb under = paint::Surface::Get(d);
                paint::Surface::Put(d, paint::MakeRgb((2 * r + paint::Red(under)) / 3,
                                                      (2 * g + paint::Green(under)) / 3,
                                                      (2 * b + paint::Blue(under)) / 3));
            } else {
                paint::Surface::Put(d, c);
            }
        }
    }
}

namespace {

class PictureDrawing {
public:
    PictureDrawing(paint::Surface& s, const ButtonFace& f, const Palette& pal)
        : s_(s), f_(f), pal_(pal), x_(f.picture.left), y_(f.picture.top) {}

    void Draw(const paint::Picture& p, int x, int y, ImageFlags flags = {}) {
        flags.mask = pal_.mask;
        flags.useMaskColor = f_.useMaskColor;
        PaintImage(s_, x, y, f_.picture.width, f_.picture.height, p, flags);
    }
    void Tinted(const paint::Picture& p, int x, int y, Rgb tint, bool lightSkip) {
        ImageFlags flags;
        flags.tint = static_cast<long>(tint);
        flags.lightSkip = lightSkip;
        Draw(p, x, y, flags);
    }
    Rgb Shift(Rgb c, int n) const { return ShiftColor(c, n, false, f_.softBevel); }

    // DrawPictureEffect: the SpecialEffect copies, offset by a.
    void Effect(int a, const paint::Picture& p) {
        const int fx = f_.specialEffect;
        if (fx < 1) return;
        Rgb base = pal_.face;
        if (f_.buttonType == 3)
            base = pal_.xpFace;
        else if (a == -1 && f_.colorScheme != 2)
            base = pal_.hotLight;
        Tinted(p, x_ + a + 1, y_ + a + 1, Shift(base, fx == 2 ? 40 : -40), false);
        if (fx <= 2) Tinted(p, x_ + a - 1, y_ + a - 1, Shift(base, fx == 2 ? -40 : 40), false);
    }

    void Up(const paint::Picture& normal, const paint::Picture* over) {
        const int type = f_.buttonType;
        if (f_.hovered && type == 9) {
            Effect(-1, normal);
            Tinted(normal, x_ + 1, y_ + 1, pal_.shadow, false);
            Draw(normal, x_ - 1, y_ - 1);
        } else if (f_.hovered && over) {
            Effect(0, *over);
            Draw(*over, x_, y_);
        } else if (f_.hovered) {
            Effect(0, normal);
            Draw(normal, x_, y_);
        } else {
            Effect(0, normal);
            ImageFlags flags;
            flags.grey = f_.useGreyscale;
            flags.blend = type == 9;
            Draw(normal, x_, y_, flags);
        }
    }

    void Down(const paint::Picture& normal, const paint::Picture* over) {
        const int type = f_.buttonType;
        if (over && type != 9) {
            const int d = type == 5 ? 0 : 1;
            Draw(*over, x_ + d, y_ + d);
        } else if (type != 5 && type != 9) {
            Effect(1, normal);
            Draw(normal, x_ + 1, y_ + 1);
        } else {
            Effect(0, normal);
            Draw(normal, x_, y_);
        }
    }

    void Disabled(const paint::Picture& normal) {
        const int type = f_.buttonType;
        if (type == 3) {
            ImageFlags flags;
            flags.grey = true;
            Draw(normal, x_ + 1, y_ + 1, flags);
        } else if (type == 5 || type == 6 || type == 9) {
            Tinted(normal, x_, y_, type == 9 ? Shift(pal_.shadow, 13) : pal_.shadow, true);
        } else {
            // An engraved silhouette: light one pixel right and down, shadow on top.
            Tinted(normal, x_ + 1, y_ + 1, pal_.highlight, true);
            Tinted(normal, x_, y_, pal_.shadow, true);
        }
    }

private:
    paint::Surface& s_;
    const ButtonFace& f_;
    const Palette& pal_;
    int x_, y_;
};

}  // namespace

bool DrawPicture(paint::Surface& s, const ButtonFace& f, const Palette& pal, int pictureState) {
    if (!f.pictureNormal) return false;  // PictureOver alone is never shown
    PictureDrawing drawing(s, f, pal);
    switch (pictureState) {
    case 0: drawing.Up(*f.pictureNormal, f.pictureOver); break;
    case 1: drawing.Down(*f.pictureNormal, f.pictureOver); break;
    default: drawing.Disabled(*f.pictureNormal); break;
    }
    return true;
}

}  // namespace controls
