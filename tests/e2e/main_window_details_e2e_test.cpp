// End-to-end: details of the main window and its controls as a user meets them. The maker's
// corner in both appearances (kept as screenshots), registry values that other tools stored in
// other types, the display settings started from the system folder only, and a double click on
// a small button.
#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "controls/paint/bmp.h"
#include "dravik_fixture.h"
#include "launch/about_design.h"

namespace {

using namespace dravik_e2e;

// A rectangle of a saved screenshot, read once (ImageMagick's raw RGB output).
class ShotRegion {
public:
    bool Read(const std::string& shot, int x, int y, int w, int h) {
        x_ = x, y_ = y, w_ = w, h_ = h;
        const RunResult r = e2e::Run({"convert", shot, "-crop",
                                      std::to_string(w) + "x" + std::to_string(h) + "+" +
                                          std::to_string(x) + "+" + std::to_string(y),
                                      "+repage", "-depth", "8", "rgb:-"},
                                     {}, 30s);
        bytes_ = r.out;
        return r.Ok() && bytes_.size() == static_cast<std::size_t>(w * h * 3);
    }
    // By screen coordinates.
    e2e::Rgb At(int x, int y) const {
        const std::size_t i = static_cast<std::size_t>(((y - y_) * w_ + (x - x_)) * 3);
        return {static_cast<unsigned char>(bytes_[i]), static_cast<unsigned char>(bytes_[i + 1]),
                static_cast<unsigned char>(bytes_[i + 2])};
    }

private:
    int x_ = 0, y_ = 0, w_ = 0, h_ = 0;
    std::string bytes_;
};

e2e::Rgb PicturePixel(const std::string& file, int x, int y) {
    const paint::PicturePtr p = paint::LoadBmpFile(std::string(DRAVIK_PICTURES_DIR) + "/" + file);
    if (!p) return {-1, -1, -1};
    const paint::Rgb c = p->pixels.Pixel(x, y);
    return {paint::Red(c), paint::Green(c), paint::Blue(c)};
}

std::vector<std::string> FileLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

class MainWindowDetails : public DravikE2E {
protected:
    std::array<int, 4> MainRect() {
        const auto dump = Dump();
        const Record* main = Find(dump, "main");
        EXPECT_NE(main, nullptr);
        if (!main) return {0, 0, 0, 0};
        return {static_cast<int>(main->Int("left")), static_cast<int>(main->Int("top")),
                static_cast<int>(main->Int("right")), static_cast<int>(main->Int("bottom"))};
    }
    std::array<int, 4> ControlRect(int id) {
        const auto dump = Dump();
        const Record* ctl = Find(dump, "ctl", id);
        EXPECT_NE(ctl, nullptr) << id;
        if (!ctl) return {0, 0, 0, 0};
        return {static_cast<int>(ctl->Int("left")), static_cast<int>(ctl->Int("top")),
                static_cast<int>(ctl->Int("right")), static_cast<int>(ctl->Int("bottom"))};
    }

    // Switches to an 8-bit mode through the movie preset and waits for the small buttons.
    void SwitchTo256Colours() {
        const auto now = Current();
        ASSERT_TRUE(now.has_value());
        const int pick = EightBitModeFor(Modes(), *now);
        ASSERT_GE(pick, 0) << "no 8-bit mode offered";
        Select(ids::kCmbMovie, pick);
        Click(ids::kBtnMovie);
        ASSERT_TRUE(e2e::WaitUntil(
            [&] {
                const auto dump = Dump();
                return Visible(dump, ids::kCmdSettings) && !Visible(dump, ids::kBtnSettings);
            },
            kSwitchTimeout))
            << "the 256-colour appearance did not come";
    }

    // The system folders of the test's own prefix: system32, and SysWOW64 where 32-bit
    // programs run. Wine prefers its own rundll32 there unless told to load the file.
    std::vector<std::string> SystemFolders() {
        std::vector<std::string> folders;
        for (const char* f : {"/drive_c/windows/system32", "/drive_c/windows/syswow64"})
            if (fs::is_directory(prefix_ + f)) folders.push_back(prefix_ + f);
        return folders;
    }
    std::string Recorder() { return TheBench().buildDir + "/tools/recorder.exe"; }

