// End-to-end tests: the real Dravik.exe of the Windows build runs under Wine on the bench's
// private X server (scripts/testbench.sh), is driven from outside by winprobe.exe, and is
// judged by what Wine's registry, Wine's mode list and the X server show afterwards.
//
// Every test starts the program in a fresh copy of the bench's template prefix, so that the
// registry is clean, and puts the X server back into the mode it found.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "controls/frame/xpf.h"
#include "controls/paint/bmp.h"
#include "dravik_fixture.h"

namespace {

using namespace dravik_e2e;

TEST_F(DravikE2E, FirstRunWritesDefaultSettingsAndNoAutostart) {
    ASSERT_FALSE(Reg(kOptionsKey, "Start in SysTray").present) << "the fresh prefix is not clean";
    ASSERT_FALSE(Reg(kOptionsKey, "BtnMovie").present) << "the fresh prefix is not clean";

    StartDravik();

    const RegRead tray = Reg(kOptionsKey, "Start in SysTray");
    EXPECT_TRUE(tray.present);
    EXPECT_EQ(tray.text, "0");
    const RegRead movie = Reg(kOptionsKey, "BtnMovie");
    EXPECT_TRUE(movie.present);
    EXPECT_EQ(movie.text, kDefaultMovie);
    EXPECT_FALSE(Reg(kRunKey, "Morv Dravik").present) << "start-up must not create the autostart value";

    const auto dump = Dump();
    const Record* sysStart = Find(dump, "check", ids::kChkTraySysStart);
    const Record* trayStart = Find(dump, "check", ids::kChkTraystart);
    ASSERT_NE(sysStart, nullptr) << "ChkTraySysStart is not a check box";
    ASSERT_NE(trayStart, nullptr) << "ChkTraystart is not a check box";
    EXPECT_EQ(sysStart->Get("state"), "0");
    EXPECT_EQ(trayStart->Get("state"), "0");
}

TEST_F(DravikE2E, BothListsHoldEveryOfferedModeInPlatformOrder) {
    StartDravik();
    const std::vector<Mode> modes = Modes();
    // The bench's X server offers dozens of resolutions, each at several depths; a short
    // list would mean the bench itself is broken.
    ASSERT_GT(modes.size(), 20u);

    std::vector<std::string> expected;
    for (const auto& m : modes) expected.push_back(e2e::ListEntry(m.width, m.height, m.bpp, m.hz));

    const auto dump = Dump();
    const std::vector<std::string> res = Items(dump, ids::kCmbRes);
    const std::vector<std::string> movie = Items(dump, ids::kCmbMovie);
    ASSERT_EQ(res.size(), expected.size()) << "CmbRes";
    ASSERT_EQ(movie.size(), expected.size()) << "CmbMovie";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(res[i], expected[i]) << "CmbRes entry " << i;
        EXPECT_EQ(movie[i], expected[i]) << "CmbMovie entry " << i;
    }
}

TEST_F(DravikE2E, MonitorButtonShowsTheModeInEffect) {
    StartDravik();
    const auto now = Current();
    ASSERT_TRUE(now.has_value());
    const std::string label = e2e::CanonicalLabel(now->width, now->height, now->bpp, now->hz);

    const auto dump = Dump();
    EXPECT_EQ(Text(dump, ids::kBtnMon), label);
    const Record* btnMon = Find(dump, "ctl", ids::kBtnMon);
    ASSERT_NE(btnMon, nullptr);
    EXPECT_EQ(btnMon->Get("enabled"), "1");

    // The monitor list selects the mode in effect; of equal entries the last one.
    const std::vector<Mode> modes = Modes();
    int last = -1;
    for (const auto& m : modes)
        if (m.width == now->width && m.height == now->height && m.bpp == now->bpp && m.hz == now->hz)
            last = m.index;
    ASSERT_GE(last, 0) << "the mode in effect is not among the offered modes";
    const Record* combo = Find(dump, "combo", ids::kCmbRes);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->Int("sel"), last);
}

