// End-to-end tests of the desktop icon layouts: the real Dravik.exe under Wine reads and moves
// the icons of testdesk.exe, our stand-in for the shell's desktop (Wine has none), an x86_64
// program in a process of its own, and keeps its layouts in the "Iconset" folder beside its
// own copy of the executable.
#include <gtest/gtest.h>

#include <csignal>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "dravik_fixture.h"

namespace {

using namespace dravik_e2e;

constexpr const char* kMetricsKey = "HKCU\\Control Panel\\Desktop\\WindowMetrics";
constexpr const char* kShellIconSize = "Shell Icon Size";

struct Pos {
    long x = 0, y = 0;
    bool operator==(const Pos&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Pos& p) { return os << "(" << p.x << ", " << p.y << ")"; }

// A layout line as the program writes it, worked out here on its own: x + y * 65536 in its
// sign column, a blank, CR LF.
std::string Line(const Pos& p) {
    const long long packed = p.x + p.y * 65536LL;
    return (packed < 0 ? "" : " ") + std::to_string(packed) + " \r\n";
}

std::string Lines(const std::vector<Pos>& positions) {
    std::string text;
    for (const Pos& p : positions) text += Line(p);
    return text;
}

using e2e::WindowsPath;

class IconsE2E : public DravikE2E {
protected:
    void SetUp() override {
        DravikE2E::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        appDir_ = caseDir_ + "/app";
        deskExe_ = TheBench().buildDir + "/tools/testdesk.exe";
        ASSERT_TRUE(e2e::FileExists(deskExe_)) << "testdesk.exe not built at " << deskExe_;
        // A copy of its own, so that each test starts without layouts.
        std::error_code ec;
        fs::create_directories(appDir_, ec);
        fs::copy_file(TheBench().exe, App(), fs::copy_options::overwrite_existing, ec);
        ASSERT_FALSE(ec) << "copying Dravik.exe: " << ec.message();
        deskLog_ = caseDir_ + "/testdesk.log";
    }

    void TearDown() override {
        if (desk_.Running()) {
            Desk({"quit"});
            if (!desk_.WaitExit(10s)) desk_.Kill();
        }
        holder_.Kill();
        DravikE2E::TearDown();
    }

    std::string App() const { return appDir_ + "/Dravik.exe"; }

    // Starts the copy and waits until its start-up layout save has run. The program saves once
    // its window is up and its queue is idle; a command handed to it (/list here) runs that
    // save first when it is still due, and answers only after it.
    void StartDravik(const std::string& exe, const std::string& loader = TheBench().exeLoader) {
        DravikE2E::StartDravik(exe, loader);
        if (HasFatalFailure()) return;
        const RunResult list = e2e::Run({loader, exe, "/list"}, env_, kStartTimeout);
        ASSERT_EQ(list.exitCode, 0) << "Dravik.exe /list: " << list.Describe();
    }
    std::string Iconset() const { return appDir_ + "/Iconset"; }

    // The layout file of the screen size in effect, by the name the layouts have always had.
    std::string LayoutPath() {
        const auto now = Current();
        if (!now) return Iconset() + "/<no mode>";
        return Iconset() + "/ " + std::to_string(now->width) + "- " + std::to_string(now->height);
    }

    std::vector<std::string> IconsetFiles() const {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(Iconset(), ec)) names.push_back(entry.path().filename());
        std::sort(names.begin(), names.end());
        return names;
    }

    RunResult Desk(const std::vector<std::string>& args) {
        std::vector<std::string> argv{TheBench().toolLoader, deskExe_};
        argv.insert(argv.end(), args.begin(), args.end());
        return e2e::Run(argv, env_, kProbeTimeout);
    }

