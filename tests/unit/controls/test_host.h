#pragma once
// The button's host in the tests: a StandaloneButtonHost with the fixed-metrics text, a fixed
// system colour table, switchable ambient properties, and a record of the notifications and
// drawings.
#include <optional>
#include <string>
#include <vector>

#include "controls/button/button_host.h"
#include "fixed_text.h"

namespace testing_support {

class TestHost : public controls::StandaloneButtonHost {
public:
    TestHost() : StandaloneButtonHost(paint::FontInfo{"Verdana", 8.25}) {
        // A table unlike any real theme, so a test sees which entry a colour came from.
        for (int i = 0; i < static_cast<int>(sys_.colors.size()); ++i)
            sys_.colors[i] = paint::MakeRgb(i * 8, 100 + i, 200 - i);
    }

    bool UserMode() const override { return userMode; }
    std::string DisplayName() const override { return displayName; }
    bool IsDefaultButton() const override { return isDefault; }
    paint::Rgb ParentBackColor() const override { return parentBack; }
    paint::Rgb ParentTextColor() const override { return parentText; }
    void PropertyChanged(std::string_view key) override { changes.emplace_back(key); }
    void SurfaceDrawn() override { ++drawings; }
    paint::TextRenderer* Text() override { return &text; }
    void SetControlHeight(int h) override { heights.push_back(h); }
    void ProcessPendingMessages() override { ++pumps; }
    std::optional<controls::ParentPixels> ParentClientPixels() override {
        if (!parent) return std::nullopt;
        return controls::ParentPixels{parent->View(), parentLeft, parentTop};
    }
    int ImageCount() const override { return static_cast<int>(images.size()); }
    paint::PicturePtr Image(int index) const override { return images.at(index - 1); }

    const controls::SystemColors& Sys() const { return sys_; }
    paint::Rgb Px(int x, int y) const { return SurfacePixels().Pixel(x, y); }

    bool userMode = true;
    bool isDefault = false;
    std::string displayName = "PellXPButton1";
    paint::Rgb parentBack = paint::MakeRgb(10, 20, 30);
    paint::Rgb parentText = paint::MakeRgb(200, 100, 50);
    std::optional<paint::PixelBuffer> parent;
    int parentLeft = 0, parentTop = 0;
    std::vector<paint::PicturePtr> images;

    FixedText text;
    std::vector<std::string> changes;
    std::vector<int> heights;
    int drawings = 0;
    int pumps = 0;
};

}  // namespace testing_support
