#pragma once
// System services on kernel32 and version.dll.
#include "platform/system.h"
#include "platform/win32/scoped.h"

namespace platform::win32 {

class Win32System final : public System {
public:
    std::string AppPath() override;
    std::string SystemFolder() override;
    std::string AppExeName() override;
    // Major, minor and the third field of the executable's VERSIONINFO file version;
    // zeros when the file has none.
    Version AppVersion() override;

    bool FolderExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool FileExists(const std::string& path) override;

    bool StartProcess(const std::string& commandLine) override;

    // A named mutex, held by this object from the first call until it is destroyed.
    bool AnotherInstanceRunning() override;

private:
    ScopedHandle instanceMutex_;
    bool instanceChecked_ = false;
    bool anotherInstance_ = false;
};

}  // namespace platform::win32