TEST_F(DravikE2E, MovieButtonShowsTheStoredPresetWhenOffered) {
    StartDravik();
    const std::vector<Mode> modes = Modes();
    int last = -1;
    for (const auto& m : modes)
        if (m.width == 800 && m.height == 600 && m.bpp == 8 && m.hz == 60) last = m.index;
    ASSERT_GE(last, 0) << "the bench offers no 800 x 600 @ 60 Hz 8-bit mode";

    const auto dump = Dump();
    EXPECT_EQ(Text(dump, ids::kBtnMovie), kDefaultMovie);
    const Record* combo = Find(dump, "combo", ids::kCmbMovie);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->Int("sel"), last);
}

TEST_F(DravikE2E, MovieButtonSwitchesTheDisplayAndMonitorButtonSwitchesBack) {
    StartDravik();
    const auto now = Current();
    ASSERT_TRUE(now.has_value());
    const std::vector<Mode> modes = Modes();
    const int pick = OtherSize32(modes, *now);
    ASSERT_GE(pick, 0) << "no 32-bit mode of another size to switch to";
    const Mode target = modes[static_cast<std::size_t>(pick)];

    Select(ids::kCmbMovie, pick);
    const std::string label = e2e::CanonicalLabel(target.width, target.height, target.bpp, target.hz);
    ASSERT_EQ(Text(Dump(), ids::kBtnMovie), label) << "picking in CmbMovie must set the movie caption";
    const auto unchanged = e2e::CurrentXMode(TheBench().display);
    ASSERT_TRUE(unchanged.has_value());
    EXPECT_EQ(unchanged->name, xBefore_.name) << "a pick alone must not switch";

    Click(ids::kBtnMovie);
    e2e::XMode seen;
    EXPECT_TRUE(WaitForXMode(target.width, target.height, target.hz, seen))
        << "after BtnMovie the X server shows " << seen.Describe() << ", expected " << label;
    const auto afterMovie = Current();
    ASSERT_TRUE(afterMovie.has_value());
    EXPECT_EQ(afterMovie->width, target.width);
    EXPECT_EQ(afterMovie->height, target.height);

    Click(ids::kBtnMon);
    EXPECT_TRUE(WaitForXMode(xBefore_.width, xBefore_.height, xBefore_.Rate(), seen))
        << "after BtnMon the X server shows " << seen.Describe() << ", expected " << xBefore_.Describe();
}

TEST_F(DravikE2E, ClosingStoresMoviePresetAndTickedBoxes) {
    StartDravik();
    const std::vector<Mode> modes = Modes();
    const int pick = FirstMode(modes, [](const Mode& m) { return m.bpp == 16; });
    ASSERT_GE(pick, 0) << "no 16-bit mode offered";
    Select(ids::kCmbMovie, pick);
    Check(ids::kChkTraySysStart, 1);
    Check(ids::kChkTraystart, 1);
    const std::string caption = Text(Dump(), ids::kBtnMovie);
    const Mode& m = modes[static_cast<std::size_t>(pick)];
    ASSERT_EQ(caption, e2e::CanonicalLabel(m.width, m.height, m.bpp, m.hz));
    const std::string exePath = WindowsPathOfExe();
    ASSERT_FALSE(exePath.empty());

    CloseDravik();

    EXPECT_EQ(Reg(kOptionsKey, "BtnMovie").text, caption);
    EXPECT_EQ(Reg(kOptionsKey, "Start in SysTray").text, "1");
    const RegRead autostart = Reg(kRunKey, "Morv Dravik");
    EXPECT_TRUE(autostart.present);
    EXPECT_EQ(autostart.text, "\"" + exePath + "\"") << "in quotes, so that a blank in the path cannot cut it";
}

