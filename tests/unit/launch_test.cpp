// Players found by their install keys, the shell open, and the web addresses.
#include <gtest/gtest.h>

#include "launch/deployment.h"
#include "launch/form_about.h"
#include "launch/html.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"

namespace {

using platform::memory::MemoryRegistry;

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
