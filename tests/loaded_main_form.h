#pragma once
// The main window's logic loaded on the in-memory platform, as the command and /run tests
// start it: four modes offered (two of 8 and two of 32 bits), 1024 x 768 at 32 bits in
// effect, the window at its design size, the start-up layout saved and its icon events
// cleared.
#include <gtest/gtest.h>

#include <memory>

#include "app/form_main.h"
#include "platform/memory/memory_display.h"
#include "platform/memory/memory_platform.h"
#include "tests/recording_icons.h"
#include "tests/registry_keys.h"
#include "tests/test_window_host.h"

namespace testing_support {

class LoadedMainForm : public ::testing::Test, protected platform::memory::MemoryPlatform {
protected:
    LoadedMainForm()
        : MemoryPlatform({platform::memory::Mode(640, 480, 8, 60), platform::memory::Mode(800, 600, 8, 60),
                          platform::memory::Mode(1024, 768, 32, 60),
                          platform::memory::Mode(1280, 1024, 32, 75)}) {
        display.SetCurrent(platform::memory::Mode(1024, 768, 32, 60));
    }

    // Loads the form, in the tray or with its window shown as `inTray` says.
    app::FrmMain& Start(bool inTray) {
        registry.Put(kOptions, "Start in SysTray", inTray ? "1" : "0");
        form = std::make_unique<app::FrmMain>(platform, icons);
        form->SetHost(host);
        form->window.SetSize(495, 347);
        EXPECT_FALSE(form->Loaded());
        EXPECT_EQ(form->Form_Load(), app::FrmMain::LoadResult::Loaded);
        EXPECT_TRUE(form->Loaded());
        form->SaveStartUpLayout();
        icons.events.clear();
        return *form;
    }

    RecordingIcons icons{platform, desktop};
    TestWindowHost host{0x4242};
    std::unique_ptr<app::FrmMain> form;
};

}  // namespace testing_support
