// The windows at screen scales of 100%, 150% and 200%: the skin (frame pieces, button faces and
// pictures) is its 100% drawing with every pixel a block, the captions are whole in the fonts
// of the scale, and WM_DPICHANGED re-lays the windows out at the new scale in the rectangle the
// system suggests.
#include "host_fixture.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "app/control_ids.h"
#include "app/layout.h"
#include "app/win32/resource_pictures.h"
#include "app/win32/tray_window.h"
#include "controls/paint/scale.h"
#include "launch/about_design.h"
#include "wingui/dpi.h"

namespace {

namespace ids = app::ids;
namespace about = launch::about;
using controls::FramePiece;
using host_test::Capture;
using host_test::MainWindowHost;
using host_test::Shot;
using paint::Rect;

COLORREF ToColorRef(paint::Rgb c) { return RGB(paint::Red(c), paint::Green(c), paint::Blue(c)); }

bool Dark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128; }
bool Bright(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) > 3 * 200; }

// The rows and columns that hold the dark pixels of `text` drawn black on white in this font at
// this dpi: how tall and wide the whole caption is on the screen (smoothed edges aside, which
// may differ by a pixel with what lies beneath).
struct Ink {
    int rows = 0;
    int columns = 0;
};
Ink InkOf(const std::string& text, const paint::FontInfo& font, int dpi) {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(GetDC(nullptr), 600, 200);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HFONT f = CreateFontA(-static_cast<int>(std::lround(font.size * dpi / 72.0)), 0, 0, 0,
                          font.bold ? FW_BOLD : FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, font.name.c_str());
    HGDIOBJ oldFont = SelectObject(dc, f);
    RECT rc{0, 0, 600, 200};
    FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, 10, 10, text.c_str(), static_cast<int>(text.size()));
    int top = 200, bottom = -1, left = 600, right = -1;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 600; ++x)
            if (Dark(GetPixel(dc, x, y))) {
                top = std::min(top, y), bottom = std::max(bottom, y);
                left = std::min(left, x), right = std::max(right, x);
            }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(f);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return {bottom - top + 1, right - left + 1};
}

// The box round a shot's dark pixels (a caption) at least `margin` pixels inside its edges;
// right and bottom exclusive, empty when there are none.
Rect DarkBounds(const Shot& shot, int margin) {
    Rect r{shot.width, shot.height, 0, 0};
    for (int y = margin; y < shot.height - margin; ++y)
        for (int x = margin; x < shot.width - margin; ++x)
            if (Dark(shot.At(x, y))) {
                r.left = std::min(r.left, x), r.right = std::max(r.right, x + 1);
                r.top = std::min(r.top, y), r.bottom = std::max(r.bottom, y + 1);
            }
    return r;
}

class HighDpi : public MainWindowHost, public ::testing::WithParamInterface<int> {
protected:
    int Dpi() const { return GetParam(); }
    double Scale() const { return paint::ScaleOfDpi(Dpi()); }

    // Every pixel of the piece's place at the scale is the pixel of its picture under it: the
    // picture at the scale, each of its pixels a block.
    void ExpectPictureInBlocks(const Shot& shot, const Rect& at100, const paint::Picture& picture,
                               const char* what) {
        const Rect at = paint::ScaledRect(at100, Scale());
        for (int y = at.top; y < at.bottom; ++y)
            for (int x = at.left; x < at.right; ++x) {
                const int px = paint::UnscaledPixel(x, Scale()) - at100.left;
                const int py = paint::UnscaledPixel(y, Scale()) - at100.top;
                ASSERT_EQ(shot.At(x, y), ToColorRef(picture.pixels.Pixel(px, py)))
                    << what << " at " << x << "," << y << ", " << Dpi() << " dpi";
            }
    }
};

