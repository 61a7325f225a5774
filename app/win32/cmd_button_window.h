#pragma once
// The window of one small skinned button: its caption is the window text, the button paints its
// skin cell when the window paints, its mouse, key, focus and timer messages go to the button.
#include <string>

#include "app/win32/skinned_button_window.h"
#include "controls/button/cmd_button_host.h"
#include "controls/button/xpcmdbutton.h"
#include "controls/property_bag.h"

namespace app::win32 {

class CmdButtonWindow : public SkinnedButtonWindow, public controls::CmdButtonHost {
public:
    static constexpr const char* kClassName = "DravikCmdButton";

    CmdButtonWindow(controls::xpcmdbutton& button, std::string name, int dpi);
    ~CmdButtonWindow() override;

    // Creates the child window and loads the button (SkinnedButtonWindow::CreateButton); the
    // skin comes before the design, which draws.
    bool Create(HWND parent, int id, int x, int y, int width, int height, paint::PicturePtr skin,
                const controls::PropertyBag& design, DesignRead read = DesignRead::Whole);

    // --- CmdButtonHost ---
    std::string DisplayName() const override { return Name(); }
    paint::FontInfo AmbientFont() const override { return {}; }
    void SetWindowFont(const paint::FontInfo&) override {}
    void SetWindowEnabled(bool enabled) override;
    void PropertyChanged(std::string_view key) override;
    void SetTimer(bool enabled, int intervalMs) override { RunTimer(enabled, intervalMs); }
    controls::CursorPoint CursorInClient() const override;
    // The window paints the new look when it shows, once for however many changes came before:
    // the small buttons cost nothing while the other appearance is in use.
    void Invalidate(const controls::xpcmdbutton&) override { LookChanged(); }
    paint::TextRenderer* Text() override { return ControlText(); }

private:
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool DrawForPaint() override;
    void ResizeButton(int width, int height) override { button_.Resize(width, height); }
    void TimerTick() override { button_.TimerTick(); }
    // --- ButtonMouse::Control ---
    void MouseDown(int which, float x, float y) override;
    void MouseUp(int which, float x, float y) override;
    void Click() override { button_.Click(); }
    void DblClick() override { button_.DblClick(); }

    controls::xpcmdbutton& button_;
};

}  // namespace app::win32