    // Puts the recorder in place of the system's rundll32.exe; returns the logs it will write.
    std::vector<std::string> RecordSystemRundll32() {
        std::vector<std::string> logs;
        for (const std::string& folder : SystemFolders()) {
            std::error_code ec;
            fs::copy_file(Recorder(), folder + "/rundll32.exe", fs::copy_options::overwrite_existing, ec);
            EXPECT_FALSE(ec) << folder << ": " << ec.message();
            logs.push_back(folder + "/rundll32.exe.log");
        }
        // The program file, not Wine's own rundll32, for every process started from here on.
        for (auto& [name, value] : env_)
            if (name == "WINEDLLOVERRIDES") value += ";rundll32.exe=n";
        return logs;
    }
    // The command lines the recorder was started with, as its records give them.
    static std::vector<std::string> Started(const std::vector<std::string>& logs) {
        std::vector<std::string> lines;
        for (const std::string& log : logs)
            for (const std::string& line : FileLines(log))
                for (const Record& r : e2e::ParseRecords(line))
                    if (r.kind == "start") lines.push_back(r.Get("cmdline"));
        return lines;
    }

    // What a screen reader in another process hears of a control (winprobe asks through
    // AccessibleObjectFromWindow): the control's record (child 0) first, then its elements'.
    // The probe's output is kept in the test's folder as heard.txt.
    std::vector<Record> Heard(const std::string& form, int id) {
        const RunResult r = Probe({"acc", form, std::to_string(id)});
        std::ofstream(caseDir_ + "/heard.txt", std::ios::app) << form << " " << id << "\n" << r.out;
        EXPECT_TRUE(r.Ok()) << form << " " << id << ": " << r.Describe();
        return e2e::ParseRecords(r.out);
    }
    static const Record* Element(const std::vector<Record>& heard, int child = 0) {
        for (const Record& r : heard)
            if (r.kind == "acc" && r.Int("child") == child) return &r;
        return nullptr;
    }
    void AccPress(const std::string& form, int id, int child = 0) {
        const RunResult r = Probe({"acc-press", form, std::to_string(id), std::to_string(child)});
        ASSERT_TRUE(r.Ok()) << "acc-press " << form << " " << id << ": " << r.Describe();
    }