TEST_P(HighDpi, FramePiecesAreTheirPicturesInBlocks) {
    Start(nullptr, Dpi());
    const controls::SkinnedFrame& frame = form->XPF1;
    const Shot shot = Capture(Child(ids::kXPF1));
    ASSERT_FALSE(shot.pixels.empty());
    // The frame covers the client area, which is the design's size at this dpi.
    EXPECT_EQ(shot.width, app::TwipsToPixels(app::kClientWidthTwips, Dpi()));
    EXPECT_EQ(shot.height, app::TwipsToPixels(app::kClientHeightTwips, Dpi()));

    // The pieces nothing lies on (the caption and the close box cover parts of the title's ends).
    const auto pieces = {std::pair{FramePiece::CloseButton, "close_normal.bmp"},
                         {FramePiece::BottomLeft, "frame_bottom_left.bmp"},
                         {FramePiece::BottomRight, "frame_bottom_right.bmp"}};
    for (const auto& [piece, file] : pieces) {
        const auto picture = app::win32::LoadPictureFile(file);
        ASSERT_TRUE(picture) << file;
        ExpectPictureInBlocks(shot, frame.Box(piece).Pixels(), *picture, file);
    }

    // Sizes: the title band, the close box and the borders grow with the scale.
    const auto scaled = [&](FramePiece p) { return paint::ScaledRect(frame.Box(p).Pixels(), Scale()); };
    EXPECT_EQ(scaled(FramePiece::Title).Height(), paint::ScaledEdge(30, Scale()));
    EXPECT_EQ(scaled(FramePiece::CloseButton).Width(), paint::ScaledEdge(21, Scale()) -
                                                           paint::ScaledEdge(0, Scale()));
    EXPECT_EQ(scaled(FramePiece::Left).Width(), paint::ScaledEdge(4, Scale()));
    EXPECT_EQ(scaled(FramePiece::Bottom).Height(), paint::ScaledEdge(4, Scale()));
    EXPECT_EQ(scaled(FramePiece::Right).right, shot.width);
    EXPECT_EQ(scaled(FramePiece::Bottom).bottom, shot.height);
    // The title strip down the band's middle, as tall as the band and no taller.
    const auto strip = app::win32::LoadPictureFile("frame_title.bmp");
    ASSERT_TRUE(strip);
    const int mid = shot.width / 2, band = scaled(FramePiece::Title).bottom;
    for (int y = 0; y < band; ++y)
        ASSERT_EQ(shot.At(mid, y), ToColorRef(strip->pixels.Pixel(0, paint::UnscaledPixel(y, Scale()))))
            << "title row " << y;
    EXPECT_NE(shot.At(mid, band), ToColorRef(strip->pixels.Pixel(0, 29)));
}

TEST_P(HighDpi, TitleCaptionIsWholeInTheFontOfTheScale) {
    Start(nullptr, Dpi());
    const controls::SkinnedFrame& frame = form->XPF1;
    const Shot shot = Capture(Child(ids::kXPF1));
    ASSERT_FALSE(shot.pixels.empty());
    // The white caption's rows: bright pixels over the caption's columns where the title strip
    // itself is not bright.
    const auto strip = app::win32::LoadPictureFile("frame_title.bmp");
    ASSERT_TRUE(strip);
    const Rect band = paint::ScaledRect(frame.Box(FramePiece::Title).Pixels(), Scale());
    const Rect caption = paint::ScaledRect(frame.Box(FramePiece::Caption1).Pixels(), Scale());
    int top = shot.height, bottom = -1;
    for (int y = 0; y < band.bottom; ++y) {
        if (Bright(ToColorRef(strip->pixels.Pixel(0, paint::UnscaledPixel(y, Scale()))))) continue;
        for (int x = caption.left; x < caption.right; ++x)
            if (Bright(shot.At(x, y))) top = std::min(top, y), bottom = std::max(bottom, y);
    }
    ASSERT_GE(bottom, 0) << "no caption";
    EXPECT_NEAR(bottom - top + 1, InkOf(frame.Caption1Text(), frame.CaptionFont(), Dpi()).rows, 1)
        << "the caption is cut";
}

TEST_P(HighDpi, ButtonPictureAndFaceGrowWithTheScale) {
    Start(nullptr, Dpi());
    const controls::PellXPButton& button = form->BtnMovie;
    HWND hwnd = Child(ids::kBtnMovie);
    const Shot shot = Capture(hwnd);
    ASSERT_FALSE(shot.pixels.empty());
    EXPECT_EQ(button.ClientWidth(), paint::UnscaledLength(shot.width, Scale()));
    const controls::PictureBox& box = button.PictureRect();
    ASSERT_EQ(box.width, 32);
    const Rect at100{box.left, box.top, box.left + box.width, box.top + box.height};
    const Rect at = paint::ScaledRect(at100, Scale());
    EXPECT_EQ(at.Width(), paint::ScaledEdge(box.left + 32, Scale()) - paint::ScaledEdge(box.left, Scale()));
    // The picture's own pixels (not those of its mask colour, where the face shows), in blocks.
    const paint::Picture& picture = *button.PictureNormal();
    const COLORREF mask = ToColorRef(static_cast<paint::Rgb>(button.MaskColor()));
    int seen = 0;
    for (int y = at.top; y < at.bottom; ++y)
        for (int x = at.left; x < at.right; ++x) {
            const COLORREF want = ToColorRef(picture.pixels.Pixel(
                paint::UnscaledPixel(x, Scale()) - box.left, paint::UnscaledPixel(y, Scale()) - box.top));
            if (want == mask) continue;
            ++seen;
            ASSERT_EQ(shot.At(x, y), want) << x << "," << y;
        }
    EXPECT_GT(seen, at.Width() * at.Height() / 4);
    // The face's dark outline is a block too: as wide as the scaled 100% pixel.
    const COLORREF outline = shot.At(0, shot.height / 2);
    EXPECT_EQ(shot.At(paint::ScaledEdge(1, Scale()) - 1, shot.height / 2), outline);
    EXPECT_NE(shot.At(paint::ScaledEdge(1, Scale()), shot.height / 2), outline);
    // The window's shape: the corner's cut pixels are blocks as well.
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(hwnd, shape), ERROR);
    EXPECT_FALSE(PtInRegion(shape, paint::ScaledEdge(2, Scale()) - 1, 0));
    EXPECT_TRUE(PtInRegion(shape, paint::ScaledEdge(2, Scale()), 0));
    DeleteObject(shape);
}