    // Starts the stand-in desktop with these arguments (positions "x,y", --items N,
    // --auto-arrange) and waits until its items are in place.
    void StartDesk(const std::vector<std::string>& args) {
        std::vector<std::string> argv{TheBench().toolLoader, deskExe_, "serve", WindowsPath(deskLog_)};
        argv.insert(argv.end(), args.begin(), args.end());
        ASSERT_TRUE(desk_.Start(argv, env_, caseDir_ + "/testdesk.out")) << "cannot start testdesk";
        const bool ready = e2e::WaitUntil([&] { return !desk_.Running() || Logged("ready") > 0; }, kStartTimeout);
        ASSERT_TRUE(ready && desk_.Running()) << "testdesk did not come up; see " << caseDir_ << "/testdesk.out";
    }

    std::vector<Record> DeskLog() const { return e2e::ParseRecords(e2e::ReadWholeFile(deskLog_).value_or("")); }

    // Records of that kind in the desktop's log, and of them those with key=value.
    int Logged(const std::string& kind, const std::string& key = "", const std::string& value = "") const {
        int n = 0;
        for (const Record& r : DeskLog())
            if (r.kind == kind && (key.empty() || r.Get(key) == value)) ++n;
        return n;
    }

    // The desktop's item positions. Asking goes through the desktop's message queue, so every
    // message sent to it before has been handled (and logged) when this returns.
    std::vector<Pos> Positions() {
        const RunResult r = Desk({"positions"});
        EXPECT_TRUE(r.Ok()) << "testdesk positions: " << r.Describe();
        std::vector<Pos> out;
        for (const Record& rec : e2e::ParseRecords(r.out))
            if (rec.kind == "item") out.push_back({rec.Int("x"), rec.Int("y")});
        return out;
    }

    void Move(int index, long x, long y) {
        const RunResult r = Desk({"move", std::to_string(index), std::to_string(x), std::to_string(y)});
        ASSERT_TRUE(r.Ok()) << "testdesk move: " << r.Describe();
    }

    // Has another program open `path` without sharing it, and waits until it holds it.
    void HoldOpen(const std::string& path) {
        const std::string out = caseDir_ + "/holder.out";
        const auto held = [&] { return e2e::ReadWholeFile(out).value_or("").find("held") != std::string::npos; };
        // Once, on a loaded machine, a holder under Wine said nothing for the whole start-up
        // wait; a second holder is started once rather than failing on a start that hung.
        for (const auto wait : {kStartTimeout / 3, kStartTimeout}) {
            ASSERT_TRUE(holder_.Start({TheBench().toolLoader, deskExe_, "hold", WindowsPath(path)}, env_, out));
            if (e2e::WaitUntil([&] { return held() || !holder_.Running(); }, wait) && held()) return;
            if (!holder_.Running()) break;
            std::cerr << "the holder said nothing within " << wait.count() << " s; starting another\n";
            holder_.Kill();
        }
        FAIL() << "the holder did not open the layout; its output:\n" << e2e::ReadWholeFile(out).value_or("(none)");
    }

    void PutLayout(const std::string& path, const std::string& bytes) {
        std::error_code ec;
        fs::create_directories(Iconset(), ec);
        std::ofstream(path, std::ios::binary) << bytes;
        ASSERT_EQ(e2e::ReadWholeFile(path), bytes);
    }

