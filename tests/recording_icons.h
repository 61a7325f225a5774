#pragma once
// The program's icon layouts with their saves and restores recorded instead of touching a
// desktop, for the tests of the main window's logic and of its Win32 host.
#include <functional>
#include <string>
#include <vector>

#include "icons/icon_mem.h"

namespace testing_support {

class RecordingIcons : public icons::IconMem {
public:
    using IconMem::IconMem;
    void SaveIconLayout() override { Happen("save"); }
    void RestoreIconLayout() override { Happen("restore"); }
    std::vector<std::string> events;
    // Runs inside each save and restore, as what arrives while the shell is waited on does.
    std::function<void(const std::string&)> during;

private:
    void Happen(const std::string& event) {
        events.push_back(event);
        if (during) during(event);
    }
};

}  // namespace testing_support
