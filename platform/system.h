#pragma once
// Services of the process and the file system that the program needs besides display and
// registry: its own location and version, folders and files, starting programs, and the
// single-instance test.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct Version {
    int major = 0;
    int minor = 0;
    int revision = 0;
};

class System {
public:
    virtual ~System() = default;

    // Folder holding the running program, without a trailing backslash.
    virtual std::string AppPath() = 0;
    // The system folder (GetSystemDirectoryA), without a trailing backslash. A 32-bit program
    // on 64-bit Windows is given "...\system32" too, which the file system redirects to its
    // SysWOW64, the 32-bit system programs.
    virtual std::string SystemFolder() = 0;
    // The program's file name without its extension ("Dravik").
    virtual std::string AppExeName() = 0;
    virtual Version AppVersion() = 0;

    virtual bool FolderExists(const std::string& path) = 0;
    // Creates one folder level; the parent must exist.
    virtual bool CreateFolder(const std::string& path) = 0;
    virtual bool FileExists(const std::string& path) = 0;

    // The file's first `maxBytes` bytes (all of it when shorter); nothing when it cannot be
    // opened or read.
    virtual std::optional<std::string> ReadWholeFile(const std::string& path,
                                                     std::size_t maxBytes) = 0;
    // Creates or truncates the file and writes `bytes`, flushed to the disk before it is
    // closed. False when the file cannot be created or not every byte was written; the file
    // may then hold a part.
    virtual bool WriteWholeFile(const std::string& path, std::string_view bytes) = 0;
    // Puts the file `source` in the place of `target` in one step, replacing an existing
    // `target`. False leaves both as they were.
    virtual bool MoveFileOver(const std::string& source, const std::string& target) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;

    // Starts a command line as a new process with a normal, activated window; does not wait.
    virtual bool StartProcess(const std::string& commandLine) = 0;

    // True when another copy of this program is already running. The first call claims the
    // instance for this process for the rest of its life.
    virtual bool AnotherInstanceRunning() = 0;
};

}  // namespace platform
