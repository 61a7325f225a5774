#pragma once
// Plumbing for the end-to-end tests: running Linux and Wine programs with bounded waits,
// reading winprobe's records, and reading and setting the X server's mode with xrandr.
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace e2e {

// Variables set on top of the inherited environment of a started program.
using EnvVars = std::vector<std::pair<std::string, std::string>>;

struct RunResult {
    int exitCode = -1;  // exit status, or 128 + signal
    bool timedOut = false;
    bool started = true;
    std::string out;
    std::string err;

    bool Ok() const { return started && !timedOut && exitCode == 0; }
    std::string Describe() const;
};

// Runs a program to its end and collects its output. A program still running after
// `timeout` is killed together with its process group. Only the program's own exit is
// awaited: a server it leaves behind (wineserver) may keep the output pipes open.
RunResult Run(const std::vector<std::string>& argv, const EnvVars& env,
              std::chrono::milliseconds timeout);

// A program left running while the test drives it; its output goes to a log file.
class Child {
public:
    Child() = default;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child();

    bool Start(const std::vector<std::string>& argv, const EnvVars& env, const std::string& logPath);
    bool Running();
    // The exit status once the program has ended within `timeout`.
    std::optional<int> WaitExit(std::chrono::milliseconds timeout);
    void Kill();
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Polls `condition` every 25 ms until it holds or `timeout` has passed; returns its last
// result. Nothing is asserted about how long it took.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// One line of winprobe's output: "<kind>\t<key>=<value>\t...".
struct Record {
    std::string kind;
    std::map<std::string, std::string> fields;

    bool Has(const std::string& key) const { return fields.count(key) != 0; }
    const std::string& Get(const std::string& key) const;
    long Int(const std::string& key) const;
};

std::string Unescape(std::string_view text);
std::vector<Record> ParseRecords(const std::string& output);

// The mode of the X server as xrandr reports it.
struct XMode {
    std::string output;  // e.g. DUMMY0
    std::string name;    // e.g. 1024x768
    std::string rate;    // as printed, e.g. 60.00
    int width = 0;
    int height = 0;

    double Rate() const;
    std::string Describe() const;
};

std::optional<XMode> CurrentXMode(const std::string& display);
bool SetXMode(const std::string& display, const XMode& mode);

// Labels as the program must show them, written out here independently of the program.
std::string DepthWord(int bitsPerPixel);  // "256 colors", ... or "" for a depth without one
std::string CanonicalLabel(int width, int height, int bitsPerPixel, int hz);
std::string ListEntry(int width, int height, int bitsPerPixel, int hz);

// "PE32" machine of a Windows executable: 0x14C (i386), 0x8664 (x86-64), 0 if unreadable.
unsigned PeMachine(const std::string& path);

bool FileExists(const std::string& path);
// The file's bytes, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);
// The Windows path of a Unix path, through Wine's Z: drive.
std::string WindowsPath(const std::string& unixPath);
std::string Trim(std::string text);

// The whole screen of the display, saved as a PNG file (ImageMagick's import).
bool SaveScreenshot(const std::string& display, const std::string& path);

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
    std::string Describe() const;
};

// One pixel of a saved screenshot; nothing when the file cannot be read there.
std::optional<Rgb> PixelAt(const std::string& path, int x, int y);

}  // namespace e2e
