// Players found by their install keys, the shell open, and the web addresses.
#include <gtest/gtest.h>

#include "launch/deployment.h"
#include "launch/form_about.h"
#include "launch/html.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"

namespace {

using platform::memory::MemoryRegistry;
using namespace std::string_literals;

std::string Look(MemoryRegistry& registry, const launch::Player& player, bool& installed) {
    return launch::PlayerPath(registry, player, installed);
}

TEST(PlayerPath, CutsRightAfterTheFirstOccurrenceOfTheSearchWord) {
    MemoryRegistry registry;
    bool installed = false;
    registry.Put("SOFTWARE\\CyberLink\\PowerDVD", "InstallPath", "C:\\Program Files\\CyberLink\\PowerDVD");
    EXPECT_EQ(Look(registry, launch::kPowerDVD, installed), "C:\\Program Files\\CyberLink\\PowerDVD");
    EXPECT_TRUE(installed);

    registry.Put("SOFTWARE\\CyberLink\\PowerDVD", "InstallPath", "C:\\Program Files\\CyberLink\\PowerDVD\\");
    EXPECT_EQ(Look(registry, launch::kPowerDVD, installed), "C:\\Program Files\\CyberLink\\PowerDVD")
        << "a trailing backslash is cut off";

    registry.Put("SOFTWARE\\InterVideo\\WinDVDi", "Path", "D:\\WinDVDi\\old\\WinDVDi\\bin");
    EXPECT_EQ(Look(registry, launch::kWinDVD, installed), "D:\\WinDVDi") << "the first occurrence";
    EXPECT_TRUE(installed);
}

TEST(PlayerPath, AWordInOtherLetterCaseKeepsTheFirstCharactersAndCountsAsInstalled) {
    MemoryRegistry registry;
    bool installed = false;
    registry.Put("SOFTWARE\\VideoLAN\\VLC", "InstallDir", "C:\\Program Files\\VideoLAN\\vlc");
    EXPECT_EQ(Look(registry, launch::kVLC, installed), "C:");
    EXPECT_TRUE(installed);

    platform::memory::MemoryShell shell;
    launch::StartPlayer(shell, "C:", launch::kVLC);
    ASSERT_EQ(shell.executed.size(), 1u);
    EXPECT_EQ(shell.executed[0].file, "C:\\vlc.exe");
    EXPECT_EQ(shell.executed[0].operation, "Open");
    EXPECT_EQ(shell.executed[0].parameters, "");
    EXPECT_EQ(shell.executed[0].directory, "");
    EXPECT_EQ(shell.executed[0].showCommand, 1);
}

TEST(PlayerPath, AValueAbsentFromTheOwnViewIsReadInThe64BitView) {
    using platform::RegView;
    MemoryRegistry registry;
    bool installed = false;
    // A 64-bit VLC only: found there, cut the same way.
    registry.Put(RegView::Bits64, "SOFTWARE\\VideoLAN\\VLC", "InstallDir",
                 "C:\\Program Files\\VideoLAN\\VLC\\");
    EXPECT_EQ(Look(registry, launch::kVLC, installed), "C:\\Program Files\\VideoLAN\\VLC");
    EXPECT_TRUE(installed);

    // The own view's key without the value, or with a value the cut does not like: the first
    // still falls back, the second wins.
    registry.Put("SOFTWARE\\VideoLAN\\VLC", "Version", "3.0");
    EXPECT_EQ(Look(registry, launch::kVLC, installed), "C:\\Program Files\\VideoLAN\\VLC");
    registry.Put("SOFTWARE\\VideoLAN\\VLC", "InstallDir", "D:\\Apps\\vlc");
    EXPECT_EQ(Look(registry, launch::kVLC, installed), "D:");
    EXPECT_TRUE(installed);
    registry.Put("SOFTWARE\\VideoLAN\\VLC", "InstallDir", "E:\\VLC");
    EXPECT_EQ(Look(registry, launch::kVLC, installed), "E:\\VLC");

    // Each player's own key: another player's 64-bit key does not count, nor a 64-bit key of the
    // right name whose value is missing.
    registry.Put(RegView::Bits64, "SOFTWARE\\CyberLink\\PowerDVD", "Path", "C:\\PowerDVD");
    EXPECT_EQ(Look(registry, launch::kPowerDVD, installed), std::string(7, ' '));
    EXPECT_FALSE(installed);
    EXPECT_EQ(Look(registry, launch::kWinDVD, installed), std::string(6, ' '));
    EXPECT_FALSE(installed);
    registry.Put(RegView::Bits64, "SOFTWARE\\InterVideo\\WinDVDi", "Path", "C:\\I\\WinDVDi\\x");
    EXPECT_EQ(Look(registry, launch::kWinDVD, installed), "C:\\I\\WinDVDi");
    EXPECT_TRUE(installed);
    EXPECT_EQ(registry.OpenHandles(), 0) << "every key opened, in either view, is closed again";
}

TEST(StartPlayer, StartsOnlyAnAbsolutePathAndStopsTheFolderAtItsFirstNul) {
    platform::memory::MemoryShell shell;
    // A stored "calc" counts as installed, but its program would be looked for on the search
    // path: nothing starts, nor for a folder relative to the current one.
    MemoryRegistry registry;
    bool installed = false;
    registry.Put("SOFTWARE\\CyberLink\\PowerDVD", "InstallPath", "calc");
    const std::string calc = Look(registry, launch::kPowerDVD, installed);
    EXPECT_TRUE(installed);
    launch::StartPlayer(shell, calc, launch::kPowerDVD);
    for (const char* folder : {"x", "", "  ", "\\vlc", "C:vlc", "C:/VLC", "\\\\\\share", "\\\\\\", "\\\\server\\"})
        launch::StartPlayer(shell, folder, launch::kVLC);
    EXPECT_TRUE(shell.executed.empty()) << shell.executed[0].file;

    // The folder ends at its first NUL, as the shell reads it: what follows is not part of it.
    launch::StartPlayer(shell, "C:\\VLC\0\\..\\x"s, launch::kVLC);
    launch::StartPlayer(shell, "x\0C:\\VLC"s, launch::kVLC);
    // Drive paths in either letter case and server shares start.
    launch::StartPlayer(shell, "d:\\Players\\VLC", launch::kVLC);
    launch::StartPlayer(shell, "\\\\media\\apps\\WinDVDi", launch::kWinDVD);
    launch::StartPlayer(shell, "\\\\media", launch::kVLC);
    ASSERT_EQ(shell.executed.size(), 4u);
    EXPECT_EQ(shell.executed[0].file, "C:\\VLC\\vlc.exe");
    EXPECT_EQ(shell.executed[1].file, "d:\\Players\\VLC\\vlc.exe");
    EXPECT_EQ(shell.executed[2].file, "\\\\media\\apps\\WinDVDi\\WinDVD.exe");
    // The program file is the share's name then; the shell finds nothing there, but it looks
    // nowhere else either.
    EXPECT_EQ(shell.executed[3].file, "\\\\media\\vlc.exe");
}

TEST(StartPlayer, AFolderReadWithItsNulStartsThatFolderOnly) {
    // The read text holds the stored folder, a NUL and blanks; a folder without the search word
    // keeps its NUL inside the cut.
    MemoryRegistry registry;
    bool installed = false;
    registry.Put("SOFTWARE\\CyberLink\\PowerDVD", "InstallPath", "D:\\Cl");
    const std::string folder = Look(registry, launch::kPowerDVD, installed);
    ASSERT_EQ(folder, "D:\\Cl\0 "s);
    platform::memory::MemoryShell shell;
    launch::StartPlayer(shell, folder, launch::kPowerDVD);
    ASSERT_EQ(shell.executed.size(), 1u);
    EXPECT_EQ(shell.executed[0].file, "D:\\Cl\\PowerDVD.exe");
}

TEST(PlayerPath, NoKeyOrNoValueGivesTheBlankTextAndNotInstalled) {
    MemoryRegistry registry;
    bool installed = true;
    EXPECT_EQ(Look(registry, launch::kVLC, installed), "  ");
    EXPECT_FALSE(installed);
    EXPECT_EQ(Look(registry, launch::kPowerDVD, installed), std::string(7, ' '));
    EXPECT_FALSE(installed);
    registry.Put("SOFTWARE\\InterVideo\\WinDVDi", "Other", "C:\\WinDVDi");
    EXPECT_EQ(Look(registry, launch::kWinDVD, installed), std::string(6, ' '));
    EXPECT_FALSE(installed);
    EXPECT_EQ(registry.OpenHandles(), 0) << "every key opened is closed again";
}

TEST(WebLinks, AddressesAreBuiltExactlyWithTheirEncodings) {
    EXPECT_EQ(launch::PercentEncode("Jane Doe-Smith@mail.example"),
              "Jane%20Doe%2dSmith%40mail%2eexample");
    EXPECT_EQ(launch::PercentEncode("a_b~c"), "a_b~c");
    EXPECT_EQ(launch::HomePageAddress("www.host.test"), "http://www.host.test/default.asp");
    EXPECT_EQ(launch::DonationAddress("pay.test", "me@site.test"),
              "https://pay.test/cgi-bin/webscr?cmd=_xclick&business=me%40site%2etest"
              "&item_name=Morv%20Zezodidode&no_shipping=2&no_note=1&tax=0&currency_code=EUR"
              "&bn=PP%2dDonationsBF&charset=UTF%2d8");
}

TEST(WebLinks, PagesOpenMaximisedWithTheBuildsHosts) {
    platform::memory::MemoryShell shell;
    launch::OpenHomePage(shell);
    launch::OpenDonationPage(shell);
    ASSERT_EQ(shell.executed.size(), 2u);
    EXPECT_EQ(shell.executed[0].file,
              "http://" + std::string(launch::deployment::kHomeHost) + "/default.asp");
    EXPECT_EQ(shell.executed[1].file,
              launch::DonationAddress(launch::deployment::kPaymentHost, launch::deployment::kPayee));
    for (const auto& call : shell.executed) {
        EXPECT_EQ(call.operation, "Open");
        EXPECT_EQ(call.showCommand, 3);
        EXPECT_TRUE(call.parameters.empty() && call.directory.empty());
    }
}

TEST(AboutVersion, IsPlainDecimalNumbers) {
    EXPECT_EQ(launch::VersionText({3, 1, 1}), "Version 3.1.1");
    EXPECT_EQ(launch::VersionText({12, 0, 305}), "Version 12.0.305");
}

}  // namespace
