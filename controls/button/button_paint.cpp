#include "controls/button/button_paint.h"

#include <cmath>

#include "controls/button/button_picture.h"
#include "controls/paint/raster.h"

namespace controls {

using paint::MakeRgb;

DrawState GetDrawState(const ButtonFace& f, int state) {
    DrawState d;
    d.look = !f.enabled ? Look::Disabled : state == 2 ? Look::Down : Look::Up;
    d.hovered = f.hovered;
    d.focusFrame = f.focused && f.showFocusRect;
    d.defaultLook = f.showFocusRect && f.hostDefault;
    d.boldCaption = f.buttonType == 14 && f.hostDefault && d.look == Look::Up;
    d.captionFrame = d.focusFrame;
    d.pictureState = d.look == Look::Disabled ? 2 : d.look == Look::Down ? 1 : 0;
    return d;
}

namespace {

// The drawing operations of the recipes, in their notation.
class Painter {
public:
    Painter(paint::Surface& s, const ButtonFace& f, const DrawState& d, int state, int lastMode)
        : s(s), f(f), d(d), pal(f.palette), W(f.width), H(f.height), state_(state),
          lastMode_(lastMode) {}

    paint::Surface& s;
    const ButtonFace& f;
    const DrawState& d;
    Palette pal;  // a copy: ButtonType 4 swaps XPFaceColor while drawing
    const int W, H;

    int LastCaptionMode() const { return lastMode_; }

    Rgb Shift(Rgb c, int n) const { return ShiftColor(c, n, false, f.softBevel); }
    Rgb ShiftB(Rgb c, int n) const { return ShiftColor(c, n, true, f.softBevel); }
    int M() const { return d.hovered ? 1 : 0; }

    void Fill(int x, int y, int w, int h, Rgb c) { paint::FillRect(s, paint::XYWH(x, y, w, h), c); }
    void Frame(int x, int y, int w, int h, Rgb c) {
        paint::FrameRect(s, paint::XYWH(x, y, w, h), c);
    }
    void Line(int x1, int y1, int x2, int y2, Rgb c) { paint::DrawLine(s, x1, y1, x2, y2, c); }
    void Pixel(int x, int y, Rgb c) { s.SetPixel(x, y, c); }
    void Bevel(Rgb c1, Rgb c2, Rgb c3, Rgb c4, int k, bool outerOnly) {
        paint::DrawBevel(s, W, H, c1, c2, c3, c4, k, outerOnly);
    }
    void Ellipse(Rgb pen, Rgb fill) { paint::DrawEllipse(s, {0, 0, W, H}, pen, fill, 2); }
    void Focus() {
        if (d.focusFrame) paint::DrawFocusFrame(s, f.focusRect);
    }
    // The pixels diagonally inside the four corners.
    void CornerPixels(Rgb c) {
        Pixel(1, 1, c), Pixel(1, H - 2, c), Pixel(W - 2, 1, c), Pixel(W - 2, H - 2, c);
    }
    // Row i of a gradient: round(-s x i) in single precision, halves to even.
    static int GradientShift(float s, int i) {
        return static_cast<int>(std::nearbyint(-s * static_cast<float>(i)));
    }

    void BoldCaption(int m) {
        bold_ = true;
        Caption(m);
        bold_ = false;
    }

    // DrawCaption.
    void Caption(int m) {
        lastMode_ = m;
        const CaptionLayout& l = bold_ ? f.boldLayout : f.layout;
        const Rect& cr = l.captionRect;
        const Rect& pr = l.pressedCaptionRect;
        switch (m) {
        case 0: Effect(cr), Text(cr, pal.text); break;
        case 1: Effect(cr), Text(cr, pal.textOver); break;
        case 2: Effect(pr), Text(pr, f.buttonType == 4 ? pal.light : pal.textOver); break;
        case 3: Text(pr, pal.highlight), Text(cr, pal.shadow); break;
        case 4: Text(cr, pal.shadow); break;
        case 5: Text(cr, ShiftB(pal.xpFace, -104)); break;
        case 6: Text(pr, pal.highlight), Text(cr, pal.face); break;
        case 7: Text(pr, Shift(pal.shadow, -50)), Text(cr, pal.highlight); break;
        default: break;
        }
    }