    // Writes a value of the given type with Wine's reg, as another tool would.
    void RegAdd(const std::string& key, const std::string& name, const std::string& type,
                const std::string& data) {
        const RunResult r = e2e::Run({TheBench().toolLoader, "reg", "add", key, "/v", name, "/t", type,
                                      "/d", data, "/f", "/reg:" + TheBench().regView},
                                     env_, kProbeTimeout);
        ASSERT_TRUE(r.Ok()) << "reg add " << key << " " << name << ": " << r.Describe();
    }
    // The stored value's type (REG_SZ 1, REG_EXPAND_SZ 2, REG_DWORD 4), or -1 when absent.
    long RegType(const std::string& key, const std::string& name) {
        const RunResult r = Probe({"reg-get", TheBench().regView, key, name});
        for (const auto& rec : e2e::ParseRecords(r.out))
            if (rec.kind == "reg" && rec.Get("status") == "present") return rec.Int("type");
        return -1;
    }
};

// "Morv 2005" lies on the window's own surface beneath the frame: the frame's bottom border and
// its corner are whole over it, and the label shows above the border, in both appearances.
// The screenshots stay in the test's folder (corner-full-colour.png, corner-256.png and the
// whole screens they are cut from).
TEST_F(MainWindowDetails, MakersCornerKeepsTheFrameWholeInBothAppearances) {
    StartDravik();
    struct Look {
        const char* name;
        const char* pictures;
        e2e::Rgb back, label;
    };
    for (const Look look : {Look{"full-colour", "frame", {224, 224, 224}, {128, 128, 255}},
                            Look{"256", "frame256", {192, 192, 192}, {0, 255, 255}}}) {
        if (std::string(look.pictures) == "frame256") SwitchTo256Colours();
        if (HasFatalFailure()) return;
        const auto main = MainRect();
        const int right = main[2], bottom = main[3];
        // The label's place: 6405, 4560 twips in a 7335 x 4815 client area.
        const int labelX = main[0] + (right - main[0]) * 6405 / 7335;
        const int labelY = main[1] + (bottom - main[1]) * 4560 / 4815;

        const std::string shot = caseDir_ + "/screen-" + look.name + ".png";
        ShotRegion corner;
        // Drawn at the next paint after the switch: look again until the border is there.
        bool whole = false;
        std::string broken;
        e2e::WaitUntil(
            [&] {
                if (!e2e::SaveScreenshot(TheBench().display, shot)) return false;
                if (!corner.Read(shot, labelX - 20, labelY - 10, right - labelX + 20, bottom - labelY + 10))
                    return false;
                whole = true;
                for (int y = 0; y < 4 && whole; ++y) {
                    for (int x = labelX - 20; x < right - 4 && whole; ++x)
                        if (!(corner.At(x, bottom - 4 + y) ==
                              PicturePixel(std::string(look.pictures) + "_bottom.bmp", 0, y))) {
                            whole = false;
                            broken = "bottom border at x " + std::to_string(x - main[0]) + ", row " +
                                     std::to_string(y) + ": " + corner.At(x, bottom - 4 + y).Describe();
                        }
                    for (int x = 0; x < 4 && whole; ++x)
                        if (!(corner.At(right - 4 + x, bottom - 4 + y) ==
                              PicturePixel(std::string(look.pictures) + "_bottom_right.bmp", x, y))) {
                            whole = false;
                            broken = "bottom-right corner: " + corner.At(right - 4 + x, bottom - 4 + y).Describe();
                        }
                }
                return whole;
            },
            kSwitchTimeout);
        e2e::Run({"convert", shot, "-crop",
                  std::to_string(right - labelX + 20) + "x" + std::to_string(bottom - labelY + 10) + "+" +
                      std::to_string(labelX - 20) + "+" + std::to_string(labelY - 10),
                  "+repage", caseDir_ + "/corner-" + look.name + ".png"},
                 {}, 30s);
        EXPECT_TRUE(whole) << look.name << ": " << broken;

        int labelPixels = 0, backPixels = 0;
        for (int y = labelY; y < bottom - 4; ++y)
            for (int x = labelX; x < right - 4; ++x) {
                labelPixels += corner.At(x, y) == look.label;
                backPixels += corner.At(x, y) == look.back;
            }
        EXPECT_GT(labelPixels, 20) << look.name << ": the label's text is not in the corner";
        EXPECT_GT(backPixels, labelPixels) << look.name << ": the label stands on the window's colour";
        // The text ends before the right border: nothing of it runs under the frame.
        for (int y = labelY; y < bottom - 4; ++y)
            EXPECT_EQ(corner.At(right - 5, y), look.back) << look.name << " row " << y - main[1];
    }
}

// An autostart path that another tool stored as REG_EXPAND_SZ shows the box ticked and is still
// there after the exit; a REG_DWORD "Start in SysTray" is left alone at start-up (and, not
// being the text "1", starts the window shown).
TEST_F(MainWindowDetails, ValuesOtherToolsStoredInOtherTypesAreReadAndKept) {
    RegAdd(kRunKey, "Morv Dravik", "REG_EXPAND_SZ", "C:\\Program Files\\Other\\other.exe");
    RegAdd(kOptionsKey, "Start in SysTray", "REG_DWORD", "1");
    ASSERT_EQ(RegType(kRunKey, "Morv Dravik"), 2);
    StartDravik();

    const auto dump = Dump();
    const Record* sysStart = Find(dump, "check", ids::kChkTraySysStart);
    const Record* trayStart = Find(dump, "check", ids::kChkTraystart);
    ASSERT_NE(sysStart, nullptr);
    ASSERT_NE(trayStart, nullptr);
    EXPECT_EQ(sysStart->Get("state"), "1") << "the REG_EXPAND_SZ path reads as registered";
    EXPECT_EQ(trayStart->Get("state"), "0");
    EXPECT_EQ(RegType(kOptionsKey, "Start in SysTray"), 4) << "start-up must not replace it";
    EXPECT_EQ(Reg(kOptionsKey, "BtnMovie").text, kDefaultMovie);

    const std::string exePath = WindowsPathOfExe();
    CloseDravik();
    const RegRead autostart = Reg(kRunKey, "Morv Dravik");
    EXPECT_TRUE(autostart.present) << "the ticked box keeps the autostart entry";
    EXPECT_EQ(autostart.text, "\"" + exePath + "\"");
}

// "Monitor Settings" starts the system folder's rundll32.exe, never a rundll32.exe lying beside
// Dravik.exe (in a downloads folder, say), which a bare "rundll32.exe" would find first.
TEST_F(MainWindowDetails, DisplaySettingsStartTheSystemsRundll32NeverOnePlantedBesideDravik) {
    const std::string downloads = caseDir_ + "/downloads";
    std::error_code ec;
    fs::create_directories(downloads, ec);
    fs::copy_file(TheBench().exe, downloads + "/Dravik.exe", fs::copy_options::overwrite_existing, ec);
    ASSERT_FALSE(ec) << ec.message();
    ASSERT_TRUE(e2e::FileExists(Recorder())) << "target recorder not built: " << Recorder();
    fs::copy_file(Recorder(), downloads + "/rundll32.exe", fs::copy_options::overwrite_existing, ec);
    ASSERT_FALSE(ec) << ec.message();
    const std::string planted = downloads + "/rundll32.exe.log";
    const std::vector<std::string> system = RecordSystemRundll32();
    ASSERT_FALSE(system.empty());

    StartDravik(downloads + "/Dravik.exe");
    Click(ids::kBtnSettings);
    std::vector<std::string> started;
    EXPECT_TRUE(e2e::WaitUntil([&] { return !(started = Started(system)).empty(); }, kSwitchTimeout))
        << "the system's rundll32.exe was not started";
    ASSERT_EQ(started.size(), 1u);
    EXPECT_EQ(Lower(started[0]).rfind("c:\\windows\\system32\\rundll32.exe ", 0), 0u) << started[0];
    EXPECT_EQ(started[0].substr(started[0].find(' ') + 1), "shell32.dll, Control_RunDLL desk.cpl, ,3");
    EXPECT_FALSE(e2e::FileExists(planted)) << "the planted copy ran: " << FileLines(planted).front();
}

// A double click on the small "Monitor Settings" (256-colour appearance) opens the display
// settings once: press, release, click, double click, release.
TEST_F(MainWindowDetails, SmallSettingsButtonDoubleClickedOpensTheDisplaySettingsOnce) {
    ASSERT_TRUE(e2e::FileExists(Recorder())) << "target recorder not built: " << Recorder();
    const std::vector<std::string> system = RecordSystemRundll32();
    StartDravik();
    SwitchTo256Colours();
    if (HasFatalFailure()) return;
    const auto button = ControlRect(ids::kCmdSettings);
    const RunResult click = e2e::Run(
        {"xdotool", "mousemove", std::to_string((button[0] + button[2]) / 2),
         std::to_string((button[1] + button[3]) / 2), "click", "--repeat", "2", "--delay", "80", "1"},
        env_, kProbeTimeout);
    ASSERT_TRUE(click.Ok()) << click.Describe();
    std::vector<std::string> started;
    EXPECT_TRUE(e2e::WaitUntil([&] { return !(started = Started(system)).empty(); }, kSwitchTimeout))
        << "the double click started nothing";
    // A second start would follow the first within the double click's 80 ms; give it ample time.
    e2e::WaitUntil([&] { return (started = Started(system)).size() > 1; }, 3s);
    EXPECT_EQ(started.size(), 1u) << "the display settings were started " << started.size() << " times";
}

// MSAA's numbers, as a screen reader in another process receives them.
constexpr long kRoleLink = 0x1E, kRolePushButton = 0x2B, kRoleClient = 0x0A;
constexpr long kUnavailable = 0x1, kFocused = 0x4, kDefault = 0x100, kInvisible = 0x8000,
               kLinked = 0x400000, kFocusable = 0x100000;

// A screen reader asks each control from its own process: the skinned buttons of both kinds
// are push buttons named by their captions, the shown frame's close box is a push button
// "Close" inside it, the maker label is a link; the states follow what shows, the focus and
// the disabled main window behind the about window; no button claims to be the default.
TEST_F(MainWindowDetails, ScreenReadersHearEachControlsRoleNameAndStateInBothAppearances) {
    StartDravik();
    const int xpButtons[] = {ids::kBtnTray, ids::kBtnSettings, ids::kBtnMon, ids::kBtnMovie,
                             ids::kCmdIconSave, ids::kCmdIconRest};
    const int smallButtons[] = {ids::kCmdTray, ids::kCmdSettings, ids::kCmdMon, ids::kCmdMovie};
    // Every button as the window shows it; `unavailable` for all when their window is disabled.
    // The small buttons are made when their look first shows: before, there is none to hear.
    const auto CheckButtons = [&](const char* look, bool unavailable, bool smallMade) {
        const auto dump = Dump();
        for (const int* ids : {std::begin(xpButtons), std::begin(smallButtons)}) {
            const int* end = ids == std::begin(xpButtons) ? std::end(xpButtons) : std::end(smallButtons);
            for (const int* id = ids; id != end; ++id) {
                if (!smallMade && ids == std::begin(smallButtons)) {
                    EXPECT_FALSE(Made(dump, *id)) << look << " " << *id << " made";
                    continue;
                }
                const auto heard = Heard("main", *id);
                const Record* self = Element(heard);
                ASSERT_NE(self, nullptr) << look << " " << *id;
                EXPECT_EQ(self->Int("role"), kRolePushButton) << look << " " << *id;
                EXPECT_EQ(self->Get("name"), Text(dump, *id)) << look << " " << *id;
                EXPECT_EQ(self->Get("action"), "Press") << look << " " << *id;
                EXPECT_EQ(self->Int("children"), 0) << look << " " << *id;
                const long state = std::stol(self->Get("state"), nullptr, 16);
                // Focusable: a tab stop (the small buttons have none) that a click reaches.
                const bool tabStop = std::stoul(Find(dump, "ctl", *id)->Get("style"), nullptr, 16) & 0x10000;
                const long expected = (Visible(dump, *id) ? 0 : kInvisible) |
                                      (unavailable ? kUnavailable : tabStop ? kFocusable : 0);
                EXPECT_EQ(state & ~kFocused, expected) << look << " " << *id << " " << self->Get("state");
                EXPECT_EQ(state & kDefault, 0) << look << " " << *id;
            }
        }
    };
    const auto CheckShownFrame = [&](const char* look) {
        const auto dump = Dump();
        const int frame = Visible(dump, ids::kXPF1) ? ids::kXPF1 : ids::kMorvXPF1;
        ASSERT_TRUE(Visible(dump, frame)) << look << ": no frame shows";
        const auto heard = Heard("main", frame);
        const Record* self = Element(heard);
        const Record* close = Element(heard, 1);
        ASSERT_TRUE(self && close) << look;
        EXPECT_EQ(self->Int("role"), kRoleClient) << look;
        EXPECT_EQ(self->Get("name"), Text(dump, frame)) << look;
        EXPECT_EQ(close->Int("role"), kRolePushButton) << look;
        EXPECT_EQ(close->Get("name"), "Close") << look;
        EXPECT_EQ(close->Get("action"), "Press") << look;
        EXPECT_EQ(std::stol(close->Get("state"), nullptr, 16), 0) << look;
        // In the frame's top right corner, where it shows.
        const Record* ctl = Find(dump, "ctl", frame);
        ASSERT_NE(ctl, nullptr);
        EXPECT_GT(close->Int("left"), (ctl->Int("left") + ctl->Int("right")) / 2) << look;
        EXPECT_LE(close->Int("left") + close->Int("width"), ctl->Int("right")) << look;
        EXPECT_GE(close->Int("top"), ctl->Int("top")) << look;
        EXPECT_LT(close->Int("top") + close->Int("height"), ctl->Int("top") + 40) << look;
        EXPECT_GT(close->Int("width"), 0);
    };

    CheckButtons("full colour", false, false);
    CheckShownFrame("full colour");
    const auto label = Heard("main", ids::kLblMorv);
    ASSERT_NE(Element(label), nullptr);
    EXPECT_EQ(Element(label)->Int("role"), kRoleLink);
    EXPECT_EQ(Element(label)->Get("name"), "Morv 2005");
    EXPECT_EQ(Element(label)->Get("action"), "Press");
    EXPECT_EQ(std::stol(Element(label)->Get("state"), nullptr, 16), kLinked);

    // The focus, moved by the screen reader itself.
    for (int id : {ids::kBtnMovie, ids::kCmdIconRest}) {
        ASSERT_TRUE(Probe({"acc-focus", "main", std::to_string(id)}).Ok()) << id;
        for (int other : xpButtons) {
            const Record* self = Element(Heard("main", other));
            ASSERT_NE(self, nullptr);
            EXPECT_EQ((std::stol(self->Get("state"), nullptr, 16) & kFocused) != 0, other == id)
                << "focus on " << id << ", " << other << " says " << self->Get("state");
        }
    }

    SwitchTo256Colours();
    if (HasFatalFailure()) return;
    CheckButtons("256 colours", false, true);
    CheckShownFrame("256 colours");

    // The label's link opens the about window, whose buttons are heard too, and behind which
    // the main window's buttons are unavailable.
    AccPress("main", ids::kLblMorv);
    ASSERT_TRUE(e2e::WaitUntil([&] { return Find(e2e::ParseRecords(Probe({"about"}).out), "about"); },
                               kSwitchTimeout))
        << "the label's default action opened no about window";
    CheckButtons("behind the about window", true, true);
    namespace about = launch::about;
    for (int id : {about::kCmdOk, about::kCmdDonate, about::kCmdUrl}) {
        const Record* self = Element(Heard("about", id));
        ASSERT_NE(self, nullptr) << id;
        EXPECT_EQ(self->Int("role"), kRolePushButton) << id;
        EXPECT_FALSE(self->Get("name").empty()) << id;
        EXPECT_EQ(std::stol(self->Get("state"), nullptr, 16) & (kUnavailable | kDefault | kInvisible), 0) << id;
    }
    EXPECT_EQ(Element(Heard("about", about::kCmdOk))->Get("name"), "Ok");
    AccPress("about", about::kCmdOk);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !Find(e2e::ParseRecords(Probe({"about"}).out), "about"); },
                               kSwitchTimeout))
        << "\"Ok\" pressed by its default action left the about window open";
}

