#pragma once
// FrmAbout: the about window. It shows the product name, version, developer and contact
// address, and offers the product web page, the donation page and "Ok". While it is open the
// main window is disabled; closing it brings the main window back when it was visible before,
// and following a web link sends the program to the notification area instead.
//
// The window is loaded when it is first shown and unloaded by `shut`. Its controls are plain
// models; the host that shows them (app/win32 about_window) is made at load and told at unload.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/button/pell_xp_button.h"
#include "controls/form/widgets.h"
#include "controls/frame/xpf_about.h"
#include "controls/property_bag.h"
#include "platform/platform.h"

namespace launch {

// What the about window reads and changes of the main window.
class AboutOwner {
public:
    virtual ~AboutOwner() = default;
    virtual bool MainBPP256() = 0;  // the main window's bBPP256
    virtual bool MainVisible() = 0;
    virtual void SetMainVisible(bool visible) = 0;
    virtual void SetMainEnabled(bool enabled) = 0;
    virtual void MainMakeMenu() = 0;
    // The about window was unloaded: the owner lets go of it.
    virtual void AboutUnloaded() = 0;
};

// The window that shows the about window's models.
class AboutHost {
public:
    virtual ~AboutHost() = default;
    // The window, for the platform calls that act on it (top-most, dragging).
    virtual platform::WindowHandle Window() const = 0;
    // The about window is unloaded: its window goes away (the models stay until the owner
    // lets go of them).
    virtual void Unload() = 0;
};

std::string VersionText(const platform::Version& version);

class FrmAbout {
public:
    FrmAbout(platform::Platform& platform, AboutOwner& owner);
    FrmAbout(const FrmAbout&) = delete;
    FrmAbout& operator=(const FrmAbout&) = delete;

    // --- controls ---
    controls::Label LblTitle;
    controls::Label LbVersion;
    controls::Label Label2;
    controls::Label LbDevelover;
    controls::Label LbEmail;
    controls::PellXPButton CmdDonate;
    controls::PellXPButton CmdOk;
    controls::GroupBox Frame1;
    controls::Label LblText;
    controls::PellXPButton CmdUrl;
    controls::XPFAbout XPFAbout;
    controls::XPFAbout256 XPFAbout256;

    controls::FormWindow window;

    // Whether the main window was visible when the about window was loaded.
    bool bMain = false;

    std::vector<controls::ControlModel*> Controls();
    // The stored design of the skinned button with this id (empty for any other id), which
    // its window reads before it first sizes, shows or draws the button.
    static controls::PropertyBag ButtonDesign(int id);
    void SetHost(std::unique_ptr<AboutHost> host) { host_ = std::move(host); }

    // --- lifecycle ---
    void Form_Load();
    void Show() { window.SetVisible(true); }
    bool Loaded() const { return loaded_; }

    // --- procedures ---
    void shut();
    void DoDrag();

    // --- event handlers ---
    void CmdOk_Click() { shut(); }
    void CmdUrl_Click();
    void CmdDonate_Click();
    // Any mouse button pressed on the background, Frame1, Image12 or a label but LblText's
    // link button.
    void Form_MouseDown() { DoDrag(); }

private:
    // The host's window; 0 without one.
    platform::WindowHandle Window() const;

    void FollowLink(void (*open)(platform::Shell&));

    platform::Platform& platform_;
    AboutOwner& owner_;
    std::unique_ptr<AboutHost> host_;
    bool loaded_ = false;
};

}  // namespace launch