    void Text(const Rect& r, Rgb c) {
        if (!f.text) return;
        if (bold_) {
            paint::FontInfo bold = f.font;
            bold.bold = true;
            f.text->Draw(s, f.caption, bold, r, c);
        } else {
            f.text->Draw(s, f.caption, f.font, r, c);
        }
    }

private:
    // DrawCaptionEffect.
    void Effect(const Rect& r) {
        const int fx = f.specialEffect;
        if (fx <= 0) return;
        const int type = f.buttonType;
        Rgb base = pal.face;
        if (type == 3 || type == 4 || type == 14)
            base = pal.xpFace;
        else if (type == 9 && state_ == 0 && d.hovered && f.colorScheme != 2)
            base = pal.hotLight;
        Text(r.Offset(1, 1), Shift(base, fx == 2 ? 40 : -40));
        if (fx < 3) Text(r.Offset(-1, -1), Shift(base, fx == 2 ? -40 : 40));
    }

    int state_;
    int lastMode_;
    bool bold_ = false;
};

using Recipe = void (*)(Painter&, Look);

void PaintType1(Painter& p, Look look) {
    const Palette& c = p.pal;
    switch (look) {
    case Look::Up: p.Caption(p.M()), p.Bevel(c.highlight, c.shadow, c.highlight, c.shadow, -1, false); break;
    case Look::Down: p.Caption(2), p.Bevel(c.shadow, c.highlight, c.shadow, c.highlight, -1, false); break;
    case Look::Disabled: p.Caption(3), p.Bevel(c.highlight, c.shadow, c.highlight, c.shadow, -1, false); break;
    }
    p.Frame(0, 0, p.W, p.H, c.darkShadow);
    if (look != Look::Disabled) p.Focus();
}

void PaintType2(Painter& p, Look look) {
    const Palette& c = p.pal;
    const int W = p.W, H = p.H;
    switch (look) {
    case Look::Up:
        p.Caption(p.M());
        if (p.d.defaultLook) {
            p.Bevel(c.highlight, c.darkShadow, c.light, c.shadow, -1, false);
            p.Focus();
            p.Frame(0, 0, W, H, c.darkShadow);
        } else {
            p.Bevel(c.highlight, c.darkShadow, c.light, c.shadow, 0, false);
        }
        break;
    case Look::Down:
        p.Caption(2);
        if (p.d.defaultLook) {
            p.Frame(0, 0, W, H, c.darkShadow);
            p.Frame(1, 1, W - 2, H - 2, c.shadow);
            p.Focus();
        } else {
            p.Bevel(c.darkShadow, c.highlight, c.shadow, c.light, 0, false);
        }
        break;
    case Look::Disabled:
        p.Caption(3);
        p.Bevel(c.highlight, c.darkShadow, c.light, c.shadow, 0, false);
        break;
    }
}

void PaintType3(Painter& p, Look look) {
    const Palette& c = p.pal;
    const int W = p.W, H = p.H;
    const Rgb XF = c.xpFace;
    const Rgb frame = MakeRgb(0, 60, 115), corner = MakeRgb(16, 77, 123);
    const float s = 25.0f / static_cast<float>(H);
    if (look == Look::Disabled) {
        p.Fill(0, 0, W, H, p.ShiftB(XF, -24));
        p.Caption(5);
        p.Frame(0, 0, W, H, p.ShiftB(XF, -84));
        p.CornerPixels(p.ShiftB(XF, -72));
        return;
    }
    if (look == Look::Down) {
        const Rgb B = p.ShiftB(XF, -32);
        for (int i = 1; i <= H; ++i)
            p.Line(0, H - i, W, H - i, p.ShiftB(B, Painter::GradientShift(s, i)));
        p.Caption(2);
        p.Frame(0, 0, W, H, frame);
        p.CornerPixels(corner);
        p.Line(2, H - 2, W - 2, H - 2, p.ShiftB(B, 16));
        p.Line(1, H - 3, W - 2, H - 3, p.ShiftB(B, 10));
        p.Line(W - 2, 2, W - 2, H - 2, p.ShiftB(B, 5));
        p.Line(W - 3, 3, W - 3, H - 3, XF);
        p.Line(2, 1, W - 2, 1, p.ShiftB(B, -32));
        p.Line(1, 2, W - 2, 2, p.ShiftB(B, -24));
        p.Line(1, 2, 1, H - 2, p.ShiftB(B, -32));
        p.Line(2, 2, 2, H - 2, p.ShiftB(B, -22));
        return;
    }
    for (int i = 1; i <= H; ++i) p.Line(0, i, W, i, p.ShiftB(XF, Painter::GradientShift(s, i)));
    p.Caption(p.M());
    p.Frame(0, 0, W, H, frame);
    p.CornerPixels(corner);
    if (p.d.hovered) {
        p.Frame(1, 2, W - 2, H - 4, MakeRgb(255, 178, 49));
        p.Line(2, H - 2, W - 2, H - 2, MakeRgb(231, 150, 0));
        p.Line(2, 1, W - 2, 1, MakeRgb(255, 243, 206));
        p.Line(1, 2, W - 1, 2, MakeRgb(255, 219, 140));
        p.Line(2, 3, 2, H - 3, MakeRgb(255, 203, 107));
        p.Line(W - 3, 3, W - 3, H - 3, MakeRgb(255, 203, 107));
    } else if (p.f.showFocusRect && (p.f.focused || p.d.defaultLook)) {
        p.Frame(1, 2, W - 2, H - 4, MakeRgb(140, 174, 231));
        p.Line(2, H - 2, W - 2, H - 2, MakeRgb(107, 130, 239));
        p.Line(2, 1, W - 2, 1, MakeRgb(206, 231, 255));
        p.Line(1, 2, W - 1, 2, MakeRgb(189, 215, 247));
        p.Line(2, 3, 2, H - 3, MakeRgb(181, 209, 240));
        p.Line(W - 3, 3, W - 3, H - 3, MakeRgb(181, 209, 240));
    } else {
        p.Line(2, H - 2, W - 2, H - 2, p.ShiftB(XF, -48));
        p.Line(1, H - 3, W - 2, H - 3, p.ShiftB(XF, -32));
        p.Line(W - 2, 2, W - 2, H - 2, p.ShiftB(XF, -36));
        p.Line(W - 3, 3, W - 3, H - 3, p.ShiftB(XF, -24));
        p.Line(2, 1, W - 2, 1, p.ShiftB(XF, 16));
        p.Line(1, 2, W - 2, 2, p.ShiftB(XF, 10));
        p.Line(1, 2, 1, H - 2, p.ShiftB(XF, -5));
        p.Line(2, 3, 2, H - 3, p.ShiftB(XF, -10));
    }
}

void PaintType4(Painter& p, Look look) {
    Palette& c = p.pal;
    const int W = p.W, H = p.H;
    if (look == Look::Down) {
        const Rgb D = p.Shift(c.shadow, -16);
        p.Fill(1, 1, W - 2, H - 2, D);
        c.xpFace = D;  // the relief of the pressed caption is based on the pressed face
        p.Caption(2);
        c.xpFace = p.Shift(c.face, 48);
        p.Frame(0, 0, W, H, c.darkShadow);
        p.Frame(1, 1, W - 2, H - 2, p.Shift(c.shadow, -64));
        p.Frame(2, 2, W - 4, H - 4, p.Shift(c.shadow, -32));
        p.Pixel(2, 2, p.Shift(c.shadow, -64));
        p.Pixel(3, 3, p.Shift(c.shadow, -32));
        p.CornerPixels(c.darkShadow);
        p.Line(W - 3, 1, W - 3, H - 3, c.shadow);
        p.Line(1, H - 3, W - 2, H - 3, c.shadow);
        p.Pixel(W - 4, H - 4, c.shadow);
        p.Line(W - 2, 3, W - 2, H - 2, p.Shift(c.shadow, -16));
        p.Line(3, H - 2, W - 2, H - 2, p.Shift(c.shadow, -16));
        p.Line(W - 2, H - 3, W - 4, H - 1, p.Shift(c.shadow, -32));
        p.Pixel(2, H - 2, p.Shift(c.shadow, -32));
        p.Pixel(W - 2, 2, p.Shift(c.shadow, -32));
        return;
    }
    p.Fill(1, 1, W - 2, H - 2, c.light);
    p.Caption(look == Look::Disabled ? 3 : p.M());
    // The rounded frame.
    p.Frame(0, 0, W, H, c.darkShadow);
    p.CornerPixels(c.darkShadow);
    p.Line(1, 2, 2, 0, c.face);
    p.Line(3, 2, W - 3, 2, c.highlight);
    p.Line(2, 2, 2, H - 3, c.highlight);
    p.Pixel(3, 3, c.highlight);
    p.Line(W - 3, 1, W - 3, H - 3, c.face);
    p.Line(1, H - 3, W - 3, H - 3, c.face);
    p.Pixel(W - 4, H - 4, c.face);
    p.Line(W - 2, 2, W - 2, H - 2, c.shadow);
    p.Line(2, H - 2, W - 2, H - 2, c.shadow);
    p.Pixel(W - 3, H - 3, c.shadow);
}

void Type5CaptionFrame(Painter& p) {
    if (!p.d.captionFrame) return;
    const CaptionLayout& l = p.f.layout;
    p.Frame(l.captionRect.left - 2, l.captionRect.top - 1, l.textWidth + 4, l.textHeight + 2,
            MakeRgb(153, 153, 204));
}

void PaintType5(Painter& p, Look look) {
    const Palette& c = p.pal;
    const int W = p.W, H = p.H;
    switch (look) {
    case Look::Up:
        p.Fill(1, 1, W - 1, H - 1, p.Shift(c.face, 12));
        p.Caption(p.M());
        p.Frame(1, 1, W - 1, H - 1, c.highlight);
        p.Frame(0, 0, W - 1, H - 1, p.Shift(c.shadow, -26));
        p.Pixel(1, H - 2, p.Shift(c.shadow, 26));
        p.Pixel(W - 2, 1, p.Shift(c.shadow, 26));
        Type5CaptionFrame(p);
        break;
    case Look::Down:
        p.Fill(1, 1, W - 2, H - 2, p.Shift(c.shadow, 16));
        p.Frame(0, 0, W - 1, H - 1, p.Shift(c.shadow, -26));
        p.Line(W - 1, 1, W - 1, H, c.highlight);
        p.Line(1, H - 1, W - 1, H - 1, c.highlight);
        // Not a caption mode: no relief, not moved, and LastCaptionMode stays.
        p.Text(p.f.layout.captionRect, c.textOver);
        Type5CaptionFrame(p);
        break;
    case Look::Disabled:
        p.Caption(4);
        p.Frame(0, 0, W, H, c.shadow);
        break;
    }
}

void PaintType6(Painter& p, Look look) {
    const Palette& c = p.pal;
    const Rgb A = p.Shift(c.light, 8);
    switch (look) {
    case Look::Up: p.Caption(p.M()), p.Bevel(A, c.shadow, A, c.shadow, 0, false), p.Focus(); break;
    case Look::Down: p.Caption(2), p.Bevel(c.shadow, A, c.shadow, A, 0, false), p.Focus(); break;
    case Look::Disabled: p.Caption(4), p.Bevel(A, c.shadow, A, c.shadow, 0, false); break;
    }
}

void PaintType7(Painter& p, Look look) {
    const Palette& c = p.pal;
    switch (look) {
    case Look::Up: p.Caption(p.M()), p.Bevel(c.highlight, c.shadow, 0, 0, 0, true), p.Focus(); break;
    case Look::Down: p.Caption(2), p.Bevel(c.shadow, c.highlight, 0, 0, 0, true), p.Focus(); break;
    case Look::Disabled: p.Caption(3), p.Bevel(c.highlight, c.shadow, 0, 0, 0, true); break;
    }
}

void PaintType8(Painter& p, Look look) {
    const Palette& c = p.pal;
    switch (look) {
    case Look::Up:
        p.Caption(p.M());
        if (p.d.hovered) p.Bevel(c.highlight, c.shadow, 0, 0, 0, true);
        p.Focus();
        break;
    case Look::Down: PaintType7(p, look); break;
    case Look::Disabled: p.Caption(3); break;
    }
}

void PaintType9(Painter& p, Look look) {
    const Palette& c = p.pal;
    const int W = p.W, H = p.H;
    switch (look) {
    case Look::Up:
        if (p.d.hovered) p.Fill(1, 1, W, H, c.hotLight);
        p.Caption(p.M());
        if (p.d.hovered) p.Frame(0, 0, W, H, c.hot);
        p.Focus();
        break;
    case Look::Down:
        if (p.d.hovered)
            p.Fill(0, 0, W, H,
                   p.f.colorScheme == 2 ? p.Shift(c.hotLight, -32) : LightenColor(c.hot, 128));
        p.Caption(2);
        p.Frame(0, 0, W, H, c.hot);
        p.Focus();
        break;
    case Look::Disabled: p.Caption(4); break;
    }
}

void PaintType10(Painter&, Look) {}

void PaintType11(Painter& p, Look look) {
    if (p.f.background) paint::CopyPixels(p.s, 0, 0, *p.f.background, 0, 0, p.W, p.H);
    switch (look) {
    case Look::Up: p.Caption(p.M()), p.Focus(); break;
    case Look::Down: p.Caption(2), p.Focus(); break;
    case Look::Disabled: p.Caption(3); break;
    }
}

void PaintType12(Painter& p, Look look) {
    const Palette& c = p.pal;
    switch (look) {
    case Look::Up:
        p.Caption(p.M());
        if (p.d.hovered) p.Bevel(c.highlight, c.darkShadow, c.light, c.shadow, 0, false);
        p.Focus();
        break;
    case Look::Down:
        p.Caption(2);
        p.Bevel(c.darkShadow, c.highlight, c.shadow, c.light, 0, false);
        p.Focus();
        break;
    case Look::Disabled: p.Caption(3); break;
    }
}

void PaintType13(Painter& p, Look look) {
    const Palette& c = p.pal;
    switch (look) {
    case Look::Up: p.Ellipse(p.d.hovered ? c.shadow : c.face, c.face), p.Caption(p.M()); break;
    case Look::Down: p.Ellipse(c.darkShadow, p.Shift(c.face, -32)), p.Caption(2); break;
    case Look::Disabled: p.Caption(3); break;
    }
}

void PaintType14(Painter& p, Look look) {
    const Palette& c = p.pal;
    const int W = p.W, H = p.H;
    if (look == Look::Down) {
        p.Fill(1, 1, W, H, p.Shift(c.face, -9));
        p.Frame(0, 0, W, H, p.Shift(c.shadow, -48));
        p.Line(2, H - 2, W - 2, H - 2, c.highlight);
        p.Line(W - 2, 2, W - 2, H - 1, c.highlight);
        p.Caption(7);
        p.Focus();
        return;
    }
    if (look == Look::Up && p.d.hovered) {
        p.Fill(0, 0, W, H, c.light);
    } else {
        const float s = 58.0f / static_cast<float>(H);
        for (int i = 1; i <= H; ++i)
            p.Line(0, i, W, i, p.Shift(c.highlight, Painter::GradientShift(s, i)));
    }
    if (look == Look::Disabled)
        p.Caption(6);
    else if (p.d.boldCaption)
        p.BoldCaption(p.M());
    else
        p.Caption(p.M());
    p.Frame(0, 0, W, H, p.Shift(c.shadow, -50));
    p.Frame(1, 1, W - 2, H - 2, p.Shift(c.face, -9));
    p.Fill(2, 2, W - 4, 2, c.highlight);
    p.Fill(2, 4, 2, H - 6, c.highlight);
    if (look == Look::Up) p.Focus();
}

constexpr Recipe kRecipes[] = {
    nullptr,     PaintType1,  PaintType2,  PaintType3,  PaintType4,
    PaintType5,  PaintType6,  PaintType7,  PaintType8,  PaintType9,
    PaintType10, PaintType11, PaintType12, PaintType13, PaintType14,
};

}  // namespace

int PaintButton(paint::Surface& s, const ButtonFace& f, int state, int lastCaptionMode) {
    const DrawState d = GetDrawState(f, state);
    Painter p(s, f, d, state, lastCaptionMode);
    paint::FillRect(s, {0, 0, f.width, f.height}, p.pal.face);
    if (f.buttonType >= 1 && f.buttonType <= 14) kRecipes[f.buttonType](p, d.look);
    if (DrawPicture(s, f, p.pal, d.pictureState) && f.picturePosition == 4)
        p.Caption(p.LastCaptionMode());  // the caption lies over the picture
    return p.LastCaptionMode();
}

}  // namespace controls
