#pragma once
// The window of one small skinned button: its caption is the window text, its skin cells are
// drawn on the window's surface, its mouse, key, focus and timer messages go to the button.
#include <string>

#include "app/win32/surface_window.h"
#include "controls/button/cmd_button_host.h"
#include "controls/button/xpcmdbutton.h"
#include "controls/property_bag.h"

namespace app::win32 {

class CmdButtonWindow : public SurfaceWindow, public controls::CmdButtonHost {
public:
    static constexpr const char* kClassName = "DravikCmdButton";

    CmdButtonWindow(controls::xpcmdbutton& button, std::string name, int dpi);
    ~CmdButtonWindow() override;

    // Creates the child window and loads the button in its lifecycle's order, so that it is
    // never drawn with its constructor's defaults: the window is made hidden, the button gets
    // its skin and host, reads its stored design (ReadProperties), is sized (Resize) and, when
    // visible, shown (Show).
    bool Create(HWND parent, int id, int x, int y, int width, int height, paint::PicturePtr skin,
                const controls::PropertyBag& design);

    // --- CmdButtonHost ---
    std::string DisplayName() const override { return name_; }
    paint::FontInfo AmbientFont() const override { return {}; }
    void SetWindowFont(const paint::FontInfo&) override {}
    void SetWindowEnabled(bool enabled) override;
    void PropertyChanged(std::string_view key) override;
    void SetTimer(bool enabled, int intervalMs) override;
    controls::CursorPoint CursorInClient() const override;
    // A button that does not show (hidden, or on a window not shown yet) draws nothing and
    // makes no surface; its next WM_PAINT draws it. So the small buttons cost nothing while
    // the other appearance is in use, and a shown one draws once, not once per change.
    paint::Surface DrawingSurface(int width, int height) override;
    void SurfaceDrawn() override { Invalidate(); }
    paint::TextRenderer* Text() override { return &text_; }

private:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDestroying() override { SetTimer(false, 0); }

    controls::xpcmdbutton& button_;
    std::string name_;
    bool timerOn_ = false;
    int pressedButtons_ = 0;  // pressed inside and not yet released
    bool clickArmed_ = false;  // a left press (not a double click's second) awaits its release
    bool loaded_ = false;      // the design is read; sizes reach the button from here on
};

}  // namespace app::win32
