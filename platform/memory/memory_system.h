#pragma once
// In-memory program location, file system, process starter, instance lock and user interface
// for the unit tests. Everything the logic asks is recorded for the tests to examine.
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
    std::set<std::string> files;
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
