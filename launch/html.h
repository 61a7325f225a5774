#pragma once
// Starting the media players and opening the program's web pages, all through the one shell
// open operation. The players' folders are found in their install keys, which 32-bit
// installers write to the 32-bit registry view and 64-bit installers to the 64-bit one.
#include <string>

#include "platform/registry.h"
#include "platform/shell.h"

namespace launch {

// One player's install key, value and program file.
struct Player {
    const char* upperKey;  // under HKEY_LOCAL_MACHINE
    const char* lowerKey;  // also the search word that ends the folder
    const char* valueName;
    const char* programFile;  // appended to the folder
};

inline constexpr Player kPowerDVD{"SOFTWARE\\CyberLink", "PowerDVD", "InstallPath", "\\PowerDVD.exe"};
inline constexpr Player kWinDVD{"SOFTWARE\\InterVideo", "WinDVDi", "Path", "\\WinDVD.exe"};
inline constexpr Player kVLC{"SOFTWARE\\VideoLAN", "VLC", "InstallDir", "\\vlc.exe"};

// The player's folder from its install value: the 256-character read text up to and including
// the first occurrence of the search word (case-sensitive), or its first (word length - 1)
// characters when the word does not occur. `installed` is false exactly when that result is
// all spaces (no key, no value). The value is read in the 32-bit view; only where it is absent
// there, in the 64-bit view.
std::string PlayerPath(platform::Registry& registry32, const Player& player, bool& installed);

// The shell's open operation with the desktop window as owner. Empty parameters and directory
// are passed as none.
void ShellOpen(platform::Shell& shell, const std::string& operation, const std::string& target,
               const std::string& parameters, const std::string& directory, int showCommand);

// True for a path that starts with its drive ("C:\...") or its server and share
// ("\\server\share..."): the only kinds the shell does not look for in the current folder and
// on the search path.
bool IsAbsolutePath(const std::string& path);

// Opens the player's program file in the folder its look-up gave (taken up to its first NUL),
// in a normal window; nothing when the assembled path is not absolute.
void StartPlayer(platform::Shell& shell, const std::string& folder, const Player& player);

// Percent-encoding for a query value: letters, digits, "_" and "~" stay, every other byte is
// written as "%" and two lower-case hex digits ("." "%2e", "@" "%40", "-" "%2d", " " "%20").
std::string PercentEncode(const std::string& text);

// The product web page: plain HTTP, the given host, "/default.asp".
std::string HomePageAddress(const std::string& host);
// The donation page of the payment service, paying the given address.
std::string DonationAddress(const std::string& host, const std::string& payee);

// The two pages of this build's configuration (launch/deployment.h), opened maximised.
void OpenHomePage(platform::Shell& shell);
void OpenDonationPage(platform::Shell& shell);

}  // namespace launch
