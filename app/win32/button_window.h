#pragma once
// The window of one XP-style push button: a child window whose text is the caption (so screen
// readers and UI automation read it), that has the button paint its look when it paints and
// feeds its mouse, keyboard, focus and timer messages to the button.
#include <windows.h>

#include <string>

#include "app/win32/skinned_button_window.h"
#include "controls/button/button_host.h"
#include "controls/button/pell_xp_button.h"
#include "controls/property_bag.h"

namespace app::win32 {

class ButtonWindow : public SkinnedButtonWindow, public controls::ButtonHost {
public:
    static constexpr const char* kClassName = "DravikXPButton";

    ButtonWindow(controls::PellXPButton& button, std::string name, int dpi);
    ~ButtonWindow() override;

    // Creates the child window at (x, y, width, height) of the parent and loads the button in
    // its lifecycle's order, so that it is never drawn with its constructor's defaults: the
    // window is made hidden, the button attached, its stored design read (ReadProperties),
    // then it is sized (Resize) and, when visible, shown (Show).
    bool Create(HWND parent, int id, int x, int y, int width, int height,
                const controls::PropertyBag& design, DesignRead read = DesignRead::Whole);

    // --- ButtonHost ---
    bool UserMode() const override { return true; }
    std::string DisplayName() const override { return Name(); }
    bool IsDefaultButton() const override { return false; }
    const controls::SystemColors& SysColors() const override { return sysColors_; }
    paint::Rgb ParentBackColor() const override;
    paint::Rgb ParentTextColor() const override;
    paint::FontInfo Font() const override { return font_; }
    void SetFont(const paint::FontInfo& font) override { font_ = font; }
    std::int16_t MousePointer() const override { return mousePointer_; }
    void SetMousePointer(std::int16_t pointer) override { mousePointer_ = pointer; }
    paint::PicturePtr MouseIcon() const override { return mouseIcon_; }
    void SetMouseIcon(paint::PicturePtr icon) override { mouseIcon_ = std::move(icon); }
    void SetWindowEnabled(bool enabled) override;
    std::intptr_t WindowHandle() const override { return reinterpret_cast<std::intptr_t>(hwnd_); }
    void SetWindowShape(const paint::RegionData& region) override;
    void PropertyChanged(std::string_view key) override;
    // The window paints the new look when it shows, once for however many changes came before.
    void Invalidate(const controls::PellXPButton&) override { LookChanged(); }
    paint::TextRenderer* Text() override { return ControlText(); }
    void SetControlHeight(int heightPixels) override;
    void ProcessPendingMessages() override;
    std::optional<controls::ParentPixels> ParentClientPixels() override;
    int ImageCount() const override { return 0; }
    paint::PicturePtr Image(int) const override { return nullptr; }
    void StartTimer(int intervalMs) override;
    void StopTimer() override;
    controls::Point CursorPos() const override;
    std::intptr_t WindowFromPoint(controls::Point screen) const override;
    controls::Point ScreenToClient(controls::Point screen) const override;
    void CaptureMouse() override;
    void MoveFocus(bool forward) override;
    void UpdateNow() override;

private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool DrawForPaint() override;
    void ResizeButton(int width, int height) override { button_.Resize(width, height); }
    void TimerTick() override { button_.OnTimer(); }
    // --- ButtonMouse::Control ---
    void MouseDown(int which, float x, float y) override;
    void MouseUp(int which, float x, float y) override;
    // A press and release of any button: the button keeps those after a left press.
    void Click() override { button_.OnClick(); }
    // The button presses itself again and takes the mouse for the release.
    void DblClick() override { button_.OnDblClick(); }

    controls::PellXPButton& button_;
    controls::SystemColors sysColors_;
    paint::FontInfo font_;
    std::int16_t mousePointer_ = 0;
    paint::PicturePtr mouseIcon_;
};

}  // namespace app::win32