TEST_F(DravikE2E, ClosingWithBoxesClearedDeletesAutostart) {
    // Any program's drive-letter path under the autostart name shows the box ticked.
    RegSet(kRunKey, "Morv Dravik", "C:\\Program Files\\Other\\other.exe");
    StartDravik();
    const auto dump = Dump();
    const Record* sysStart = Find(dump, "check", ids::kChkTraySysStart);
    ASSERT_NE(sysStart, nullptr);
    EXPECT_EQ(sysStart->Get("state"), "1");

    Check(ids::kChkTraySysStart, 0);
    Check(ids::kChkTraystart, 0);
    CloseDravik();

    EXPECT_FALSE(Reg(kRunKey, "Morv Dravik").present);
    EXPECT_EQ(Reg(kOptionsKey, "Start in SysTray").text, "0");
    EXPECT_EQ(Reg(kOptionsKey, "BtnMovie").text, kDefaultMovie);
}

TEST_F(DravikE2E, SecondStartReportsAndEndsWithoutTouchingAnything) {
    StartDravik();
    const std::vector<Record> first = Dump();  // Find points into it
    const Record* firstMain = Find(first, "main");
    ASSERT_NE(firstMain, nullptr);
    const std::string firstPid = firstMain->Get("pid");

    // Remove a setting: a second copy that ran the registry check would write it back.
    RegDelete(kOptionsKey, "Start in SysTray");
    RegSet(kOptionsKey, "BtnMovie", "640 x 480 @ 60Hz 16bit colors");
    const auto xBefore = e2e::CurrentXMode(TheBench().display);
    ASSERT_TRUE(xBefore.has_value());

    ASSERT_TRUE(second_.Start({TheBench().exeLoader, TheBench().exe}, env_, caseDir_ + "/second.log"));
    const RunResult box = Probe({"msgbox", "wait", "60000"});
    ASSERT_TRUE(box.Ok()) << "no message box titled Dravik: " << box.Describe();
    const auto records = e2e::ParseRecords(box.out);
    const Record* msg = Find(records, "msgbox");
    ASSERT_NE(msg, nullptr);
    EXPECT_EQ(msg->Get("text"), "Morv Dravik is already running");
    EXPECT_NE(msg->Get("pid"), firstPid) << "the message must come from the second copy";

    const RunResult ok = Probe({"msgbox", "ok"});
    ASSERT_TRUE(ok.Ok()) << ok.Describe();
    EXPECT_TRUE(second_.WaitExit(kExitTimeout).has_value()) << "the second copy did not end after OK";

    EXPECT_FALSE(Reg(kOptionsKey, "Start in SysTray").present) << "the second copy wrote settings";
    EXPECT_EQ(Reg(kOptionsKey, "BtnMovie").text, "640 x 480 @ 60Hz 16bit colors");
    EXPECT_FALSE(Reg(kRunKey, "Morv Dravik").present);
    const auto xAfter = e2e::CurrentXMode(TheBench().display);
    ASSERT_TRUE(xAfter.has_value());
    EXPECT_EQ(xAfter->name, xBefore->name);
    EXPECT_EQ(xAfter->rate, xBefore->rate);

    EXPECT_TRUE(dravik_.Running()) << "the first copy must go on running";
    const std::vector<Record> after = Dump();
    const Record* main = Find(after, "main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->Get("pid"), firstPid);
    EXPECT_EQ(main->Get("visible"), "1");
}

TEST_F(DravikE2E, EightBitMoviePresetSwitchesToTheSmallButtons) {
    StartDravik();
    const int big[] = {ids::kBtnTray, ids::kBtnSettings, ids::kBtnMon, ids::kBtnMovie};
    const int small[] = {ids::kCmdTray, ids::kCmdSettings, ids::kCmdMon, ids::kCmdMovie};
    auto dump = Dump();
    for (int id : big) EXPECT_TRUE(Visible(dump, id)) << "big button " << id << " at start";
    // The small buttons and their frame are made when their look first shows.
    for (int id : small) EXPECT_FALSE(Made(dump, id)) << "small button " << id << " at start";
    EXPECT_FALSE(Made(dump, ids::kMorvXPF1)) << "256-colour frame at start";

    const auto now = Current();
    ASSERT_TRUE(now.has_value());
    ASSERT_GT(now->bpp, 8) << "the bench must start above 8 bits per pixel";
    const std::vector<Mode> modes = Modes();
    const int pick = EightBitModeFor(modes, *now);
    ASSERT_GE(pick, 0) << "no 8-bit mode offered";
    Select(ids::kCmbMovie, pick);
    const std::string caption = Text(Dump(), ids::kBtnMovie);
    const Mode& m = modes[static_cast<std::size_t>(pick)];
    ASSERT_EQ(caption, e2e::CanonicalLabel(m.width, m.height, m.bpp, m.hz));

    Click(ids::kBtnMovie);
    const bool switched = e2e::WaitUntil(
        [&] {
            dump = Dump();
            for (int id : big)
                if (Visible(dump, id)) return false;
            for (int id : small)
                if (!Visible(dump, id)) return false;
            return true;
        },
        kSwitchTimeout);
    for (int id : big) EXPECT_FALSE(Visible(dump, id)) << "big button " << id << " after the switch";
    for (int id : small) EXPECT_TRUE(Visible(dump, id)) << "small button " << id << " after the switch";
    EXPECT_TRUE(switched);
    // Made now, of their own class, with the captions the program has given them since.
    for (int id : small) {
        const Record* r = Find(dump, "ctl", id);
        EXPECT_EQ(r ? r->Get("class") : std::string("<missing>"), "DravikCmdButton") << id;
    }
    const Record* frame256 = Find(dump, "ctl", ids::kMorvXPF1);
    EXPECT_EQ(frame256 ? frame256->Get("class") : std::string("<missing>"), "DravikXPFrame");
    EXPECT_EQ(Text(dump, ids::kCmdSettings), "Monitor Settings");
    EXPECT_EQ(Text(dump, ids::kCmdMovie), Text(dump, ids::kBtnMovie));
    EXPECT_EQ(Text(dump, ids::kCmdMon), Text(dump, ids::kBtnMon));

    // The 256-colour frame draws the title bar, from its own pictures.
    const Record* main = Find(dump, "main");
    ASSERT_NE(main, nullptr);
    const std::string shot = caseDir_ + "/appearance-256.png";
    ASSERT_TRUE(e2e::SaveScreenshot(TheBench().display, shot));
    const auto title = e2e::PixelAt(shot, static_cast<int>(main->Int("left")) + 250,
                                    static_cast<int>(main->Int("top")) + 5);
    ASSERT_TRUE(title.has_value());
    EXPECT_EQ(*title, TitleRow("frame256_title.bmp", 5)) << title->Describe();
}

}  // namespace

