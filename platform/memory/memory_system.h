#pragma once
// In-memory program location, file system, process starter, instance lock and user interface
// for the unit tests. Everything the logic asks is recorded for the tests to examine.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/system.h"
#include "platform/ui.h"

namespace platform::memory {

class MemorySystem : public System {
public:
    std::string AppPath() override { return appPath; }
    std::string SystemFolder() override { return systemFolder; }
    std::string AppExeName() override { return exeName; }
    Version AppVersion() override { return version; }

    bool FolderExists(const std::string& path) override;
    bool CreateFolder(const std::string& path) override;
    bool FileExists(const std::string& path) override { return files.count(path) > 0; }

    std::optional<std::string> ReadWholeFile(const std::string& path,
                                             std::size_t maxBytes) override;
    bool WriteWholeFile(const std::string& path, std::string_view bytes) override;
    bool MoveFileOver(const std::string& source, const std::string& target) override;
    bool RemoveFile(const std::string& path) override;
    // Contents of a file, "" for a file in `files` that was never written; nothing when absent.
    std::optional<std::string> Contents(const std::string& path) const;
    // Puts a file with these bytes (its folder is not checked).
    void PutFile(const std::string& path, const std::string& bytes);

    bool StartProcess(const std::string& commandLine) override {
        started.push_back(commandLine);
        return true;
    }
    bool AnotherInstanceRunning() override { return otherInstance; }

    std::string appPath = "C:\\Program Files\\Dravik";
    std::string systemFolder = "C:\\WINDOWS\\system32";
    std::string exeName = "Dravik";
    Version version{3, 1, 1};
    std::set<std::string> folders{"C:\\Program Files\\Dravik"};  // without trailing backslash
    std::set<std::string> files;                   // the files that exist
    std::map<std::string, std::string> contents;  // bytes of the files written or put
    // Every file operation, in order: "read <path>", "write <path>", "move <from> > <to>",
    // "remove <path>".
    std::vector<std::string> fileOps;
    // The next write stops after this many bytes and fails, as on a full disk or a crash in
    // the middle of the write: the file then holds those bytes.
    std::optional<std::size_t> failNextWriteAfter;
    bool refuseMoves = false;
    bool refuseReads = false;
    std::vector<std::string> foldersCreated;
    bool refuseFolderCreation = false;
    std::vector<std::string> started;
    bool otherInstance = false;
};

class MemoryUi : public Ui {
public:
    struct Message {
        std::string text;
        std::string title;
    };
    struct Call {
        enum Kind { TopMost, NotTopMost, Drag } kind;
        WindowHandle window;
    };

    void ShowMessage(const std::string& text, const std::string& title) override {
        messages.push_back({text, title});
    }
    void SetTopMost(WindowHandle window, bool topMost) override {
        calls.push_back({topMost ? Call::TopMost : Call::NotTopMost, window});
    }
    void DragByCaption(WindowHandle window) override { calls.push_back({Call::Drag, window}); }

    std::vector<Message> messages;
    std::vector<Call> calls;
};

}  // namespace platform::memory
