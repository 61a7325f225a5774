// Saving and restoring the desktop icon layouts against the in-memory desktop, file system and
// registry: the exact calls, where each operation stops, and what reaches the files.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "icons/icon_mem.h"
#include "icons/icon_refresh.h"
#include "platform/memory/memory_desktop.h"
#include "platform/memory/memory_display.h"
#include "platform/memory/memory_registry.h"
#include "platform/memory/memory_shell.h"
#include "platform/memory/memory_system.h"
#include "platform/memory/memory_platform.h"

using platform::Point;
using platform::memory::Mode;

namespace {

using Calls = std::vector<std::string>;

constexpr const char* kFolder = "C:\\Program Files\\Dravik\\Iconset";
constexpr const char* kLayout = "C:\\Program Files\\Dravik\\Iconset\\ 1024- 768";
constexpr const char* kMetrics = "Control Panel\\Desktop\\WindowMetrics";

const Calls kFindListView = {"FindWindowA Progman", "FindWindowExA #1 SHELLDLL_defVIEW",
                             "FindWindowExA #2 SysListView32"};
// The refresh when "Shell Icon Size" is absent: the desktop window is locked and let go.
const Calls kBareRefresh = {"GetDesktopWindow", "LockWindowUpdate 0x10010", "LockWindowUpdate 0"};
// A restore first makes sure the desktop answers; each operation asks for the shell's folder
// view, which the desktops of these tests do not offer unless they say so.
const std::string kAnswers = "SendMessageTimeoutA BLOCK #3 WM_NULL 0 0";
const std::string kOpenView = "OpenDesktopFolderView";
const std::string kBroadcast = "SendMessageTimeoutA 0xFFFF WM_SETTINGCHANGE 42 0 flags=2 timeout=1";

Calls Join(std::initializer_list<Calls> parts) {
    Calls all;
    for (const Calls& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

// The calls whose text starts with one of these.
Calls Only(const Calls& calls, std::initializer_list<std::string> prefixes) {
    Calls picked;
    for (const std::string& c : calls)
        for (const std::string& p : prefixes)
            if (c.compare(0, p.size(), p) == 0) {
                picked.push_back(c);
                break;
            }
    return picked;
}

class IconLayoutsTest : public ::testing::Test, protected platform::memory::MemoryPlatform {
protected:
    IconLayoutsTest() {
        display.SetCurrent(Mode(1024, 768, 32, 60));
        system.folders.insert(kFolder);
    }

    std::string Layout() { return system.Contents(kLayout).value_or("<no file>"); }

    icons::IconMem icons{platform, desktop};
};

TEST_F(IconLayoutsTest, OneLayoutFilePerScreenSizeWhateverTheDepthAndRate) {
    EXPECT_EQ(icons::LayoutFilePath(display, system), kLayout);
    display.SetCurrent(Mode(800, 600, 8, 60));
    const std::string at256 = icons::LayoutFilePath(display, system);
    EXPECT_EQ(at256, "C:\\Program Files\\Dravik\\Iconset\\ 800- 600");
    display.SetCurrent(Mode(800, 600, 32, 75));
    EXPECT_EQ(icons::LayoutFilePath(display, system), at256);

    EXPECT_FALSE(icons.IconLayoutExists());
    system.PutFile(at256, "");
    EXPECT_TRUE(icons.IconLayoutExists());
    system.folders.insert(kLayout);  // a folder of that name is no layout
    display.SetCurrent(Mode(1024, 768, 32, 60));
    EXPECT_FALSE(icons.IconLayoutExists());
}

TEST_F(IconLayoutsTest, SaveReadsEveryPositionThroughOneRemoteBufferThenWritesTheFile) {
    desktop.AddShellDesktop({{10, 20}, {-10, 5}, {300, 40}});
    std::size_t fileOpsWhenReleased = 99;
    desktop.onCall = [&](const std::string& call) {
        if (call == "VirtualFreeEx+CloseHandle") fileOpsWhenReleased = system.fileOps.size();
    };
    icons.SaveIconLayout();

    EXPECT_EQ(desktop.calls,
              Join({kFindListView,
                    {kOpenView, "GetWindowLongA #3 GWL_STYLE", "GetWindowThreadProcessId #3",
                     "SendMessageTimeoutA BLOCK #3 LVM_GETITEMCOUNT 0 0", "GetVersionExA",
                     "OpenProcess+VirtualAllocEx 4242", "WriteProcessMemory (0, 0)",
                     "SendMessageTimeoutA BLOCK #3 LVM_GETITEMPOSITION 0 @buffer", "ReadProcessMemory",
                     "SendMessageTimeoutA BLOCK #3 LVM_GETITEMPOSITION 1 @buffer", "ReadProcessMemory",
                     "SendMessageTimeoutA BLOCK #3 LVM_GETITEMPOSITION 2 @buffer", "ReadProcessMemory",
                     "VirtualFreeEx+CloseHandle"}}));
    EXPECT_EQ(fileOpsWhenReleased, 0u) << "the buffer goes before the file is touched";
    EXPECT_EQ(desktop.liveBuffers, 0);
    EXPECT_EQ(Layout(), " 1310730 \r\n 327670 \r\n 2621740 \r\n");
    // Written beside the old layout, then put in its place.
    EXPECT_EQ(system.fileOps, (Calls{"write " + std::string(kLayout) + ".new",
                                     "move " + std::string(kLayout) + ".new > " + kLayout}));
    EXPECT_FALSE(system.FileExists(std::string(kLayout) + ".new"));
    EXPECT_FALSE(icons.AutoArrangeWasOn());
}

TEST_F(IconLayoutsTest, The9xFamilyReadsThroughASharedViewAndGetsTheSameBytes) {
    desktop.AddShellDesktop({{10, 20}, {-10, 5}});
    icons.SaveIconLayout();
    const std::string viaRemote = Layout();

    for (const std::optional<std::uint32_t> id : {std::optional<std::uint32_t>(1), std::optional<std::uint32_t>()}) {
        desktop.platformId = id;  // Windows 9x, and a version query that fails
        desktop.calls.clear();
        system.RemoveFile(kLayout);
        icons.SaveIconLayout();
        EXPECT_EQ(Only(desktop.calls, {"GetVersionExA", "OpenProcess", "Write", "Read", "Virtual", "Create",
                                       "RtlMove", "Unmap", "SendMessageTimeoutA BLOCK #3 LVM_GETITEMPOSITION"}),
                  (Calls{"GetVersionExA", "CreateFileMappingA+MapViewOfFile", "RtlMoveMemory in (0, 0)",
                         "SendMessageTimeoutA BLOCK #3 LVM_GETITEMPOSITION 0 @buffer", "RtlMoveMemory out",
                         "SendMessageTimeoutA BLOCK #3 LVM_GETITEMPOSITION 1 @buffer", "RtlMoveMemory out",
                         "UnmapViewOfFile+CloseHandle"}));
        EXPECT_EQ(Layout(), viaRemote);
        EXPECT_EQ(desktop.liveBuffers, 0);
    }
}

TEST_F(IconLayoutsTest, SaveStopsWithoutTouchingTheFileWhenThereIsNothingToReadFrom) {
    const std::string old = " 1 \r\n 2 \r\n";
    system.PutFile(kLayout, old);

    // No desktop at all.
    icons.SaveIconLayout();
    EXPECT_EQ(desktop.calls, (Calls{"FindWindowA Progman", "FindWindowExA NULL 0 WorkerW"}));

    // A "Progman" without a shell view, a "WorkerW" without one, and a list view under another
    // top-level window.
    desktop.AddWindow("Progman");
    desktop.AddWindow("WorkerW");
    const auto other = desktop.AddWindow("Shell_TrayWnd");
    const auto view = desktop.AddWindow("SHELLDLL_DefView", other);
    desktop.AddWindow("SysListView32", view);
    desktop.calls.clear();
    icons.SaveIconLayout();
    EXPECT_EQ(desktop.calls, (Calls{"FindWindowA Progman", "FindWindowExA #1 SHELLDLL_defVIEW",
                                    "FindWindowExA NULL 0 WorkerW",
                                    "FindWindowExA #2 SHELLDLL_DefView",
                                    "FindWindowExA NULL #2 WorkerW"}));
    EXPECT_TRUE(system.fileOps.empty());
    EXPECT_EQ(Layout(), old);
}

TEST_F(IconLayoutsTest, OnlyTheFirstProgmanIsSearched) {
    desktop.AddWindow("Progman");
    desktop.AddShellDesktop({{1, 1}});
    icons.SaveIconLayout();
    EXPECT_EQ(desktop.calls, (Calls{"FindWindowA Progman", "FindWindowExA #1 SHELLDLL_defVIEW",
                                    "FindWindowExA NULL 0 WorkerW"}));
    EXPECT_FALSE(system.FileExists(kLayout));
}

TEST_F(IconLayoutsTest, AViewUnderWorkerWIsFoundWhenProgmanHasNone) {
    // Progman #1 without a view, an empty WorkerW #2, the view's WorkerW #3.
    desktop.AddShellDesktop({{5, 6}, {7, 8}}, false,
                            platform::memory::MemoryDesktop::ShellHost::WorkerW);
    icons.SaveIconLayout();
    EXPECT_EQ(Only(desktop.calls, {"FindWindow"}),
              (Calls{"FindWindowA Progman", "FindWindowExA #1 SHELLDLL_defVIEW",
                     "FindWindowExA NULL 0 WorkerW", "FindWindowExA #2 SHELLDLL_DefView",
                     "FindWindowExA NULL #2 WorkerW", "FindWindowExA #3 SHELLDLL_DefView",
                     "FindWindowExA #4 SysListView32"}));
    EXPECT_EQ(Layout(), " 393221 \r\n 524295 \r\n");

    // A restore moves the items of that same view.
    desktop.items = {{0, 0}, {0, 0}};
    icons.RestoreIconLayout();
    EXPECT_EQ(desktop.items, (std::vector<platform::Point>{{5, 6}, {7, 8}}));
}

TEST_F(IconLayoutsTest, ProgmansViewWinsOverOneUnderWorkerW) {
    // A WorkerW view made first, so that it comes first among the windows; then the classic
    // desktop, whose list view the shell's messages go to.
    const auto worker = desktop.AddWindow("WorkerW");
    const auto workerView = desktop.AddWindow("SHELLDLL_DefView", worker);
    desktop.AddWindow("SysListView32", workerView);
    desktop.AddShellDesktop({{1, 2}});
    icons.SaveIconLayout();
    EXPECT_EQ(desktop.Count("FindWindowExA NULL"), 0) << "no WorkerW is looked at";
    EXPECT_EQ(Layout(), " 131073 \r\n");
}

TEST_F(IconLayoutsTest, ClassNamesMatchWithoutRegardToCase) {
    const auto progman = desktop.AddWindow("PROGMAN");
    const auto view = desktop.AddWindow("shelldll_defview", progman);
    const auto list = desktop.AddWindow("syslistview32", view);
    desktop.listView = list;
    desktop.items = {{5, 6}};
    icons.SaveIconLayout();
    EXPECT_EQ(Layout(), " 393221 \r\n");
}

TEST_F(IconLayoutsTest, AnEmptyDesktopGetsNoBufferAndLeavesTheLayoutAsItWas) {
    system.PutFile(kLayout, " 42 \r\n");
    desktop.AddShellDesktop({});
    icons.SaveIconLayout();
    EXPECT_EQ(desktop.calls.back(), "SendMessageTimeoutA BLOCK #3 LVM_GETITEMCOUNT 0 0");
    EXPECT_EQ(desktop.Count("GetVersionExA"), 0);
    EXPECT_EQ(desktop.Count("OpenProcess"), 0);
    EXPECT_TRUE(system.fileOps.empty());
    EXPECT_EQ(Layout(), " 42 \r\n");
}

TEST_F(IconLayoutsTest, WithoutABufferNoItemIsAskedForAndTheLayoutStays) {
    system.PutFile(kLayout, " 42 \r\n");
    desktop.AddShellDesktop({{1, 2}});
    desktop.refuseRemoteBuffer = true;
    icons.SaveIconLayout();
    EXPECT_EQ(desktop.calls.back(), "OpenProcess+VirtualAllocEx 4242");
    EXPECT_EQ(desktop.Count("SendMessageTimeoutA BLOCK #3 LVM_GETITEMPOSITION"), 0);

    desktop.platformId = 1;
    desktop.refuseSharedBuffer = true;
    icons.SaveIconLayout();
    EXPECT_EQ(desktop.calls.back(), "CreateFileMappingA+MapViewOfFile");
    EXPECT_EQ(desktop.Count("SendMessageTimeoutA BLOCK #3 LVM_GETITEMPOSITION"), 0);
    EXPECT_TRUE(system.fileOps.empty());
    EXPECT_EQ(Layout(), " 42 \r\n");
}

TEST_F(IconLayoutsTest, AnItemThatCannotBeReadIsStoredAsZero) {
    desktop.AddShellDesktop({{10, 20}, {30, 40}});
    desktop.failBufferReads = true;
    icons.SaveIconLayout();
    EXPECT_EQ(Layout(), " 0 \r\n 0 \r\n");
}

TEST_F(IconLayoutsTest, ASaveThatCannotWriteLeavesTheOldLayoutWhole) {
    const std::string old = " 1310730 \r\n 327670 \r\n";
    desktop.AddShellDesktop({{1, 1}, {2, 2}, {3, 3}});
    system.PutFile(kLayout, old);

    system.failNextWriteAfter = 5;  // the disk fills up half-way
    icons.SaveIconLayout();
    EXPECT_EQ(Layout(), old);
    EXPECT_FALSE(system.FileExists(std::string(kLayout) + ".new")) << "the part written is removed";

    system.refuseMoves = true;  // the layout is held open by another program
    icons.SaveIconLayout();
    EXPECT_EQ(Layout(), old);
    EXPECT_FALSE(system.FileExists(std::string(kLayout) + ".new"));

    system.refuseMoves = false;
    icons.SaveIconLayout();
    EXPECT_EQ(Layout(), " 65537 \r\n 131074 \r\n 196611 \r\n");
}

TEST_F(IconLayoutsTest, WithoutTheIconsetFolderTheSaveWritesNothing) {
    system.folders.erase(kFolder);
    desktop.AddShellDesktop({{1, 1}});
    icons.SaveIconLayout();
    EXPECT_FALSE(system.FileExists(kLayout));
    EXPECT_FALSE(system.FileExists(std::string(kLayout) + ".new"));
    EXPECT_EQ(desktop.liveBuffers, 0);
}

TEST_F(IconLayoutsTest, RestoreRefreshesThenMovesEveryStoredIconInFourPassesThenRedraws) {
    desktop.AddShellDesktop({{10, 20}, {-10, 5}});
    icons.SaveIconLayout();
    desktop.items = {{400, 400}, {500, 500}};
    desktop.calls.clear();
    system.fileOps.clear();

    icons.RestoreIconLayout();
    Calls pass = {"SendMessageTimeoutA BLOCK #3 LVM_SETITEMPOSITION 0 0x14000A",
                  // x = -10, y = 5: the low word 0xFFF6, the high word 5.
                  "SendMessageTimeoutA BLOCK #3 LVM_SETITEMPOSITION 1 0x5FFF6"};
    EXPECT_EQ(desktop.calls, Join({kFindListView, {kAnswers}, kBareRefresh, {kOpenView}, pass, pass, pass,
                                   pass, {"InvalidateRect NULL NULL FALSE"}}));
    EXPECT_EQ(system.fileOps, Calls{"read " + std::string(kLayout)});
    EXPECT_EQ(desktop.items, (std::vector<Point>{{10, 20}, {-10, 5}}));
}

TEST_F(IconLayoutsTest, IconsAreMatchedByIndexAlone) {
    desktop.AddShellDesktop({{1, 1}, {2, 2}, {3, 3}});
    system.PutFile(kLayout, " 65546 \r\n");  // (10, 1) for item 0 only
    icons.RestoreIconLayout();
    EXPECT_EQ(desktop.items, (std::vector<Point>{{10, 1}, {2, 2}, {3, 3}})) << "icons added since stay";
    EXPECT_EQ(desktop.Count("SendMessageTimeoutA BLOCK #3 LVM_SETITEMPOSITION"), 4);

    system.PutFile(kLayout, " 1 \r\n 2 \r\n 3 \r\n 4 \r\n 5 \r\n");
    desktop.calls.clear();
    icons.RestoreIconLayout();
    EXPECT_EQ(desktop.Count("SendMessageTimeoutA BLOCK #3 LVM_SETITEMPOSITION 4 "), 4) << "removed icons are still sent";
    EXPECT_EQ(desktop.items, (std::vector<Point>{{1, 0}, {2, 0}, {3, 0}}));
}

TEST_F(IconLayoutsTest, ADamagedLineLeavesItsIconWhereItIs) {
    desktop.AddShellDesktop({{1, 1}, {2, 2}, {3, 3}});
    system.PutFile(kLayout, " 65546 \r\n#?!\r\n 65556 \r\n");
    icons.RestoreIconLayout();
    EXPECT_EQ(desktop.items, (std::vector<Point>{{10, 1}, {2, 2}, {20, 1}}));
    EXPECT_EQ(desktop.Count("SendMessageTimeoutA BLOCK #3 LVM_SETITEMPOSITION 1 "), 0);
}

TEST_F(IconLayoutsTest, APositionBeyond16BitsIsSentAtTheEdgeNotWrapped) {
    desktop.AddShellDesktop({{1, 1}});
    system.PutFile(kLayout, "2147483647\r\n");  // x = -1, y = 32768 by another writer
    icons.RestoreIconLayout();
    EXPECT_EQ(desktop.Count("SendMessageTimeoutA BLOCK #3 LVM_SETITEMPOSITION 0 0x7FFFFFFF"), 4);
}

TEST_F(IconLayoutsTest, AtMost2001StoredPositionsAreRestored) {
    std::vector<Point> many;
    std::string text;
    for (int i = 0; i < 2100; ++i) {
        many.push_back({i, 1});
        text += " " + std::to_string(i + 65536 * 2) + " \r\n";
    }
    desktop.AddShellDesktop(many);
    system.PutFile(kLayout, text);
    icons.RestoreIconLayout();
    EXPECT_EQ(desktop.Count("SendMessageTimeoutA BLOCK #3 LVM_SETITEMPOSITION"), 4 * 2001);
    EXPECT_EQ(desktop.items[2000], (Point{2000, 2}));
    EXPECT_EQ(desktop.items[2001], (Point{2001, 1}));
}

TEST_F(IconLayoutsTest, ANothingToRestoreStillRefreshesAndRedraws) {
    desktop.AddShellDesktop({{1, 1}});
    for (const char* content : {"", "<unreadable>"}) {
        desktop.calls.clear();
        system.PutFile(kLayout, content);
        system.refuseReads = std::string(content) == "<unreadable>";
        icons.RestoreIconLayout();
        EXPECT_EQ(desktop.calls, Join({kFindListView, {kAnswers}, kBareRefresh, {kOpenView},
                                       {"InvalidateRect NULL NULL FALSE"}}))
            << content;
    }
    // Without a list view there is nothing to move either.
    platform::memory::MemoryDesktop empty;
    icons::IconMem alone(platform, empty);
    system.refuseReads = false;
    system.PutFile(kLayout, " 5 \r\n");
    alone.RestoreIconLayout();
    EXPECT_EQ(empty.calls, Join({{"FindWindowA Progman", "FindWindowExA NULL 0 WorkerW"}, kBareRefresh,
                                 {"InvalidateRect NULL NULL FALSE"}}));
}

TEST_F(IconLayoutsTest, AutoArrangeFoundAtASaveIsCommandedThereAndAtEveryRestore) {
    desktop.AddShellDesktop({{1, 1}}, /*autoArrange=*/true);
    icons.RestoreIconLayout();
    EXPECT_EQ(desktop.Count("SendMessageTimeoutA BLOCK #2 WM_COMMAND"), 0) << "no save has seen it yet";

    desktop.calls.clear();
    icons.SaveIconLayout();
    EXPECT_EQ(Calls(desktop.calls.begin() + 4, desktop.calls.begin() + 8),
              (Calls{"GetWindowLongA #3 GWL_STYLE", "GetParent #3", "SendMessageTimeoutA BLOCK #2 WM_COMMAND 0x7041 0",
                     "GetWindowThreadProcessId #3"}));
    EXPECT_TRUE(icons.AutoArrangeWasOn());
    EXPECT_FALSE(desktop.AutoArrange()) << "the shell view switched it over";

    desktop.calls.clear();
    icons.RestoreIconLayout();
    EXPECT_EQ(Calls(desktop.calls.end() - 3, desktop.calls.end()),
              (Calls{"InvalidateRect NULL NULL FALSE", "GetParent #3", "SendMessageTimeoutA BLOCK #2 WM_COMMAND 0x7041 0"}));
    icons.RestoreIconLayout();
    EXPECT_EQ(desktop.Count("SendMessageTimeoutA BLOCK #2 WM_COMMAND 0x7041 0"), 2);

    // A later save that finds it off does not clear what the first one found.
    icons.SaveIconLayout();
    EXPECT_TRUE(icons.AutoArrangeWasOn());
}

// --- the shell's folder view, and a shell that stops answering ---

TEST_F(IconLayoutsTest, TheFolderViewOfTheSameDesktopSavesAndRestoresInOneCallEachWayAsTheMessagesDo) {
    desktop.AddShellDesktop({{10, 20}, {-10, 5}, {300, 40}});
    icons.SaveIconLayout();
    const std::string byMessages = Layout();

    desktop.offerFolderView = true;
    desktop.calls.clear();
    system.RemoveFile(kLayout);
    icons.SaveIconLayout();
    EXPECT_EQ(Layout(), byMessages) << "either route writes the same file";
    EXPECT_EQ(desktop.Count("FolderView ItemPositions"), 1);
    EXPECT_EQ(desktop.Count("SendMessageTimeoutA BLOCK"), 0);
    EXPECT_EQ(desktop.Count("OpenProcess"), 0);

    // Explorer since Windows 10 1809 puts back what list-view messages set at its next save
    // of its own record; what reaches it through the view stays.
    desktop.explorerRecord = desktop.items = {{400, 400}, {500, 500}, {600, 600}};
    desktop.calls.clear();
    icons.RestoreIconLayout();
    EXPECT_EQ(Only(desktop.calls, {"FolderView PositionItems", "SendMessageTimeoutA BLOCK #3 LVM"}),
              Calls{"FolderView PositionItems 3"});
    desktop.RefreshFromRecord();
    EXPECT_EQ(desktop.items, (std::vector<Point>{{10, 20}, {-10, 5}, {300, 40}}));

    desktop.offerFolderView = false;  // XP: no folder view of the desktop
    desktop.explorerRecord = desktop.items = {{400, 400}, {500, 500}, {600, 600}};
    icons.RestoreIconLayout();
    EXPECT_EQ(desktop.items, (std::vector<Point>{{10, 20}, {-10, 5}, {300, 40}}));
    desktop.RefreshFromRecord();
    EXPECT_EQ(desktop.items[0], (Point{400, 400})) << "the stand-in behaves as Explorer does";
}

TEST_F(IconLayoutsTest, AFolderViewOfAnotherDesktopOrOneThatRefusesLeavesTheWorkToTheMessages) {
    desktop.AddShellDesktop({{1, 1}, {2, 2}});
    desktop.offerFolderView = true;
    desktop.folderViewWindow = desktop.AddWindow("SHELLDLL_DefView", desktop.AddWindow("Progman"));
    icons.SaveIconLayout();
    EXPECT_EQ(Layout(), " 65537 \r\n 131074 \r\n");
    EXPECT_EQ(desktop.Count("FolderView ItemPositions"), 0) << "two desktops are never mixed";

    desktop.folderViewWindow = 0;  // Wine's shell: a view without a window
    desktop.items = {{7, 7}, {8, 8}};
    icons.RestoreIconLayout();
    EXPECT_EQ(desktop.Count("FolderView PositionItems"), 0);
    EXPECT_EQ(desktop.items, (std::vector<Point>{{1, 1}, {2, 2}}));

    desktop.folderViewWindow.reset();
    desktop.folderViewRefusesPositioning = true;  // Wine's shell32: E_NOTIMPL
    desktop.items = {{7, 7}, {8, 8}};
    desktop.calls.clear();
    icons.RestoreIconLayout();
    EXPECT_EQ(desktop.Count("FolderView PositionItems 2"), 1);
    EXPECT_EQ(desktop.Count("SendMessageTimeoutA BLOCK #3 LVM_SETITEMPOSITION"), 4 * 2);
    EXPECT_EQ(desktop.items, (std::vector<Point>{{1, 1}, {2, 2}}));
}

TEST_F(IconLayoutsTest, TheFolderViewsOwnArrangementIsTurnedOffAtTheSaveAndOnAtTheRestore) {
    desktop.AddShellDesktop({{1, 1}}, /*autoArrange=*/true);
    desktop.offerFolderView = true;
    icons.SaveIconLayout();
    EXPECT_TRUE(icons.AutoArrangeWasOn());
    EXPECT_FALSE(desktop.AutoArrange());
    icons.RestoreIconLayout();
    icons.RestoreIconLayout();
    EXPECT_TRUE(desktop.AutoArrange()) << "set, not switched over, by the view's flag";
    EXPECT_EQ(Only(desktop.calls, {"FolderView SetAutoArrange", "SendMessageTimeoutA BLOCK #2 WM_COMMAND"}),
              (Calls{"FolderView SetAutoArrange 0", "FolderView SetAutoArrange 1", "FolderView SetAutoArrange 1"}));
}

TEST_F(IconLayoutsTest, AShellThatStopsAnsweringDropsTheSaveWholeAndAsksNoMore) {
    const std::string old = " 1 \r\n 2 \r\n";
    system.PutFile(kLayout, old);
    desktop.AddShellDesktop(std::vector<Point>(500, Point{5, 5}));
    for (const bool route : {false, true}) {
        // Messages: none answered, the count only, half the positions. The folder view: none,
        // the open only, its window only, all but the positions.
        for (const int answers : route ? std::vector<int>{0, 1, 2, 3} : std::vector<int>{0, 1, 250}) {
            desktop.offerFolderView = route;
            desktop.answersLeft = answers;
            desktop.calls.clear();
            icons.SaveIconLayout();
            EXPECT_EQ(Layout(), old) << "route " << route << ", answers " << answers;
            EXPECT_EQ(desktop.liveBuffers, 0);
            // After the first question left unanswered, at most one more (the messages after
            // a folder view that gave up) before the save stops.
            EXPECT_LE(desktop.Count("(no answer)"), 2) << "route " << route << ", answers " << answers;
        }
    }
    desktop.answersLeft.reset();  // the desktop answers again: the next save works
    icons.SaveIconLayout();
    EXPECT_NE(Layout(), old);
}

TEST_F(IconLayoutsTest, ARestoreOfADesktopThatDoesNotAnswerChangesNothingAndMovesNothing) {
    desktop.AddShellDesktop({{1, 1}, {2, 2}});
    system.PutFile(kLayout, " 65546 \r\n 65556 \r\n");
    registry.Put(platform::kCurrentUser, kMetrics, "Shell Icon Size", "32");
    desktop.answersLeft = 0;
    icons.RestoreIconLayout();
    EXPECT_EQ(desktop.Count("LockWindowUpdate"), 0);
    EXPECT_EQ(desktop.Count("SendMessageTimeoutA 0xFFFF"), 0) << "no icon-size change announced";
    EXPECT_EQ(desktop.Count("(no answer)"), 1);
    EXPECT_EQ(desktop.items, (std::vector<Point>{{1, 1}, {2, 2}}));

    // It stops answering in the middle of the moves: what is left is not sent.
    desktop.answersLeft = 3;  // WM_NULL and two moves
    icons.RestoreIconLayout();
    EXPECT_EQ(desktop.Count("(no answer)"), 2);
    EXPECT_EQ(desktop.Count("InvalidateRect"), 1) << "the screen is redrawn over what moved";
}

// --- the icon refresh ---

class IconRefreshTest : public ::testing::Test {
protected:
    IconRefreshTest() {
        desktop.onCall = [this](const std::string& call) {
            if (call == kBroadcast) atBroadcast.push_back(Stored());
        };
    }

    std::string Stored() {
        const auto v = registry.Get(platform::kCurrentUser, kMetrics, icons::kShellIconSize);
        return v ? std::to_string(v->type) + ":" + v->bytes : "<absent>";
    }
    void Refresh() { icons::RefreshDesktopIcons(desktop, registry); }
    Calls Broadcasts() { return Only(desktop.calls, {"SendMessageTimeoutA 0xFFFF"}); }

    platform::memory::MemoryDesktop desktop;
    platform::memory::MemoryRegistry registry;
    std::vector<std::string> atBroadcast;
};

TEST_F(IconRefreshTest, ShellIconSizeGoesDownByOneAndBackWithABroadcastAfterEach) {
    registry.Put(platform::kCurrentUser, kMetrics, "Shell Icon Size", std::string("32\0", 3));
    Refresh();
    EXPECT_EQ(desktop.calls, (Calls{"GetDesktopWindow", "LockWindowUpdate 0x10010", kBroadcast, kBroadcast,
                                    "LockWindowUpdate 0"}));
    EXPECT_EQ(atBroadcast, (Calls{std::string("1:31\0", 5), std::string("1:32\0", 5)}));
    EXPECT_EQ(Stored(), std::string("1:32\0", 5));
    EXPECT_EQ(registry.Writes(), 2);
    EXPECT_EQ(registry.OpenAccess(), std::vector<std::uint32_t>{0x3F});
    EXPECT_EQ(registry.OpenHandles(), 0) << "the key is closed";
}

TEST_F(IconRefreshTest, TheTextReadIsWrittenBackAsReadWithItsNul) {
    // No NUL stored: the whole value is the text. A blank before the digits still counts.
    registry.Put(platform::kCurrentUser, kMetrics, "Shell Icon Size", " 48");
    Refresh();
    EXPECT_EQ(atBroadcast, (Calls{std::string("1:47\0", 5), std::string("1: 48\0", 6)}));

    // Bytes after the first NUL are not part of the text.
    atBroadcast.clear();
    registry.Put(platform::kCurrentUser, kMetrics, "Shell Icon Size", std::string("0\0junk", 6));
    Refresh();
    EXPECT_EQ(atBroadcast, (Calls{std::string("1:-1\0", 5), std::string("1:0\0", 4)}));
}

TEST_F(IconRefreshTest, WithoutAWholeNumberInAStringValueNothingIsWrittenOrBroadcast) {
    auto expectUntouched = [&](const std::string& label) {
        EXPECT_EQ(desktop.calls, (Calls{"GetDesktopWindow", "LockWindowUpdate 0x10010", "LockWindowUpdate 0"}))
            << label;
        EXPECT_EQ(registry.Writes(), 0) << label;
        EXPECT_EQ(registry.OpenHandles(), 0) << label;
        desktop.calls.clear();
    };
    Refresh();
    expectUntouched("no key");
    registry.Put(platform::kCurrentUser, kMetrics, "Other", "1");
    Refresh();
    expectUntouched("no value");
    for (const std::string& text : {std::string(), std::string("\0", 1), std::string("abc"),
                                   std::string("12.5"), std::string("99999999999"),
                                   std::string("-2147483648")}) {
        registry.Put(platform::kCurrentUser, kMetrics, "Shell Icon Size", text);
        Refresh();
        expectUntouched("text '" + text + "'");
    }
    for (std::uint32_t type : {platform::kRegDword, platform::kRegExpandSz, platform::kRegBinary}) {
        registry.Put(platform::kCurrentUser, kMetrics, "Shell Icon Size", "32", type);
        Refresh();
        expectUntouched("type " + std::to_string(type));
    }
    // The value under HKEY_LOCAL_MACHINE is not the user's.
    registry.Put(kMetrics, "Shell Icon Size", "32");
    registry.Put(platform::kCurrentUser, kMetrics, "Shell Icon Size", "32", platform::kRegDword);
    Refresh();
    expectUntouched("machine value");
}

TEST_F(IconRefreshTest, AFirstWriteThatFailsSendsNoBroadcast) {
    registry.Put(platform::kCurrentUser, kMetrics, "Shell Icon Size", "32");
    registry.DenyWrites(true);
    Refresh();
    EXPECT_TRUE(Broadcasts().empty());
    EXPECT_EQ(Stored(), "1:32");
    EXPECT_EQ(desktop.calls.back(), "LockWindowUpdate 0");
}

TEST_F(IconRefreshTest, ASecondWriteThatFailsLeavesTheLoweredSizeAndStillBroadcasts) {
    registry.Put(platform::kCurrentUser, kMetrics, "Shell Icon Size", "32");
    registry.RefuseWritesAfter(1);
    Refresh();
    EXPECT_EQ(Broadcasts().size(), 2u);
    EXPECT_EQ(Stored(), std::string("1:31\0", 5));
    EXPECT_EQ(desktop.calls.back(), "LockWindowUpdate 0");
}

TEST_F(IconRefreshTest, ARestoreRefreshesBeforeItMovesAnyIcon) {
    platform::memory::MemoryDisplay display;
    display.SetCurrent(Mode(1024, 768, 32, 60));
    platform::memory::MemorySystem system;
    platform::memory::MemoryUi ui;
    platform::memory::MemoryShell shell;
    platform::memory::MemoryRegistry registry32;
    platform::Platform platform{display, registry, system, ui, shell, registry32};
    icons::IconMem icons(platform, desktop);
    system.PutFile(kLayout, " 65546 \r\n");
    desktop.AddShellDesktop({{1, 1}});
    registry.Put(platform::kCurrentUser, kMetrics, "Shell Icon Size", "32");

    icons.RestoreIconLayout();
    const Calls order = Only(desktop.calls, {"LockWindowUpdate", "SendMessageTimeoutA 0xFFFF", "SendMessageTimeoutA BLOCK #3 LVM_SET"});
    ASSERT_EQ(order.size(), 8u);
    EXPECT_EQ(Calls(order.begin(), order.begin() + 4),
              (Calls{"LockWindowUpdate 0x10010", kBroadcast, kBroadcast, "LockWindowUpdate 0"}));
}

}  // namespace
