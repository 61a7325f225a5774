#pragma once
// The program's icon layouts with their saves and restores recorded instead of touching a
// desktop, for the tests of the main window's logic and of its Win32 host.
#include <string>
#include <vector>

#include "icons/icon_mem.h"

namespace testing_support {

class RecordingIcons : public icons::IconMem {
public:
    using IconMem::IconMem;
    void SaveIconLayout() override { events.push_back("save"); }
    void RestoreIconLayout() override { events.push_back("restore"); }
    std::vector<std::string> events;
};

}  // namespace testing_support
