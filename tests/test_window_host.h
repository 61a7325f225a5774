#pragma once
// The main window's host for the tests of its logic: a window handle, tray components made by a
// function the test gives (none otherwise), no about window, and the program's ends counted.
#include <functional>
#include <memory>

#include "app/form_main.h"

namespace testing_support {

class TestWindowHost final : public app::MainWindowHost {
public:
    explicit TestWindowHost(platform::WindowHandle window) : window_(window) {}
    platform::WindowHandle Window() const override { return window_; }
    std::unique_ptr<tray::SysTrayHost> MakeTrayHost(tray::frmSysTray& component) override {
        return makeTray ? makeTray(component) : nullptr;
    }
    std::unique_ptr<launch::AboutHost> MakeAboutHost(launch::FrmAbout&) override { return nullptr; }
    void EndProgram() override { ++ended; }

    std::function<std::unique_ptr<tray::SysTrayHost>(tray::frmSysTray&)> makeTray;
    int ended = 0;

private:
    platform::WindowHandle window_;
};

}  // namespace testing_support