    std::string appDir_, deskExe_, deskLog_;
    e2e::Child desk_, holder_;
};

const std::vector<Pos> kStart = {{10, 20}, {-10, 5}, {300, 40}};
const std::vector<std::string> kStartArgs = {"10,20", "-10,5", "300,40"};

TEST_F(IconsE2E, StartUpWritesTheLayoutOfTheScreenSizeByteForByte) {
    StartDesk(kStartArgs);
    ASSERT_EQ(Positions(), kStart);
    StartDravik(App());

    const std::string path = LayoutPath();
    EXPECT_EQ(IconsetFiles(), std::vector<std::string>{fs::path(path).filename()});
    EXPECT_EQ(fs::path(path).filename(), " " + std::to_string(Current()->width) + "- " +
                                             std::to_string(Current()->height));
    EXPECT_EQ(e2e::ReadWholeFile(path), " 1310730 \r\n 327670 \r\n 2621740 \r\n");
}

TEST_F(IconsE2E, RestoreDesktopIconsPutsMovedIconsBack) {
    StartDesk(kStartArgs);
    StartDravik(App());
    Move(0, 500, 400);
    Move(1, 200, 200);
    Move(2, 0, 0);
    ASSERT_EQ(Positions(), (std::vector<Pos>{{500, 400}, {200, 200}, {0, 0}}));

    Click(ids::kCmdIconRest);
    // The icon left of the screen's edge comes back where it was, not a pixel higher.
    EXPECT_EQ(Positions(), kStart);
    EXPECT_FALSE(Probe({"msgbox"}).Ok()) << "a restore with a layout shows no message";
}

TEST_F(IconsE2E, ADesktopUnderWorkerWIsSavedAndRestored) {
    // "Progman" is there without a view; the view hangs under the second "WorkerW".
    StartDesk({"--workerw", "10,20", "-10,5", "300,40"});
    StartDravik(App());
    EXPECT_EQ(e2e::ReadWholeFile(LayoutPath()), " 1310730 \r\n 327670 \r\n 2621740 \r\n");

    Move(0, 500, 400);
    Move(2, 0, 0);
    Click(ids::kCmdIconRest);
    EXPECT_EQ(Positions(), kStart);
    EXPECT_FALSE(Probe({"msgbox"}).Ok()) << "a restore with a layout shows no message";
}

TEST_F(IconsE2E, ASwitchSavesANewSizeAndASwitchBackRestoresTheFirstSizesLayout) {
    StartDesk(kStartArgs);
    StartDravik(App());
    const std::string firstLayout = LayoutPath();
    const auto now = Current();
    ASSERT_TRUE(now.has_value());
    const std::vector<Mode> modes = Modes();
    const int pick = OtherSize32(modes, *now);
    ASSERT_GE(pick, 0) << "no 32-bit mode of another size to switch to";
    const Mode target = modes[static_cast<std::size_t>(pick)];
    Select(ids::kCmbMovie, pick);

    Click(ids::kBtnMovie);
    e2e::XMode seen;
    ASSERT_TRUE(WaitForXMode(target.width, target.height, target.hz, seen)) << seen.Describe();
    const std::string secondLayout = LayoutPath();
    ASSERT_NE(secondLayout, firstLayout);
    EXPECT_EQ(e2e::ReadWholeFile(secondLayout), Lines(kStart)) << "the new size had no layout: the icons were saved";

    // The shell piles the icons its own way at the new size; the user saves that.
    const std::vector<Pos> piled = {{500, 100}, {600, 100}, {700, 100}};
    for (int i = 0; i < 3; ++i) Move(i, piled[i].x, piled[i].y);
    Click(ids::kCmdIconSave);
    EXPECT_EQ(e2e::ReadWholeFile(secondLayout), Lines(piled));

    Click(ids::kBtnMon);
    ASSERT_TRUE(WaitForXMode(xBefore_.width, xBefore_.height, xBefore_.Rate(), seen)) << seen.Describe();
    EXPECT_EQ(Positions(), kStart) << "back at the first size, its layout is restored";
    EXPECT_EQ(e2e::ReadWholeFile(firstLayout), Lines(kStart)) << "and not overwritten";

    Click(ids::kBtnMovie);
    ASSERT_TRUE(WaitForXMode(target.width, target.height, target.hz, seen)) << seen.Describe();
    EXPECT_EQ(Positions(), piled);
}

TEST_F(IconsE2E, AShellIconSizeOf32IsCycledWithTwoBroadcastsAndStays32) {
    RegSet(kMetricsKey, kShellIconSize, "32");
    StartDesk(kStartArgs);
    StartDravik(App());
    Positions();
    ASSERT_EQ(Logged("setting"), 0) << "a save does not refresh the icons";

    Click(ids::kCmdIconRest);
    Positions();
    EXPECT_EQ(Logged("setting", "wparam", "42"), 2) << "SPI_SETNONCLIENTMETRICS, once down and once back";
    EXPECT_EQ(Logged("setting"), 2);

    const RunResult r = Probe({"reg-get", "64", kMetricsKey, kShellIconSize});
    const auto records = e2e::ParseRecords(r.out);
    ASSERT_FALSE(records.empty()) << r.Describe();
    EXPECT_EQ(records[0].Get("status"), "present");
    EXPECT_EQ(records[0].Get("type"), "1") << "still REG_SZ";
    EXPECT_EQ(Reg(kMetricsKey, kShellIconSize).text, "32");
    EXPECT_EQ(Positions(), kStart);
}

TEST_F(IconsE2E, WithoutAShellIconSizeNothingIsWrittenOrBroadcast) {
    if (Reg(kMetricsKey, kShellIconSize).present) RegDelete(kMetricsKey, kShellIconSize);
    StartDesk(kStartArgs);
    StartDravik(App());
    Move(1, 250, 250);

    Click(ids::kCmdIconRest);
    EXPECT_EQ(Positions(), kStart) << "the restore itself goes on";
    EXPECT_EQ(Logged("setting"), 0);
    EXPECT_FALSE(Reg(kMetricsKey, kShellIconSize).present);
}

TEST_F(IconsE2E, AnEmptyDesktopLeavesAnExistingLayoutUntouched) {
    const std::string old = " 1310730 \r\n 327670 \r\n";
    StartDesk({});
    PutLayout(LayoutPath(), old);
    StartDravik(App());
    EXPECT_EQ(e2e::ReadWholeFile(LayoutPath()), old) << "start-up";
    Click(ids::kCmdIconSave);
    EXPECT_EQ(e2e::ReadWholeFile(LayoutPath()), old) << "Save Desktop Icons";
    EXPECT_EQ(IconsetFiles().size(), 1u);
}

TEST_F(IconsE2E, WithAutoArrangeTheCommandGoesOutAtTheSaveAndAtEveryRestore) {
    StartDesk({"--auto-arrange", "--items", "3"});
    StartDravik(App());
    EXPECT_EQ(Logged("command", "id", "0x7041"), 1) << "the start-up save found the desktop arranging itself";
    EXPECT_EQ(Logged("command"), 1);

    Click(ids::kCmdIconRest);
    EXPECT_EQ(Logged("command", "id", "0x7041"), 2);
    Click(ids::kCmdIconRest);
    EXPECT_EQ(Logged("command", "id", "0x7041"), 3);
    // The stand-in, like the shell, switched its arrangement over each time: off, on, off. A
    // save that finds it off sends nothing, and the restores still send it.
    Click(ids::kCmdIconSave);
    EXPECT_EQ(Logged("command"), 3);
    Click(ids::kCmdIconRest);
    EXPECT_EQ(Logged("command", "id", "0x7041"), 4);
}

TEST_F(IconsE2E, ASaveCutOffInTheMiddleOfItsWriteLeavesTheOldLayoutWhole) {
    // 400 icons make a layout of about 5 KB; the writing process may write 2 KB per file.
    StartDesk({"--items", "400"});
    const std::string path = LayoutPath();
    std::vector<Pos> oldPositions;
    for (long i = 0; i < 400; ++i) oldPositions.push_back({i, i});
    const std::string old = Lines(oldPositions);
    PutLayout(path, old);

    std::error_code ec;
    ASSERT_TRUE(dravik_.Start({"bash", "-c", "ulimit -f 2 && exec \"$@\"", "bash", TheBench().exeLoader, App()},
                              env_, caseDir_ + "/dravik-limited.log"));
    // The start-up save hits the limit in the middle of its write and the process dies of it
    // (SIGXFSZ), as in a crash or a power loss.
    const auto status = dravik_.WaitExit(kStartTimeout);
    ASSERT_TRUE(status.has_value()) << "Dravik.exe went on running past the file-size limit";
    EXPECT_EQ(*status, 128 + SIGXFSZ);
    EXPECT_EQ(fs::file_size(path + ".new", ec), 2048u) << "the new layout was cut off at the limit";
    EXPECT_EQ(e2e::ReadWholeFile(path), old) << "the old layout must survive a save that could not finish";

    // The next save that can write replaces it, and nothing half-written stays beside it.
    StartDravik(App());
    const std::vector<Pos> now = Positions();
    ASSERT_EQ(now.size(), 400u);
    EXPECT_EQ(e2e::ReadWholeFile(path), Lines(now));
    EXPECT_EQ(IconsetFiles(), std::vector<std::string>{fs::path(path).filename()});
}

TEST_F(IconsE2E, ASaveWhileAnotherProgramHoldsTheLayoutLeavesItWhole) {
    StartDesk(kStartArgs);
    const std::string path = LayoutPath();
    const std::string old = " 65537 \r\n 131074 \r\n 196611 \r\n";
    PutLayout(path, old);
    HoldOpen(path);
    if (HasFatalFailure()) return;

    StartDravik(App());
    EXPECT_EQ(e2e::ReadWholeFile(path), old);
    EXPECT_EQ(IconsetFiles(), std::vector<std::string>{fs::path(path).filename()}) << "nothing left beside it";

    holder_.Kill();
    Click(ids::kCmdIconSave);
    EXPECT_EQ(e2e::ReadWholeFile(path), Lines(kStart));
}

TEST_F(IconsE2E, WithoutADesktopNothingIsSavedAndRestoreSaysSo) {
    StartDravik(App());
    EXPECT_TRUE(fs::is_directory(Iconset())) << "start-up creates the folder";
    EXPECT_TRUE(IconsetFiles().empty());

    const RunResult click = Probe({"click", std::to_string(ids::kCmdIconRest), "post"});
    ASSERT_TRUE(click.Ok()) << click.Describe();
    const RunResult box = Probe({"msgbox", "ok", "wait", "20000"});
    ASSERT_TRUE(box.Ok()) << box.Describe();
    const auto records = e2e::ParseRecords(box.out);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].Get("text"), "Sorry, nothing to restore");
}

