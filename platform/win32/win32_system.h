#pragma once
// System services on kernel32.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/system.h"
#include "platform/win32/scoped.h"

namespace platform::win32 {

// The running program's full path in the ANSI code page, every folder or file name that the
// code page cannot hold taken in its short (8.3) form, so that the ANSI file calls reach it;
// the path as GetModuleFileNameA gives it where such a name has no short form.
std::string AnsiModulePath();
// The running program's full path as GetModuleFileNameW gives it, however long; empty when
// it cannot be read.
std::wstring ModulePathWide();
// `text` in the ANSI code page; false when a character has no exact equivalent there.
bool ToAnsiExactly(std::wstring_view text, std::string& out);
// The bytes of the running program's own version resource (RT_VERSION, as its resource
// compiler wrote it; platform/version_info.h reads them); empty when it has none.
std::span<const std::uint8_t> OwnVersionResource();

class Win32System final : public System {
public:
    std::string AppPath() override;
    std::string SystemFolder() override;
    std::string AppExeName() override;
    // Major, minor and the third field of the executable's VERSIONINFO file version;
    // zeros when the file has none. Read from the running module's resource, not through
    // version.dll (platform/version_info.h says why).
    Version AppVersion() override;

    bool FolderExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool FileExists(const std::string& path) override;

    // CreateFileA for reading (others may read too), ReadFile until the end or maxBytes.
    std::optional<std::string> ReadWholeFile(const std::string& path,
                                             std::size_t maxBytes) override;
    // CreateFileA(CREATE_ALWAYS, no sharing), WriteFile, FlushFileBuffers: the bytes are on
    // the disk when this returns true.
    bool WriteWholeFile(const std::string& path, std::string_view bytes) override;
    // MoveFileExA(REPLACE_EXISTING | WRITE_THROUGH): within one volume a rename, so a reader
    // sees the old file or the new one, never a mix.
    bool MoveFileOver(const std::string& source, const std::string& target) override;
    bool RemoveFile(const std::string& path) override;

    bool StartProcess(const std::string& commandLine) override;

    // A named mutex, held by this object from the first call until it is destroyed.
    bool AnotherInstanceRunning() override;

private:
    ScopedHandle instanceMutex_;
    bool instanceChecked_ = false;
    bool anotherInstance_ = false;
};

}  // namespace platform::win32
