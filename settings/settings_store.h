#pragma once
// The program's three settings in the machine-wide registry:
//   HKLM "SOFTWARE\Morv Dravik" > "Options": "Start in SysTray", "BtnMovie"
//   HKLM "SOFTWARE\Microsoft" > "Windows\CurrentVersion\Run": "Morv Dravik" (autostart), or
//   where that key cannot be written, HKCU "Software\Microsoft" > "Windows\CurrentVersion\Run"
// Every value is written as REG_SZ text without a terminating NUL. Every read works on a text of
// 256 spaces over which the stored bytes are laid, whatever the value's type, and the readers
// cut or test that text.
// Nothing here reports failure: a refused call is skipped and the next step runs.
#include <optional>
#include <string>

#include "platform/registry.h"
#include "platform/system.h"

namespace settings {

inline constexpr std::size_t kReadBufferSize = 256;

inline constexpr const char* kDravikKey = "SOFTWARE\\Morv Dravik";
inline constexpr const char* kOptionsKey = "Options";
inline constexpr const char* kMicrosoftKey = "SOFTWARE\\Microsoft";
inline constexpr const char* kRunKey = "Windows\\CurrentVersion\\Run";
// The per-user Run key's upper key, below HKEY_CURRENT_USER.
inline constexpr const char* kUserMicrosoftKey = "Software\\Microsoft";

inline constexpr const char* kTrayValue = "Start in SysTray";
inline constexpr const char* kMovieValue = "BtnMovie";
inline constexpr const char* kAutostartValue = "Morv Dravik";

inline constexpr const char* kDefaultTray = "0";
inline constexpr const char* kDefaultMovie = "800 x 600 @ 60Hz 256 colors";

// The 256-character read text of one value: the stored bytes over 256 spaces, whatever the
// value's type (an autostart path that another tool stored as REG_EXPAND_SZ reads as that path),
// and for the string types a NUL after them when there is room. An absent value leaves the
// spaces. A value longer than the buffer reads as its first 256 characters.
std::string ReadRegText(platform::Registry& registry, const char* upperKey, const char* lowerKey,
                        const char* valueName);
// The same read in the given registry view, nothing when the key or the value is absent there.
std::optional<std::string> ReadStoredRegText(platform::Registry& registry, platform::RegView view,
                                             const char* upperKey, const char* lowerKey,
                                             const char* valueName);

// Writes the defaults of "Start in SysTray" and "BtnMovie" where the read text does not
// start with something other than 25 spaces.
void CheckRegistry(platform::Registry& registry);

// The read text of "Start in SysTray", unchanged.
std::string GetRegValueTray(platform::Registry& registry);
// True when the read text, read as a number, is 1 (reading stops at a NUL; blanks around
// the number are ignored; no number counts as not 1).
bool TrayTextIsOn(const std::string& text);

// Whether the read text of an autostart value names a program on a drive letter: characters 2
// and 3 are ":\" in the bare form earlier versions wrote ("C:\Dravik\Dravik.exe"), or 3 and 4
// in the quoted form written now ("\"C:\My Tools\Dravik.exe\"").
bool NamesDriveLetterPath(const std::string& text);
// True when the machine-wide or the per-user Run key holds a drive-letter path under
// "Morv Dravik".
bool GetRegValueStart(platform::Registry& registry);

// The "BtnMovie" text up to and including its first lower-case "s"; empty when it has none.
std::string GetRegValueBtnMovie(platform::Registry& registry);

// The full path of the program: program folder, "\", file name, ".exe".
std::string AutostartPath(platform::System& system);
// The autostart value: that path in quotes, so that Windows does not take a path with blanks
// ("C:\My Tools\Dravik.exe") for "C:\My.exe" with arguments.
std::string AutostartValue(platform::System& system);

struct EndState {
    int trayStartValue = 0;   // ChkTraystart's value; only 1 counts as ticked
    int sysStartValue = 0;    // ChkTraySysStart's value
    std::string movieCaption;  // BtnMovie's caption
};

// Stores the three settings at program end, in this order: "Start in SysTray", the autostart
// value, "BtnMovie". Ticked, the autostart value goes to the machine-wide Run key and leaves
// the per-user one; where the machine-wide key cannot be written (a standard user from
// Windows Vista on: the Run key has no virtual store), to the per-user key instead. Unticked,
// it leaves both.
void SetRegEnd(platform::Registry& registry, platform::System& system, const EndState& state);

}  // namespace settings