TEST_F(DravikE2E, WindowIsCentredOnTopAndMovesWhenItsSurfaceIsDragged) {
    StartDravik();
    const auto before = Dump();
    const Record* main = Find(before, "main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->Get("topmost"), "1") << "the main window must stay above ordinary windows";
    const int left = static_cast<int>(main->Int("left")), top = static_cast<int>(main->Int("top"));
    const int width = static_cast<int>(main->Int("right")) - left;
    const int height = static_cast<int>(main->Int("bottom")) - top;
    EXPECT_EQ(left, (xBefore_.width - width) / 2) << "centred horizontally on the screen";
    EXPECT_EQ(top, (xBefore_.height - height) / 2) << "centred vertically on the screen";

    const RunResult search =
        e2e::Run({"xdotool", "search", "--onlyvisible", "--name", "^Dravik$"}, env_, kProbeTimeout);
    ASSERT_TRUE(search.Ok()) << "xdotool search: " << search.Describe();
    const std::string window = e2e::Trim(search.out.substr(0, search.out.find('\n')));
    // A point of the bare window between the button column and the lists: no control
    // covers it, so a press there drags the window.
    const RunResult drag = e2e::Run({"xdotool", "mousemove", "--window", window, "240", "200",
                                     "mousedown", "1", "sleep", "0.2", "mousemove_relative",
                                     "--", "-40", "-30", "sleep", "0.2", "mouseup", "1"},
                                    env_, kProbeTimeout);
    ASSERT_TRUE(drag.Ok()) << "xdotool drag: " << drag.Describe();
    const bool moved = e2e::WaitUntil(
        [&] {
            const auto now = Dump();
            const Record* m = Find(now, "main");
            return m && m->Int("left") == left - 40 && m->Int("top") == top - 30;
        },
        kSwitchTimeout);
    const auto afterDump = Dump();
    const Record* after = Find(afterDump, "main");
    ASSERT_NE(after, nullptr);
    EXPECT_TRUE(moved) << "after dragging by (-40, -30) from (" << left << ", " << top
                       << ") the window is at (" << after->Int("left") << ", " << after->Int("top") << ")";
}

// The skinned push buttons under a real pointer: the XP face at rest, the warm frame while
// hovered, and a real click that switches the display.
TEST_F(DravikE2E, SkinnedButtonsHoverAndClickUnderARealPointer) {
    StartDravik();
    const auto Pointer = [&](const std::vector<std::string>& args) {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        const RunResult r = e2e::Run(argv, env_, kProbeTimeout);
        ASSERT_TRUE(r.Ok()) << "xdotool: " << r.Describe();
    };
    const auto Box = [&](int id) {
        const auto dump = Dump();
        const Record* ctl = Find(dump, "ctl", id);
        EXPECT_NE(ctl, nullptr) << id;
        if (!ctl) return std::array<int, 4>{0, 0, 0, 0};
        return std::array<int, 4>{static_cast<int>(ctl->Int("left")), static_cast<int>(ctl->Int("top")),
                                  static_cast<int>(ctl->Int("right")), static_cast<int>(ctl->Int("bottom"))};
    };
    const auto PixelNow = [&](const std::string& name, int x, int y) {
        const std::string shot = caseDir_ + "/" + name + ".png";
        EXPECT_TRUE(e2e::SaveScreenshot(TheBench().display, shot)) << shot;
        return e2e::PixelAt(shot, x, y);
    };
    constexpr e2e::Rgb kFrame{0, 60, 115};       // the outer frame of the XP face
    constexpr e2e::Rgb kHotEdge{255, 178, 49};   // the inner frame while hovered
    constexpr e2e::Rgb kHotTop{255, 243, 206};   // the top line while hovered

    Pointer({"mousemove", "0", "0"});
    const auto tray = Box(ids::kBtnTray);
    const int midY = (tray[1] + tray[3]) / 2;
    std::optional<e2e::Rgb> edge;
    EXPECT_TRUE(e2e::WaitUntil([&] {
        const auto frame = PixelNow("button-at-rest", tray[0], midY);
        edge = PixelNow("button-at-rest", tray[0] + 1, midY);
        return frame == kFrame && edge && !(*edge == kHotEdge);
    }, kSwitchTimeout)) << "BtnTray at rest: inner edge " << (edge ? edge->Describe() : "unreadable");

    // The XP face is a gradient that darkens from top to bottom (away from the edge lines,
    // the caption and the picture).
    {
        const std::string shot = caseDir_ + "/button-at-rest.png";
        std::optional<e2e::Rgb> previous;
        int darker = 0;
        for (int y = tray[1] + 4; y < tray[3] - 4; ++y) {
            const auto c = e2e::PixelAt(shot, tray[0] + 8, y);
            ASSERT_TRUE(c.has_value()) << "row " << y;
            if (previous) {
                EXPECT_LE(c->r + c->g + c->b, previous->r + previous->g + previous->b)
                    << "face row " << y - tray[1] << " is lighter than the row above";
                if (c->r + c->g + c->b < previous->r + previous->g + previous->b) ++darker;
            }
            previous = c;
        }
        EXPECT_GT(darker, 5) << "the face shows no gradient";
    }

    Pointer({"mousemove", std::to_string((tray[0] + tray[2]) / 2), std::to_string(midY)});
    std::optional<e2e::Rgb> top;
    EXPECT_TRUE(e2e::WaitUntil([&] {
        edge = PixelNow("button-hovered", tray[0] + 1, midY);
        top = PixelNow("button-hovered", tray[0] + 6, tray[1] + 1);
        return edge == kHotEdge && top == kHotTop;
    }, kSwitchTimeout)) << "hovered BtnTray: inner edge " << (edge ? edge->Describe() : "unreadable")
                        << ", top line " << (top ? top->Describe() : "unreadable");
    Pointer({"mousemove", "0", "0"});
    EXPECT_TRUE(e2e::WaitUntil([&] {
        edge = PixelNow("button-left", tray[0] + 1, midY);
        return edge && !(*edge == kHotEdge);
    }, kSwitchTimeout)) << "the warm frame must go when the pointer leaves";

    // A real click on the movie button switches the display.
    const std::vector<Mode> modes = Modes();
    const auto now = Current();
    ASSERT_TRUE(now.has_value());
    const int pick = FirstMode(modes, [&](const Mode& m) {
        return m.bpp == 32 && (m.width != now->width || m.height != now->height);
    });
    ASSERT_GE(pick, 0) << "no 32-bit mode of another size to switch to";
    const Mode target = modes[static_cast<std::size_t>(pick)];
    Select(ids::kCmbMovie, pick);
    const auto movie = Box(ids::kBtnMovie);
    Pointer({"mousemove", std::to_string((movie[0] + movie[2]) / 2),
             std::to_string((movie[1] + movie[3]) / 2), "click", "1"});
    e2e::XMode seen;
    EXPECT_TRUE(WaitForXMode(target.width, target.height, target.hz, seen))
        << "after a click on BtnMovie the X server shows " << seen.Describe();
}

// The picture-drawn frame of the main window: its close button shows its normal, hot and
// pressed pictures as the pointer moves over it and presses, its title drags the window, and a
// click on it closes the program, which stores the settings.
TEST_F(DravikE2E, SkinnedFrameDragsByTitleAndClosesByItsButton) {
    StartDravik();
    const auto Pointer = [&](const std::vector<std::string>& args) {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        const RunResult r = e2e::Run(argv, env_, kProbeTimeout);
        ASSERT_TRUE(r.Ok()) << "xdotool: " << r.Describe();
    };
    const auto MainRect = [&] {
        const auto dump = Dump();
        const Record* main = Find(dump, "main");
        EXPECT_NE(main, nullptr);
        return main ? std::array<int, 2>{static_cast<int>(main->Int("left")), static_cast<int>(main->Int("top"))}
                    : std::array<int, 2>{0, 0};
    };

    // Where the frame puts its close button on the main window's client area (7335 x 4815
    // twips), and what each of its pictures shows at a point of the button's body, away from
    // its cross.
    controls::XPF layout(0);
    layout.Resize(7335.0f, 4815.0f);
    const controls::PieceBox& close = layout.Box(controls::FramePiece::CloseButton);
    const std::string pictures = DRAVIK_PICTURES_DIR;
    constexpr int kProbeX = 3, kProbeY = 10;
    const auto PictureProbe = [&](const char* file) {
        const paint::PicturePtr p = paint::LoadBmpFile(pictures + "/" + file);
        EXPECT_NE(p, nullptr) << file;
        if (!p) return e2e::Rgb{};
        const paint::Rgb c = p->pixels.Pixel(kProbeX, kProbeY);
        return e2e::Rgb{paint::Red(c), paint::Green(c), paint::Blue(c)};
    };
    const e2e::Rgb normal = PictureProbe("close_normal.bmp");
    const e2e::Rgb hot = PictureProbe("close_hot.bmp");
    const e2e::Rgb pressed = PictureProbe("close_pressed.bmp");
    ASSERT_FALSE(normal == hot);
    ASSERT_FALSE(normal == pressed);
    ASSERT_FALSE(hot == pressed);
    const int dx = static_cast<int>(close.left) + kProbeX, dy = static_cast<int>(close.top) + kProbeY;

    const auto ClosePixel = [&](const std::string& name) {
        const auto at = MainRect();
        const std::string shot = caseDir_ + "/" + name + ".png";
        EXPECT_TRUE(e2e::SaveScreenshot(TheBench().display, shot));
        return e2e::PixelAt(shot, at[0] + dx, at[1] + dy);
    };

    // The full-colour frame draws the title bar from its pictures.
    const auto before = MainRect();
    {
        const std::string shot = caseDir_ + "/appearance-full-colour.png";
        ASSERT_TRUE(e2e::SaveScreenshot(TheBench().display, shot));
        const auto title = e2e::PixelAt(shot, before[0] + 250, before[1] + 5);
        ASSERT_TRUE(title.has_value());
        EXPECT_EQ(*title, TitleRow("frame_title.bmp", 5)) << title->Describe();
    }

    // Dragging by the title moves the window.
    Pointer({"mousemove", std::to_string(before[0] + 150), std::to_string(before[1] + 10),
             "mousedown", "1", "sleep", "0.2", "mousemove_relative", "--", "30", "20", "sleep", "0.2",
             "mouseup", "1"});
    std::array<int, 2> after{};
    EXPECT_TRUE(e2e::WaitUntil([&] {
        after = MainRect();
        return after[0] == before[0] + 30 && after[1] == before[1] + 20;
    }, kSwitchTimeout)) << "dragging the title by (30, 20) from (" << before[0] << ", " << before[1]
                        << ") left the window at (" << after[0] << ", " << after[1] << ")";

    std::optional<e2e::Rgb> seen;
    Pointer({"mousemove", std::to_string(after[0] + 150), std::to_string(after[1] + 10)});
    EXPECT_TRUE(e2e::WaitUntil([&] { return (seen = ClosePixel("close-normal")) == normal; }, kSwitchTimeout))
        << "close button at rest shows " << (seen ? seen->Describe() : "nothing");
    Pointer({"mousemove", std::to_string(after[0] + dx), std::to_string(after[1] + dy)});
    EXPECT_TRUE(e2e::WaitUntil([&] { return (seen = ClosePixel("close-hot")) == hot; }, kSwitchTimeout))
        << "hovered close button shows " << (seen ? seen->Describe() : "nothing");
    // The pressed picture follows a move with the left button held, as on the original frame.
    Pointer({"mousedown", "1", "sleep", "0.1", "mousemove_relative", "1", "0"});
    EXPECT_TRUE(e2e::WaitUntil([&] { return (seen = ClosePixel("close-pressed")) == pressed; }, kSwitchTimeout))
        << "pressed close button shows " << (seen ? seen->Describe() : "nothing");

    // The release on the button closes the program, which stores the settings first.
    Check(ids::kChkTraystart, 1);
    Pointer({"mouseup", "1"});
    EXPECT_TRUE(dravik_.WaitExit(kExitTimeout).has_value()) << "Dravik.exe did not end after its close button";
    EXPECT_EQ(Reg(kOptionsKey, "Start in SysTray").text, "1");
}

// Screen readers and UI automation read the skinned controls: each is a child window of its
// own class whose window text is its caption.
TEST_F(DravikE2E, SkinnedControlsAreChildWindowsNamedByTheirCaptions) {
    StartDravik();
    const auto dump = Dump();
    const auto Class = [&](int id) {
        const Record* r = Find(dump, "ctl", id);
        return r ? r->Get("class") : std::string("<missing>");
    };
    for (int id : {ids::kBtnTray, ids::kBtnSettings, ids::kBtnMon, ids::kBtnMovie, ids::kCmdIconSave,
                   ids::kCmdIconRest})
        EXPECT_EQ(Class(id), "DravikXPButton") << id;
    // The small buttons' class and captions: EightBitMoviePresetSwitchesToTheSmallButtons.
    EXPECT_EQ(Class(ids::kXPF1), "DravikXPFrame");
    EXPECT_EQ(Text(dump, ids::kBtnTray), "Tray it!");
    EXPECT_EQ(Text(dump, ids::kBtnSettings), "Monitor Settings");
    EXPECT_EQ(Text(dump, ids::kCmdIconRest), "Restore Desktop Icons");
    EXPECT_EQ(Text(dump, ids::kXPF1), "Morv Dravik");
    // The preset buttons' captions follow the program, not the design.
    EXPECT_NE(Text(dump, ids::kBtnMovie), "Not set");
}
