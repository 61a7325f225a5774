#pragma once
// The button's host in the tests: a StandaloneButtonHost with the fixed-metrics text, a fixed
// system colour table, switchable ambient properties, and a record of the notifications and
// drawings. For input it stands for a window on a screen: the button's window sits at a screen
// position, the cursor is wherever the test puts it, and a log records the timer, capture,
// focus moves and immediate updates in the order the button asks for them.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/button/button_host.h"
#include "controls/button/pell_xp_button.h"
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
    void PropertyChanged(std::string_view key) override {
        changes.emplace_back(key);
        log.push_back("changed " + std::string(key));
    }
    void Invalidate(const controls::PellXPButton& button) override {
        StandaloneButtonHost::Invalidate(button);
        ++drawings;
        if (onDrawn) onDrawn();
    }
    paint::TextRenderer* Text() override { return &text; }
    void SetControlHeight(int h) override { heights.push_back(h); }
    void ProcessPendingMessages() override { ++pumps; }
    std::optional<controls::ParentPixels> ParentClientPixels() override {
        if (!parent) return std::nullopt;
        return controls::ParentPixels{parent->View(), parentLeft, parentTop};
    }
    int ImageCount() const override { return static_cast<int>(images.size()); }
    paint::PicturePtr Image(int index) const override { return images.at(index - 1); }

    std::intptr_t WindowHandle() const override { return hwnd; }
    void StartTimer(int intervalMs) override {
        StandaloneButtonHost::StartTimer(intervalMs);
        log.push_back("timer " + std::to_string(intervalMs));
    }
    void StopTimer() override {
        StandaloneButtonHost::StopTimer();
        log.push_back("timer off");
    }
    controls::Point CursorPos() const override { return cursor; }
    // The topmost window at the point: a window covering the button, the button's window
    // (within its shape, as Windows leaves the outside of a window region to what lies
    // beneath), or else the parent.
    std::intptr_t WindowFromPoint(controls::Point screen) const override {
        const controls::Point c = ScreenToClient(screen);
        const bool inRect = c.x >= 0 && c.y >= 0 && c.x < width && c.y < height;
        if (!inRect) return parentHwnd;
        if (coveringHwnd) return coveringHwnd;
        if (honourShape && !Shape().Contains(c.x, c.y)) return parentHwnd;
        return hwnd;
    }
    controls::Point ScreenToClient(controls::Point screen) const override {
        return {screen.x - origin.x, screen.y - origin.y};
    }
    void CaptureMouse() override { log.push_back("capture"); }
    void MoveFocus(bool forward) override { log.push_back(forward ? "focus next" : "focus previous"); }
    void UpdateNow() override { log.push_back("update"); }

    // Puts the cursor at a point of the button's client area.
    void MoveCursorTo(int x, int y) { cursor = {origin.x + x, origin.y + y}; }

    const controls::SystemColors& Sys() const { return sys_; }
    controls::SystemColors& Sys() { return sys_; }  // a theme change
    paint::Rgb Px(int x, int y) const { return SurfacePixels().Pixel(x, y); }

    bool userMode = true;
    bool isDefault = false;
    std::string displayName = "PellXPButton1";
    paint::Rgb parentBack = paint::MakeRgb(10, 20, 30);
    paint::Rgb parentText = paint::MakeRgb(200, 100, 50);
    std::optional<paint::PixelBuffer> parent;
    int parentLeft = 0, parentTop = 0;
    std::vector<paint::PicturePtr> images;

    // The screen around the button's window.
    std::intptr_t hwnd = 0x1010;
    std::intptr_t parentHwnd = 0x2020;
    std::intptr_t coveringHwnd = 0;  // nonzero: a window lies over the whole button
    bool honourShape = true;         // false: a host whose windows are rectangles
    controls::Point origin{300, 200};  // the client area's top left on the screen
    int width = 100, height = 30;      // the window's size
    controls::Point cursor{0, 0};
    std::function<void()> onDrawn;
    std::vector<std::string> log;

    FixedText text;
    std::vector<std::string> changes;
    std::vector<int> heights;
    int drawings = 0;
    int pumps = 0;
};

}  // namespace testing_support