INSTANTIATE_TEST_SUITE_P(Scales, HighDpi, ::testing::Values(96, 144, 192),
                         [](const auto& info) { return std::to_string(info.param) + "dpi"; });

// The about window's web-site button shows its whole caption at every scale.
class AboutAtScale : public HighDpi {};

TEST_P(AboutAtScale, WebSiteCaptionIsWhole) {
    Start(nullptr, Dpi());
    form->ShowAbout();
    host_test::Pump();
    HWND aboutWindow = FindWindowA(about::kWindowClass, nullptr);
    ASSERT_NE(aboutWindow, nullptr);
    const controls::PellXPButton& url = form->About()->CmdUrl;
    const Shot shot = Capture(GetDlgItem(aboutWindow, about::kCmdUrl));
    ASSERT_FALSE(shot.pixels.empty());
    // The caption's dark pixels, inside the edges.
    const Rect caption = DarkBounds(shot, paint::ScaledEdge(3, Scale()));
    ASSERT_FALSE(caption.Empty()) << "no caption";
    const Ink ink = InkOf(url.Caption(), url.Font(), Dpi());
    EXPECT_NEAR(caption.Width(), ink.columns, 1) << "the caption is cut at its side";
    EXPECT_NEAR(caption.Height(), ink.rows, 1) << "the caption is cut at its top or bottom";
}

INSTANTIATE_TEST_SUITE_P(Scales, AboutAtScale, ::testing::Values(96, 120, 144, 192),
                         [](const auto& info) { return std::to_string(info.param) + "dpi"; });

// Sends WM_DPICHANGED for 192 dpi with this suggested rectangle; the window must take it.
void ChangeTo192AndExpectRect(HWND hwnd, const RECT& suggested) {
    SendMessageA(hwnd, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    host_test::Pump();
    RECT now;
    GetWindowRect(hwnd, &now);
    EXPECT_EQ(now.left, suggested.left);
    EXPECT_EQ(now.top, suggested.top);
    EXPECT_EQ(now.right, suggested.right);
    EXPECT_EQ(now.bottom, suggested.bottom);
}

// WM_DPICHANGED: the window takes the suggested rectangle and everything in it the new scale.
TEST_F(MainWindowHost, DpiChangeMovesToTheSuggestedRectangleAndScalesTheSkin) {
    Start(nullptr, 96);
    HWND hwnd = window->Handle();
    ChangeTo192AndExpectRect(hwnd, RECT{40, 30, 40 + 978, 30 + 642});

    // The frame covers the new client area, its title band and close box twice their size.
    const Shot frame = Capture(Child(ids::kXPF1));
    ASSERT_EQ(frame.width, 978);
    ASSERT_EQ(frame.height, 642);
    const auto close = app::win32::LoadPictureFile("close_normal.bmp");
    const Rect closeAt = form->XPF1.Box(FramePiece::CloseButton).Pixels();
    for (int y = 0; y < 42; ++y)
        for (int x = 0; x < 42; ++x)
            ASSERT_EQ(frame.At(2 * closeAt.left + x, 2 * closeAt.top + y),
                      ToColorRef(close->pixels.Pixel(x / 2, y / 2)))
                << x << "," << y;
    // Every control at its place at the new dpi, the standard ones in the font of the scale.
    for (const app::TwipsRect& design : app::DesignLayout()) {
        HWND child = Child(design.id);
        if (!child || !IsWindowVisible(child) || design.id == ids::kCmbMovie || design.id == ids::kCmbRes)
            continue;
        RECT rc;
        GetWindowRect(child, &rc);
        MapWindowPoints(nullptr, hwnd, reinterpret_cast<POINT*>(&rc), 2);
        const app::PixelRect want = app::ToPixels(design, 192);
        EXPECT_EQ(rc.left, want.left) << design.id;
        EXPECT_EQ(rc.right - rc.left, want.width) << design.id;
        EXPECT_EQ(rc.bottom - rc.top, want.height) << design.id;
    }
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(Child(ids::kChkTraystart), WM_GETFONT, 0, 0));
    LOGFONTA lf{};
    ASSERT_TRUE(GetObjectA(font, sizeof lf, &lf));
    EXPECT_EQ(lf.lfHeight, -22);  // 8.25 points at 192 dpi
    // The button picture twice its size.
    EXPECT_EQ(form->BtnMovie.ClientWidth(), 201);
    const Shot button = Capture(Child(ids::kBtnMovie));
    EXPECT_EQ(button.width, 402);
}

