#pragma once
// An in-memory shell for the unit and host tests: every notification-icon call, shell open
// and foreground request is recorded in order, and the icons the notification area would show
// are kept by (window, id) as the shell keeps them.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/shell.h"

namespace platform::memory {

class MemoryShell : public Shell {
public:
    struct NotifyCall {
        std::uint32_t message;
        NotifyIconData data;
    };
    struct ExecuteCall {
        std::string operation, file, parameters, directory;
        int showCommand;
    };

    // Records every call; a refused one changes no icon and answers false.
    bool NotifyIcon(std::uint32_t message, const NotifyIconData& data) override;
    void Execute(const std::string& operation, const std::string& file,
                 const std::string& parameters, const std::string& directory,
                 int showCommand) override {
        executed.push_back({operation, file, parameters, directory, showCommand});
        log.push_back("execute " + file);
    }
    void SetForegroundWindow(WindowHandle window) override {
        foreground.push_back(window);
        log.push_back("foreground");
    }

    // The text of a record's tip, up to its first NUL.
    static std::string Tip(const NotifyIconData& data);
    // The icons in the notification area now: (window, id) -> the record as last added or
    // modified.
    const std::map<std::pair<WindowHandle, std::uint32_t>, NotifyIconData>& Icons() const {
        return icons_;
    }

    // While set, the notification area refuses every call, as one that is not there yet.
    bool refuseIcons = false;

    std::vector<NotifyCall> notifications;
    std::vector<ExecuteCall> executed;
    std::vector<WindowHandle> foreground;
    // Every call in order: "add", "modify", "delete" (with " refused" when refused),
    // "execute <file>", "foreground".
    std::vector<std::string> log;

private:
    std::map<std::pair<WindowHandle, std::uint32_t>, NotifyIconData> icons_;
};

}  // namespace platform::memory