// A DLL under a system name beside the program (Dravik.exe unpacked into Downloads, where
// someone put an oleacc.dll), with Wine told to prefer it from the program's folder as Windows
// does for any DLL that is not one of its KnownDLLs: Dravik starts, answers a screen reader
// through the system's oleacc, and never loads the planted one. A program that imports oleacc
// (winprobe, copied into the same folder) does load it: the plant works. version.dll cannot be
// shown this way under Wine, whose own comctl32 loads a planted one into every program before
// its first line; the release test pins the import table that keeps it out on Windows.
TEST_F(MainWindowDetails, ADllPlantedBesideTheProgramIsNeverLoaded) {
    const std::string folder = caseDir_ + "/Downloads";
    const std::string planted = TheBench().buildDir + "/tools/planted/oleacc.dll";
    ASSERT_TRUE(e2e::FileExists(planted)) << "target planted_oleacc not built: " << planted;
    std::error_code ec;
    fs::create_directories(folder, ec);
    fs::copy_file(TheBench().exe, folder + "/Dravik.exe", ec);
    ASSERT_FALSE(ec) << ec.message();
    fs::copy_file(planted, folder + "/oleacc.dll", ec);
    ASSERT_FALSE(ec) << ec.message();
    // The plant's mark, "oleacc.dll.loaded" (in any case: a Linux folder tells them apart).
    const auto marked = [&] {
        for (const auto& entry : fs::directory_iterator(folder))
            if (Lower(entry.path().filename().string()) == "oleacc.dll.loaded") return true;
        return false;
    };
    for (auto& [name, value] : env_)
        if (name == "WINEDLLOVERRIDES") value += ";oleacc=n,b";

    StartDravik(folder + "/Dravik.exe");
    const auto heard = Heard("main", ids::kBtnMovie);
    ASSERT_NE(Element(heard), nullptr) << "no screen reader's answer";
    EXPECT_EQ(Element(heard)->Int("role"), kRolePushButton);
    EXPECT_EQ(Element(heard)->Get("name"), Text(Dump(), ids::kBtnMovie));
    CloseDravik();
    EXPECT_FALSE(marked()) << "Dravik.exe loaded the oleacc.dll beside it";

    fs::copy_file(TheBench().probe, folder + "/winprobe.exe", ec);
    ASSERT_FALSE(ec) << ec.message();
    e2e::Run({TheBench().probeLoader, folder + "/winprobe.exe", "current"}, env_, kProbeTimeout);
    EXPECT_TRUE(marked()) << "a program importing oleacc beside the plant did not load it";
}

