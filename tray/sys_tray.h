#pragma once
// frmSysTray: one icon in the notification area with its tooltip and popup menu. It turns the
// shell's mouse notifications for the icon into events for its owner and knows nothing of
// what the menu's items mean; it deals in captions, keys, indexes and mouse buttons.
//
// The component lives in a hidden window ("Sys Tray Interface") that its host provides; the
// host feeds the shell's callback messages to ShellCallback and the re-created notification
// area (the "TaskbarCreated" broadcast) to ShellRestarted. The component is loaded by the first
// use of any of its members, which adds the icon; Unload (or destruction) removes it. An
// instance is never loaded again after Unload.
//
// The owner keeps the component in a std::shared_ptr: a host that delivers an event holds a
// reference of its own while the event runs, so that an owner dropping the component from
// inside one of its events (a double click rebuilds the icon) frees it only afterwards.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/shell.h"

namespace tray {

// The callback message the icon's mouse activity arrives as: WM_MOUSEMOVE, with the mouse
// message in place of the x coordinate.
inline constexpr std::uint32_t kCallbackMessage = 0x200;
// The tip field holds 64 characters, the last of them the terminating NUL.
inline constexpr std::size_t kTipLength = 63;

struct MenuItem {
    std::string caption;  // "-" makes the item a separator
    std::string tag;      // the item's key
    bool visible = true;
    bool enabled = true;
};

class frmSysTray;

// What the component needs from the hidden window it lives in.
class SysTrayHost {
public:
    virtual ~SysTrayHost() = default;
    // The hidden window the shell reports to.
    virtual platform::WindowHandle Window() = 0;
    // The component's own icon, at the notification area's icon size (16 x 16 pixels in 16
    // colours at 100%).
    virtual platform::IconHandle OwnIcon() = 0;
    // The program's file description from its version information, "" when it has none.
    virtual std::string FileDescription() = 0;
    // Pops up the visible items at the mouse position, their left edge at the mouse, picked
    // with the left button, the item at defaultIndex drawn as the default (none when it names
    // no item). Returns when the menu has closed: the index of the picked item, or -1.
    virtual int TrackMenu(const std::vector<MenuItem>& items, int defaultIndex) = 0;
};

// A host without a window: no handle, no icon, a menu that is never picked from. For a
// component no window system shows.
class WindowlessSysTrayHost : public SysTrayHost {
public:
    platform::WindowHandle Window() override { return 0; }
    platform::IconHandle OwnIcon() override { return 0; }
    std::string FileDescription() override { return {}; }
    int TrackMenu(const std::vector<MenuItem>&, int) override { return -1; }
};

// Makes the hidden window of a component, at its load.
using SysTrayHostFactory = std::function<std::unique_ptr<SysTrayHost>(frmSysTray&)>;

class frmSysTray : public std::enable_shared_from_this<frmSysTray> {
public:
    // makeHost: empty gives a WindowlessSysTrayHost.
    frmSysTray(platform::Shell& shell, SysTrayHostFactory makeHost);
    frmSysTray(const frmSysTray&) = delete;
    frmSysTray& operator=(const frmSysTray&) = delete;
    // Removes the icon when it is still there.
    ~frmSysTray();

    // --- properties ---
    // The stored tip up to its first NUL.
    std::string ToolTip();
    // At most 63 characters are kept; an unchanged 63-character tip sends nothing.
    void SetToolTip(const std::string& text);
    platform::IconHandle IconHandle();
    void SetIconHandle(platform::IconHandle icon);
    std::int32_t DefaultMenuIndex();
    // An index outside the item array makes item 0 the default.
    void SetDefaultMenuIndex(std::int32_t index);

    // --- methods ---
    std::int32_t AddMenuItem(const std::string& caption, const std::string& key, bool makeDefault);
    void EnableMenuItem(std::int32_t index, bool enabled);
    std::int32_t RemoveMenuItem(std::int32_t index);
    void ShowMenu();
    // Removes the icon for good (the owner's unload).
    void Unload();

    // --- events, in their order of declaration ---
    std::function<void(std::int32_t button)> SysTrayMouseDown;
    std::function<void(std::int32_t button)> SysTrayMouseUp;
    std::function<void()> SysTrayMouseMove;
    std::function<void(std::int32_t button)> SysTrayDoubleClick;
    std::function<void(std::int32_t index, const std::string& key)> MenuClick;
    // The notification area took the icon after all: a re-created area (ShellRestarted)
    // accepted it where the first one had refused it.
    std::function<void()> IconShownLate;

    // --- from the host ---
    // The callback message arrived, with this mouse message number in place of x (already in
    // pixels).
    void ShellCallback(int mouseMessage);
    // The notification area was created anew (the shell restarted): the icon is added again,
    // with everything it showed.
    void ShellRestarted();

    // --- state, for the host and for tests ---
    bool Loaded() const { return loaded_; }
    // The notification area holds the icon: it took the last add, and it has not been removed.
    // A refused add leaves the component without an icon (and so without events) until the
    // area is created anew and takes it.
    bool IconShown() const { return iconShown_; }
    bool Unloaded() const { return unloaded_; }
    bool FirstItemUsed() const { return firstItemUsed_; }
    const std::vector<MenuItem>& Items() const { return items_; }
    const platform::NotifyIconData& Record() const { return nid_; }
    SysTrayHost* Host() const { return host_.get(); }

private:
    void Load();
    bool IsMenuIndexValid(std::int32_t index) const;
    // The tip field: text cut to 63 characters, a NUL, spaces to 64.
    static std::array<char, 64> TipField(const std::string& text);

    platform::Shell& shell_;
    SysTrayHostFactory makeHost_;
    std::unique_ptr<SysTrayHost> host_;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool iconShown_ = false;
    platform::NotifyIconData nid_;
    std::vector<MenuItem> items_{MenuItem{}};  // index 0 exists from the start
    bool firstItemUsed_ = false;
    std::int32_t defaultIndex_ = 0;
};

}  // namespace tray
