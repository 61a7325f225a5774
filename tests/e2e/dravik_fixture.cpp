// The bench look-up of the end-to-end fixture.
#include "dravik_fixture.h"

#include <cstdlib>

#include "controls/paint/bmp.h"

namespace dravik_e2e {

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

bool UnderCi() {
    const std::string ci = Env("CI");
    return !ci.empty() && ci != "0" && ci != "false";
}

namespace {

std::string Wine64() {
    const std::string w = Env("WINE64");
    if (!w.empty()) return w;
    return e2e::FileExists("/usr/lib/wine/wine64") ? "/usr/lib/wine/wine64" : "wine64";
}

// The 32-bit loader runs only where the kernel runs 32-bit programs. The bench has tried a
// 32-bit Windows program in its prefix and says so; without it, the loader is asked.
bool Can32() {
    static const bool ok = [] {
        const std::string bench = Env("DRAVIK_WINE32_OK");
        if (!bench.empty()) return bench == "1";
        return e2e::Run({"wine", "--version"}, {}, 60s).Ok();
    }();
    return ok;
}

}  // namespace

bool CanRun32Bit() { return Can32(); }

namespace {

std::string LoaderFor(const std::string& exe, std::string& problem) {
    switch (e2e::PeMachine(exe)) {
    case 0x14C:
        if (!Can32())
            problem = "cannot run the 32-bit " + exe +
                      ": Wine runs no 32-bit programs on this machine (is the kernel's ia32 "
                      "emulation off?); build the win64 preset and point "
                      "DRAVIK_WIN32_BUILD_DIR at it";
        return "wine";
    case 0x8664: return Wine64();
    default: problem = exe + " is not a Windows executable"; return "";
    }
}

Bench FindBench() {
    Bench b;
    b.buildDir = Env("DRAVIK_WIN32_BUILD_DIR");
    if (b.buildDir.empty()) b.buildDir = DRAVIK_WIN32_BUILD_DIR;
    b.workDir = DRAVIK_E2E_WORK_DIR;
    b.exe = b.buildDir + "/Dravik.exe";
    for (const char* rel : {"/tools/winprobe.exe", "/winprobe.exe", "/bin/winprobe.exe"}) {
        if (e2e::FileExists(b.buildDir + rel)) {
            b.probe = b.buildDir + rel;
            break;
        }
    }
    b.display = Env("DISPLAY");
    b.templatePrefix = Env("DRAVIK_WINE_TEMPLATE");
    if (b.templatePrefix.empty()) b.templatePrefix = Env("WINEPREFIX");

    if (b.buildDir.empty()) {
        b.problem = "no Windows build named: set DRAVIK_WIN32_BUILD_DIR to a build folder of "
                    "the win32 or win64 preset";
    } else if (!e2e::FileExists(b.exe)) {
        b.problem = "Dravik.exe not found at " + b.exe + " (build the win32 preset first)";
    } else if (b.probe.empty()) {
        b.problem = "winprobe.exe not found under " + b.buildDir + " (target winprobe)";
    } else if (b.display.empty() || Env("WINEPREFIX").empty()) {
        b.problem = "DISPLAY or WINEPREFIX is not set: start the bench first "
                    "(scripts/testbench.sh start; source build/testbench/env.sh)";
    } else if (!fs::is_directory(b.templatePrefix + "/drive_c")) {
        b.problem = "no Wine prefix to copy at " + b.templatePrefix;
    } else if (!e2e::CurrentXMode(b.display)) {
        b.problem = "xrandr cannot read the mode of display " + b.display;
    }
    if (!b.problem.empty()) return b;

    b.exeLoader = LoaderFor(b.exe, b.problem);
    if (!b.problem.empty()) return b;
    b.probeLoader = LoaderFor(b.probe, b.problem);
    if (!b.problem.empty()) return b;
    // A 32-bit program's HKLM\SOFTWARE is redirected to WOW6432Node, as on 64-bit Windows.
    b.regView = e2e::PeMachine(b.exe) == 0x14C ? "32" : "64";
    b.toolLoader = Wine64();
    return b;
}

}  // namespace

const Bench& TheBench() {
    static const Bench bench = FindBench();
    return bench;
}


// Row y of a frame's title picture (one pixel wide, stretched along the title bar).
e2e::Rgb TitleRow(const char* file, int y) {
    const paint::PicturePtr p = paint::LoadBmpFile(std::string(DRAVIK_PICTURES_DIR) + "/" + file);
    if (!p) return {-1, -1, -1};
    const paint::Rgb c = p->pixels.Pixel(0, y);
    return {paint::Red(c), paint::Green(c), paint::Blue(c)};
}

}  // namespace dravik_e2e