// Explorer since Windows 10 1809 keeps the icons' positions itself and lays them out again from
// its own record: the stand-in with --explorer does the same at its refresh. A restore that
// reached the desktop only through list-view messages is then taken back, which is why the
// program uses the desktop's folder view where the shell offers it. Under Wine 8 no other
// process reaches the stand-in's folder view: Wine's RPC service hands out the first
// registration of CLSID_ShellWindows, which is that of Wine's own explorer (its view has no
// window and no items), so the program falls back to the messages here even with --route; the
// folder view itself is tested in the program's process (tests/win32/folder_view_test.cpp).
TEST_F(IconsE2E, ADesktopKeepingItsOwnRecordTakesBackARestoreByMessagesAtItsRefresh) {
    StartDesk({"--route", "10,20", "-10,5", "300,40"});
    StartDravik(App());
    EXPECT_EQ(e2e::ReadWholeFile(LayoutPath()), Lines(kStart));
    // The user's moves go into the desktop's record.
    const std::vector<Pos> moved = {{500, 400}, {-10, 5}, {0, 0}};
    Move(0, 500, 400);
    Move(2, 0, 0);

    Click(ids::kCmdIconRest);
    EXPECT_EQ(Positions(), kStart) << "the list view took the restore";
    EXPECT_EQ(Logged("route", "call", "SelectAndPositionItems"), 0) << "nothing came through the folder view";
    const RunResult refresh = Desk({"refresh"});
    ASSERT_TRUE(refresh.Ok()) << refresh.Describe();
    EXPECT_EQ(Positions(), moved) << "the refresh laid the icons out from the desktop's own record";
}