// "Press" is what a click does: "Monitor Settings" starts the display settings once, in each
// appearance, and the close box closes the program, which stores its settings first.
TEST_F(MainWindowDetails, DefaultActionsDoWhatAClickDoes) {
    ASSERT_TRUE(e2e::FileExists(Recorder())) << "target recorder not built: " << Recorder();
    const std::vector<std::string> system = RecordSystemRundll32();
    StartDravik();
    std::vector<std::string> started;
    AccPress("main", ids::kBtnSettings);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !(started = Started(system)).empty(); }, kSwitchTimeout))
        << "pressing \"Monitor Settings\" started nothing";
    e2e::WaitUntil([&] { return (started = Started(system)).size() > 1; }, 3s);
    EXPECT_EQ(started.size(), 1u) << "the display settings were started " << started.size() << " times";
    if (!started.empty()) {
        EXPECT_EQ(started[0].substr(started[0].find(' ') + 1), "shell32.dll, Control_RunDLL desk.cpl, ,3");
    }

    SwitchTo256Colours();
    if (HasFatalFailure()) return;
    AccPress("main", ids::kCmdSettings);
    EXPECT_TRUE(e2e::WaitUntil([&] { return (started = Started(system)).size() >= 2; }, kSwitchTimeout))
        << "pressing the small \"Monitor Settings\" started nothing";
    e2e::WaitUntil([&] { return (started = Started(system)).size() > 2; }, 3s);
    EXPECT_EQ(started.size(), 2u) << "the display settings were started " << started.size() << " times";

    const auto dump = Dump();
    const int frame = Visible(dump, ids::kXPF1) ? ids::kXPF1 : ids::kMorvXPF1;
    Check(ids::kChkTraystart, 1);
    AccPress("main", frame, 1);
    EXPECT_TRUE(dravik_.WaitExit(kExitTimeout).has_value()) << "Dravik.exe did not end after \"Close\"";
    EXPECT_EQ(Reg(kOptionsKey, "Start in SysTray").text, "1");
}

}  // namespace
