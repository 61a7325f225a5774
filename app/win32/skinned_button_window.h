#pragma once
// What the windows of the two skinned buttons share: one way to be made and loaded, one mouse
// tracker that decides press, click and double click, and one hover timer.
#include <windows.h>

#include <functional>
#include <string>

#include "app/win32/surface_window.h"
#include "controls/control_model.h"

namespace app::win32 {

// Sets the window's text when it differs from what it shows. Under Wine every change of a
// window's text is a round trip to the server, and a form sets the same caption several times
// while it loads.
void SetTextIfChanged(HWND hwnd, const std::string& text);

// What the button of a new window reads of its design: all of it (a window made as the form
// loads), or all but the caption and enabled state, which the button keeps as the form set
// them (a window made later, when first shown: it reads the button and changes nothing of it).
enum class DesignRead { Whole, KeepCaptionAndEnabled };

// The mouse buttons of a button's window, turned into the calls a standard window's control
// gets, in its order: MouseDown, MouseUp, Click for a click; MouseDown, MouseUp, Click,
// DblClick, MouseUp for a double click. The window keeps the mouse from a press until every
// button is released, so the release comes back wherever it happens.
class ButtonMouse {
public:
    // The control's side.
    class Control {
    public:
        virtual void MouseDown(int button, float x, float y) = 0;
        virtual void MouseUp(int button, float x, float y) = 0;
        virtual void Click() = 0;
        // The second press of a left double click, in place of its MouseDown; its release
        // gives MouseUp alone, as the double click's one Click came with the first release.
        virtual void DblClick() = 0;

    protected:
        ~Control() = default;
    };

    // Which presses make a click when released inside: every button's (the control keeps the
    // left ones itself), or the left button's only.
    enum class Clicks { AnyButton, LeftButton };

    explicit ButtonMouse(Clicks clicks) : clicks_(clicks) {}

    // WM_xBUTTONDOWN, WM_xBUTTONUP, WM_xBUTTONDBLCLK and WM_CAPTURECHANGED of `hwnd`; false
    // for every other message. A press takes the focus when `takesFocus`. The control hears
    // positions in its 100% pixels: client pixels divided by `scale`.
    bool Handle(HWND hwnd, UINT msg, LPARAM lParam, bool takesFocus, Control& control,
                double scale = 1.0);
    // A mouse button is held down since a press on the control.
    bool Held() const { return pressed_ != 0; }

private:
    Clicks clicks_;
    int pressed_ = 0;  // buttons pressed inside and not yet released (1 left, 2 right, 4 middle)
    int armed_ = 0;    // of those, the presses whose release inside is a click
};

class SkinnedButtonWindow : public SurfaceWindow, protected ButtonMouse::Control {
public:
    // The control's name on the form, which a new button takes as its caption.
    const std::string& Name() const { return name_; }

protected:
    SkinnedButtonWindow(controls::ClickableModel& model, std::string name, int dpi,
                        ButtonMouse::Clicks clicks);

    // Creates the child window and loads the button in its lifecycle's order, so that it is
    // never drawn with its constructor's defaults: the window is made hidden, `load` gives the
    // button its host and stored design, the caption becomes the window text, the button is
    // sized (ResizeButton) and, when visible, shown.
    bool CreateButton(const char* className, HWND parent, int id, int x, int y, int width,
                      int height, const std::function<void()>& load);
    // The button's size, in its 100% pixels.
    virtual void ResizeButton(int width, int height) = 0;
    void LayOutAt(int width, int height) override {
        ResizeButton(UnscaledLength(width), UnscaledLength(height));
    }
    // A tick of the hover timer.
    virtual void TimerTick() = 0;
    // The hover timer on, ticking every intervalMs milliseconds, or off.
    void RunTimer(bool on, int intervalMs);

    // WM_SIZE, the mouse buttons, WM_CAPTURECHANGED and the timer; the rest to SurfaceWindow.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void OnDestroying() override { RunTimer(false, 0); }

private:
    controls::ClickableModel& model_;
    std::string name_;
    ButtonMouse mouse_;
    bool timerOn_ = false;
    bool loaded_ = false;  // the design is read; sizes reach the button from here on
};

}  // namespace app::win32