// The release is a 32-bit program; on 64-bit Windows the shell is a 64-bit one, and only the
// 8-byte POINT may cross between them.
TEST_F(IconsE2E, TheI686ReleaseReadsAndMovesThe64BitDesktopsIcons) {
    if (!CanRun32Bit())
        GTEST_SKIP() << "32-bit Windows programs cannot run here (kernel without ia32 emulation)";
    std::string releaseDir = Env("DRAVIK_I686_BUILD_DIR");
    if (releaseDir.empty()) releaseDir = DRAVIK_I686_BUILD_DIR;
    if (releaseDir.empty()) {
        if (UnderCi()) FAIL() << "no i686 build named: set DRAVIK_I686_BUILD_DIR";
        GTEST_SKIP() << "no i686 build named: set DRAVIK_I686_BUILD_DIR";
    }
    const std::string release = releaseDir + "/Dravik.exe";
    ASSERT_EQ(e2e::PeMachine(release), 0x14Cu) << release << " is not the i686 build (build the win32 preset)";
    std::error_code ec;
    fs::copy_file(release, App(), fs::copy_options::overwrite_existing, ec);
    ASSERT_FALSE(ec) << ec.message();
    StartDesk(kStartArgs);
    StartDravik(App(), "wine");
    EXPECT_EQ(e2e::ReadWholeFile(LayoutPath()), " 1310730 \r\n 327670 \r\n 2621740 \r\n");
    Move(1, 222, 111);
    Click(ids::kCmdIconRest);
    EXPECT_EQ(Positions(), kStart);
}