// The about window likewise, its picture at the size of the scale.
TEST_F(MainWindowHost, AboutWindowFollowsADpiChange) {
    Start(nullptr, 96);
    form->ShowAbout();
    host_test::Pump();
    HWND aboutWindow = FindWindowA(about::kWindowClass, nullptr);
    ASSERT_NE(aboutWindow, nullptr);
    ChangeTo192AndExpectRect(aboutWindow, RECT{100, 50, 100 + 754, 50 + 498});
    for (const about::Place& place : about::Layout()) {
        RECT rc;
        GetWindowRect(GetDlgItem(aboutWindow, place.id), &rc);
        EXPECT_EQ(rc.right - rc.left, std::max(static_cast<int>(std::lround(place.width * 192 / 1440.0)), 1))
            << place.id;
    }
    const HICON picture = reinterpret_cast<HICON>(
        SendMessageA(GetDlgItem(aboutWindow, about::kImage12), STM_GETICON, 0, 0));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(picture, &info));
    BITMAP bm{};
    GetObjectA(info.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 64);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    // The web-site button's caption whole in the new font.
    const controls::PellXPButton& url = form->About()->CmdUrl;
    const Shot shot = Capture(GetDlgItem(aboutWindow, about::kCmdUrl));
    ASSERT_EQ(shot.width, 418);
    EXPECT_NEAR(DarkBounds(shot, 6).Width(), InkOf(url.Caption(), url.Font(), 192).columns, 1);
}

// The about window opens centred on the main screen at that monitor's scale, which need not be
// the main window's: here the main window has moved to a monitor at 200% (WM_DPICHANGED), and
// the screen the about window opens on keeps the prefix's scale.
TEST_F(MainWindowHost, AboutWindowTakesTheScaleOfTheScreenItOpensOn) {
    Start();
    const int screen = wingui::WindowDpi(window->Handle());
    ASSERT_NE(screen, 192) << "the test needs a prefix below 200%";
    ChangeTo192AndExpectRect(window->Handle(), RECT{40, 30, 40 + 978, 30 + 642});
    form->ShowAbout();
    host_test::Pump();
    HWND aboutWindow = FindWindowA(about::kWindowClass, nullptr);
    ASSERT_NE(aboutWindow, nullptr);
    ASSERT_EQ(wingui::WindowDpi(aboutWindow), screen);
    RECT client;
    GetClientRect(aboutWindow, &client);
    EXPECT_EQ(client.right, std::lround(about::kClientWidthTwips * screen / 1440.0));
    EXPECT_EQ(client.bottom, std::lround(about::kClientHeightTwips * screen / 1440.0));
    // Its controls at that scale as well.
    RECT ok;
    GetWindowRect(GetDlgItem(aboutWindow, about::kCmdOk), &ok);
    for (const about::Place& place : about::Layout()) {
        if (place.id == about::kCmdOk)
            EXPECT_EQ(ok.right - ok.left, std::lround(place.width * screen / 1440.0));
    }
}

// The notification area's icon follows the scale: 16 pixels at 100%, 32 at 200%.
TEST_F(MainWindowHost, TrayIconTakesTheSizeOfTheScale) {
    registry.Put("SOFTWARE\\Morv Dravik\\Options", "Start in SysTray", "1");
    Start();
    HWND tray = FindWindowA(app::win32::SysTrayWindow::kClassName, "Sys Tray Interface");
    ASSERT_NE(tray, nullptr);
    const auto shownSize = [&] {
        ICONINFO info{};
        if (shell.Icons().size() != 1) return 0;
        const HICON shown = reinterpret_cast<HICON>(shell.Icons().begin()->second.hIcon);
        if (!GetIconInfo(shown, &info)) return 0;
        BITMAP bm{};
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        return static_cast<int>(bm.bmWidth);
    };
    EXPECT_EQ(shownSize(), GetSystemMetrics(SM_CXSMICON));
    SendMessageA(tray, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(192, 192), 0);
    EXPECT_EQ(shownSize(), 32);
}

}  // namespace
