#include "app/win32/tray_window.h"
#include "app/win32/resource_pictures.h"

#include <memory>

#include "platform/version_info.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32_system.h"
#include "wingui/dpi.h"
#include "wingui/message_filter.h"
#include "wingui/mouse_position.h"
#include "wingui/window_binding.h"

namespace app::win32 {
namespace {

using platform::win32::ScopedMenu;
using wingui::kWmDpiChanged;
using wingui::LetMessageThrough;
using wingui::ScreenDpi;
using wingui::UnbindWindowObject;
using wingui::WindowClass;
using wingui::WindowDpi;

// The notification area's icon size at this many dots per inch: GetSystemMetricsForDpi where
// the system has it (Windows 10 1607; looked up, as XP lacks it), else the system's small icon.
int SmallIconSize(int dpi) {
    using MetricsForDpi = int WINAPI(int, UINT);
    static auto* const metricsForDpi = platform::win32::SystemFunction<MetricsForDpi>(
        GetModuleHandleA("user32.dll"), "GetSystemMetricsForDpi");
    const int size = metricsForDpi ? metricsForDpi(SM_CXSMICON, static_cast<UINT>(dpi))
                                   : GetSystemMetrics(SM_CXSMICON);
    return size > 0 ? size : 16;
}

}  // namespace

UINT SysTrayWindow::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

SysTrayWindow::SysTrayWindow(tray::frmSysTray& component, HINSTANCE instance)
    : component_(component), instance_(instance), iconSize_(SmallIconSize(ScreenDpi())),
      icon_(LoadProgramIcon(instance, iconSize_)) {
    // A top-level window, never shown, not a message-only one: those hear no broadcasts.
    if (CreateBound(WindowClass{kClassName, 0, false, false}, instance, WS_EX_TOOLWINDOW,
                    kCaption, WS_POPUP, 0, 0, 0, 0, nullptr))
        LetMessageThrough(hwnd_, TaskbarCreatedMessage());
}

SysTrayWindow::~SysTrayWindow() {
    if (!hwnd_) return;
    // This may run inside the window's own procedure (the component's last reference went
    // with the event it raised): unbind first, so that no later message finds this object.
    UnbindWindowObject(hwnd_);
    DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

std::string SysTrayWindow::FileDescription() {
    // From the program's own resource, not through version.dll (platform/version_info.h).
    const auto text = platform::VersionString(platform::win32::OwnVersionResource(), u"FileDescription");
    if (!text || text->empty()) return {};
    // In the ANSI code page, as VerQueryValueA gave it: the tip is an ANSI field.
    const std::wstring wide(text->begin(), text->end());
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

int SysTrayWindow::TrackMenu(const std::vector<tray::MenuItem>& items, int defaultIndex) {
    ScopedMenu menu(CreatePopupMenu());
    if (!menu.Get()) return -1;
    bool hasDefault = false;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const tray::MenuItem& item = items[i];
        if (!item.visible) continue;
        const UINT_PTR id = i + 1;  // 0 is "nothing picked"
        if (item.caption == "-") {
            AppendMenuA(menu.Get(), MF_SEPARATOR, id, nullptr);
            continue;
        }
        AppendMenuA(menu.Get(), MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED), id,
                    item.caption.c_str());
        if (static_cast<int>(i) == defaultIndex) hasDefault = true;
    }
    if (hasDefault) SetMenuDefaultItem(menu.Get(), static_cast<UINT>(defaultIndex + 1), FALSE);
    POINT at{};
    GetCursorPos(&at);
    const int picked = static_cast<int>(TrackPopupMenu(
        menu.Get(), TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0,
        hwnd_, nullptr));
    // Without a message of its own after the menu, a tray window's next menu may open and close
    // at once (the foreground window's menu quirk).
    if (hwnd_) PostMessageA(hwnd_, WM_NULL, 0, 0);
    return picked - 1;
}

void SysTrayWindow::RefreshIconSize(int dpi) {
    const int size = SmallIconSize(dpi);
    if (size == iconSize_) return;
    HICON fresh = LoadProgramIcon(instance_, size);
    if (!fresh) return;
    iconSize_ = size;
    // The area shows the new icon before the old one goes.
    if (component_.Loaded()) component_.SetIconHandle(reinterpret_cast<platform::IconHandle>(fresh));
    icon_.Reset(fresh);
}

bool SysTrayWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg == kWmDpiChanged) {
        RefreshIconSize(LOWORD(wParam));
        result = 0;
        return true;
    }
    const UINT taskbarCreated = TaskbarCreatedMessage();
    if (msg != tray::kCallbackMessage && (taskbarCreated == 0 || msg != taskbarCreated))
        return false;
    // The owner may drop the component from inside the event; this reference keeps it, and so
    // this window object, until the event has run. Nothing of this object is touched after it
    // goes.
    const std::shared_ptr<tray::frmSysTray> keep = component_.weak_from_this().lock();
    if (msg == tray::kCallbackMessage)
        component_.ShellCallback(wingui::MouseX(lParam));
    else {
        // The new area may come with another scale (a change of the scale restarts it).
        RefreshIconSize(WindowDpi(hwnd_));
        component_.ShellRestarted();
    }
    result = 0;
    return true;
}

}  // namespace app::win32
