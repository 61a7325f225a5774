#pragma once
// The hidden window a tray component lives in ("Sys Tray Interface", never shown): the shell
// reports the icon's mouse activity to it as the callback message, Explorer announces a
// re-created notification area to it with the registered "TaskbarCreated" broadcast, and it
// owns the popup menu while that is open.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/scoped.h"
#include "tray/sys_tray.h"
#include "wingui/window_base.h"

namespace app::win32 {

using platform::win32::ScopedIcon;
using wingui::WindowBase;

class SysTrayWindow final : public WindowBase, public tray::SysTrayHost {
public:
    static constexpr const char* kClassName = "DravikSysTray";
    static constexpr const char* kCaption = "Sys Tray Interface";

    SysTrayWindow(tray::frmSysTray& component, HINSTANCE instance);
    ~SysTrayWindow() override;

    // --- SysTrayHost ---
    platform::WindowHandle Window() override { return reinterpret_cast<platform::WindowHandle>(hwnd_); }
    platform::IconHandle OwnIcon() override {
        return reinterpret_cast<platform::IconHandle>(icon_.Get());
    }
    std::string FileDescription() override;
    int IconSize() const { return iconSize_; }
    int TrackMenu(const std::vector<tray::MenuItem>& items, int defaultIndex) override;

    // RegisterWindowMessageA("TaskbarCreated"), asked once.
    static UINT TaskbarCreatedMessage();

private:
    // The shell's callback message and "TaskbarCreated"; the rest to DefWindowProc.
    // WM_DPICHANGED and a re-created notification area: the icon at the size of the scale in
    // effect now (dots per inch), when that size changed.
    bool HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void RefreshIconSize(int dpi);

    tray::frmSysTray& component_;
    HINSTANCE instance_;
    int iconSize_;  // the icon's width and height in pixels
    ScopedIcon icon_;
};

}  // namespace app::win32
