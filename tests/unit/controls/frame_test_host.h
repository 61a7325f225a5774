#pragma once
// The frame's host and form in the tests: a StandaloneFrameHost with switchable twips per pixel,
// the fixed-metrics text, and a record of what the frame asked of its window and form.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "controls/frame/frame_host.h"
#include "controls/frame/frame_pictures.h"
#include "fixed_text.h"

namespace testing_support {

// The committed pictures, read from the source tree.
inline controls::PictureLoader PictureFolder() {
    return controls::FolderPictureLoader(DRAVIK_PICTURES_DIR);
}

struct Resized {
    float width, height;
    bool operator==(const Resized&) const = default;
};

class TestForm : public controls::FrameForm {
public:
    std::string Caption() const override { return caption; }
    float Left() const override { return left; }
    void SetLeft(float v) override { left = v; }
    float Top() const override { return top; }
    void SetTop(float v) override { top = v; }
    float Width() const override { return width; }
    void SetWidth(float v) override { width = v; }
    float Height() const override { return height; }
    void SetHeight(float v) override { height = v; }
    int BorderStyle() const override { return borderStyle; }
    std::uint32_t WindowStyle() const override { return style; }
    void SetWindowStyle(std::uint32_t s) override { style = s; }
    void SetWindowPos(int x, int y, int cx, int cy) override {
        positions.push_back({x, y, x + cx, y + cy});
    }
    void SetWindowShape(const paint::RegionData& r) override { shape = r; ++shapes; }
    void Hide() override { visible = false; }

    std::string caption = "Dravik";
    float left = 0, top = 0, width = 0, height = 0;
    int borderStyle = 2;
    std::uint32_t style = 0;
    std::vector<paint::Rect> positions;  // as (x, y, x + cx, y + cy)
    paint::RegionData shape;
    int shapes = 0;
    bool visible = true;
};

class FrameTestHost : public controls::StandaloneFrameHost {
public:
    float TwipsPerPixelX() const override { return tppX; }
    float TwipsPerPixelY() const override { return tppY; }
    float ScreenWidthTwips() const override { return screenW; }
    float ScreenHeightTwips() const override { return screenH; }
    void ControlResized(float w, float h) override { resized.push_back({w, h}); }
    void SetContainerShape(const paint::RegionData& region) override {
        StandaloneFrameHost::SetContainerShape(region);
        ++shapes;
    }
    controls::FrameForm* ParentForm() override { return form; }
    void ProcessPendingMessages() override { ++pumps; }
    paint::TextRenderer* Text() override { return &text; }
    void PaintBeneath(paint::Surface& s) override {
        if (beneath)
            beneath(s);
        else
            StandaloneFrameHost::PaintBeneath(s);
    }
    paint::Rgb Px(int x, int y) const { return SurfacePixels().Pixel(x, y); }

    // What the container shows beneath the frame; none: the stand-in's default background.
    std::function<void(paint::Surface&)> beneath;
    float tppX = 15, tppY = 15;
    float screenW = 1024 * 15.0f, screenH = 768 * 15.0f;
    controls::FrameForm* form = nullptr;
    std::vector<Resized> resized;
    int shapes = 0;
    int pumps = 0;
    FixedText text;
};

}  // namespace testing_support