// What the layouts do with bad input. Wine runs as root here, so a read-only attribute stops
// no write: a file standing where the "Iconset" folder should be is the folder nothing can be
// written into, and a file another program holds open without sharing is the unreadable one.

TEST_F(IconsE2E, AFileWhereTheIconsetFolderShouldBeIsLeftAloneAndNothingIsSaved) {
    std::error_code ec;
    fs::create_directories(appDir_, ec);
    const std::string notAFolder = "not a folder\r\n";
    std::ofstream(Iconset(), std::ios::binary) << notAFolder;
    StartDesk(kStartArgs);
    StartDravik(App());
    EXPECT_TRUE(fs::is_regular_file(Iconset())) << "the file was not replaced by a folder";
    EXPECT_EQ(e2e::ReadWholeFile(Iconset()), notAFolder);

    Click(ids::kCmdIconSave);
    EXPECT_EQ(e2e::ReadWholeFile(Iconset()), notAFolder);
    const RunResult click = Probe({"click", std::to_string(ids::kCmdIconRest), "post"});
    ASSERT_TRUE(click.Ok()) << click.Describe();
    const RunResult box = Probe({"msgbox", "ok", "wait", "20000"});
    ASSERT_TRUE(box.Ok()) << box.Describe();
    const auto records = e2e::ParseRecords(box.out);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records[0].Get("text"), "Sorry, nothing to restore");
    EXPECT_EQ(Positions(), kStart) << "no icon moved";

    // The program goes on and ends as always, storing its settings.
    Check(ids::kChkTraystart, 1);
    CloseDravik();
    EXPECT_EQ(Reg(kOptionsKey, "Start in SysTray").text, "1");
    EXPECT_EQ(Reg(kOptionsKey, "BtnMovie").text, kDefaultMovie);
    EXPECT_EQ(e2e::ReadWholeFile(Iconset()), notAFolder);
}

