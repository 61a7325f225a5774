#pragma once
// Ui on user32.
#include "platform/ui.h"

namespace platform::win32 {

class Win32Ui final : public Ui {
public:
    // Owner window of the message boxes; 0 (the default) gives ownerless boxes.
    void SetOwner(WindowHandle owner) { owner_ = owner; }

    void ShowMessage(const std::string& text, const std::string& title) override;
    void SetTopMost(WindowHandle window, bool topMost) override;
    void DragByCaption(WindowHandle window) override;

private:
    WindowHandle owner_ = 0;
};

}  // namespace platform::win32