TEST_F(IconsE2E, ALayoutAnotherProgramHoldsUnreadableMovesNoIconUntilItIsFree) {
    StartDesk(kStartArgs);
    StartDravik(App());
    const std::string path = LayoutPath();
    const std::vector<Pos> stored = {{100, 110}, {200, 220}, {300, 330}};
    PutLayout(path, Lines(stored));
    HoldOpen(path);
    if (HasFatalFailure()) return;

    Click(ids::kCmdIconRest);
    EXPECT_EQ(Positions(), kStart) << "nothing could be read, so nothing moved";
    EXPECT_FALSE(Probe({"msgbox"}).Ok()) << "the layout exists: no \"nothing to restore\"";

    holder_.Kill();
    Click(ids::kCmdIconRest);
    EXPECT_EQ(Positions(), stored);
    EXPECT_EQ(e2e::ReadWholeFile(path), Lines(stored)) << "a restore only reads";
}

TEST_F(IconsE2E, AHugeLayoutIsReadOnlyAsFarAsALayoutGoes) {
    StartDesk(kStartArgs);
    StartDravik(App());
    const std::string path = LayoutPath();
    const std::vector<Pos> stored = {{100, 110}, {200, 220}, {300, 330}};
    // Two positions, 4 MB of blank lines, then the third: a layout file is read no further than
    // its first megabyte, so the third icon stays where it is. A reader that went through the
    // whole file would move it (and take any size of file into memory).
    const std::string head = Line(stored[0]) + Line(stored[1]);
    const std::string blanks(4 << 20, '\n');
    PutLayout(path, head + blanks + Line(stored[2]));
    Click(ids::kCmdIconRest);
    EXPECT_EQ(Positions(), (std::vector<Pos>{stored[0], stored[1], kStart[2]}));
    std::error_code ec;
    EXPECT_EQ(fs::file_size(path, ec), head.size() + blanks.size() + Line(stored[2]).size())
        << "a restore only reads";
}

TEST_F(IconsE2E, AProgramFolderTheAnsiCodePageCannotHoldKeepsItsLayoutsAndAutostart) {
    // Cyrillic and a CJK character, which the ANSI code page (1252 under Wine here) has not.
    appDir_ = caseDir_ + "/Программа \xE8\xA1\xA8";
    std::error_code ec;
    fs::create_directories(appDir_, ec);
    fs::copy_file(TheBench().exe, App(), fs::copy_options::overwrite_existing, ec);
    ASSERT_FALSE(ec) << ec.message();
    // The folder's name reaches Wine in UTF-8 whatever the locale of the test run.
    env_.push_back({"LC_ALL", "C.UTF-8"});
    StartDesk(kStartArgs);
    StartDravik(App());
    EXPECT_EQ(e2e::ReadWholeFile(LayoutPath()), Lines(kStart)) << "the start-up save reached the folder";

    Move(0, 400, 300);
    Click(ids::kCmdIconRest);
    EXPECT_EQ(Positions(), kStart) << "the restore read it";

    Check(ids::kChkTraySysStart, 1);
    CloseDravik();
    const RegRead run = Reg(kRunKey, "Morv Dravik");
    ASSERT_TRUE(run.present);
    EXPECT_EQ(run.text.find('?'), std::string::npos) << run.text;
    // The stored path, in its quotes, names this very program.
    ASSERT_GE(run.text.size(), 2u);
    EXPECT_EQ(run.text.front(), '"');
    EXPECT_EQ(run.text.back(), '"');
    const std::string path = run.text.substr(1, run.text.size() - 2);
    const RunResult unix = e2e::Run({TheBench().toolLoader, "winepath", "-u", path}, env_, kProbeTimeout);
    ASSERT_TRUE(unix.Ok()) << unix.Describe();
    EXPECT_TRUE(fs::equivalent(e2e::Trim(unix.out), App(), ec)) << run.text << " is " << unix.out;
}

}  // namespace

// The shell is another process and can hang. Every call into it has a time limit, so the window
// never hangs with it, and a save or restore it does not answer is dropped whole. A stopped
// process takes no message, as a hung Explorer does.
TEST_F(IconsE2E, AHungDesktopHoldsNoWindowAndGetsNoHalfLayout) {
    using Clock = std::chrono::steady_clock;
    const auto seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
    StartDesk(kStartArgs);
    ASSERT_EQ(Positions(), kStart);
    RegSet(kMetricsKey, kShellIconSize, "32");
    ASSERT_EQ(::kill(-desk_.Pid(), SIGSTOP), 0);
    struct Resume {
        pid_t group;
        ~Resume() { ::kill(-group, SIGCONT); }
    } resume{desk_.Pid()};

    const auto t0 = Clock::now();
    StartDravik(App());  // the window shows, and the start-up save has run when this returns
    const auto t1 = Clock::now();
    EXPECT_TRUE(IconsetFiles().empty()) << "a save the desktop does not answer writes nothing";
    Click(ids::kCmdIconSave);
    const auto t2 = Clock::now();
    EXPECT_TRUE(IconsetFiles().empty());

    const std::vector<Pos> saved = {{1, 2}, {3, 4}, {5, 6}};
    PutLayout(LayoutPath(), Lines(saved));
    Click(ids::kCmdIconRest);
    const auto t3 = Clock::now();
    EXPECT_EQ(e2e::ReadWholeFile(LayoutPath()), Lines(saved));
    std::cout << "hung desktop: start-up with its save " << seconds(t1 - t0) << " s, save "
              << seconds(t2 - t1) << " s, restore " << seconds(t3 - t2) << " s\n";

    ::kill(-desk_.Pid(), SIGCONT);
    EXPECT_EQ(Positions(), kStart) << "the restore moved nothing";
    EXPECT_EQ(Logged("setting"), 0) << "nor changed the icon size";
    EXPECT_EQ(Reg(kMetricsKey, kShellIconSize).text, "32");

    // Once the desktop answers again, the next save and restore work.
    Click(ids::kCmdIconSave);
    EXPECT_EQ(e2e::ReadWholeFile(LayoutPath()), Lines(kStart));
    Move(0, 500, 400);
    Click(ids::kCmdIconRest);
    EXPECT_EQ(Positions(), kStart);
}

// Commands that arrive while a switch and its restore run wait their turn: two toggles at once
// end where two toggles lead, with that size's layout restored.
TEST_F(IconsE2E, TwoTogglesAtOnceEndWhereTwoTogglesLeadWithTheLayoutRestored) {
    StartDesk(kStartArgs);
    StartDravik(App());
    const auto now = Current();
    ASSERT_TRUE(now.has_value());
    const std::vector<Mode> modes = Modes();
    const int pick = OtherSize32(modes, *now);
    ASSERT_GE(pick, 0) << "no 32-bit mode of another size to switch to";
    Select(ids::kCmbMovie, pick);
    ASSERT_EQ(e2e::ReadWholeFile(LayoutPath()), Lines(kStart));
    const std::vector<Pos> moved = {{500, 100}, {600, 100}, {700, 100}};
    for (int i = 0; i < 3; ++i) Move(i, moved[i].x, moved[i].y);

    e2e::Child first, second;
    ASSERT_TRUE(first.Start({TheBench().exeLoader, App(), "/toggle"}, env_, caseDir_ + "/toggle1.log"));
    ASSERT_TRUE(second.Start({TheBench().exeLoader, App(), "/toggle"}, env_, caseDir_ + "/toggle2.log"));
    EXPECT_EQ(first.WaitExit(kStartTimeout), 0);
    EXPECT_EQ(second.WaitExit(kStartTimeout), 0);

    e2e::XMode seen;
    EXPECT_TRUE(WaitForXMode(xBefore_.width, xBefore_.height, xBefore_.Rate(), seen)) << seen.Describe();
    EXPECT_EQ(Positions(), kStart) << "back at the first size, its layout is restored";
    const Mode other = modes[static_cast<std::size_t>(pick)];
    EXPECT_EQ(e2e::ReadWholeFile(Iconset() + "/ " + std::to_string(other.width) + "- " + std::to_string(other.height)),
              Lines(moved))
        << "the other size had no layout: the icons were saved there";
}
