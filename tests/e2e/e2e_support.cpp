#include "e2e_support.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <thread>

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

std::vector<char*> ArgvOf(const std::vector<std::string>& argv) {
    std::vector<char*> out;
    for (const auto& a : argv) out.push_back(const_cast<char*>(a.c_str()));
    out.push_back(nullptr);
    return out;
}

// In the child, between fork and exec: a process group of its own, so that a timeout can
// end the program together with anything it started in the foreground.
[[noreturn]] void ExecChild(const std::vector<std::string>& argv, const EnvVars& env) {
    setpgid(0, 0);
    for (const auto& [k, v] : env) setenv(k.c_str(), v.c_str(), 1);
    auto args = ArgvOf(argv);
    execvp(args[0], args.data());
    std::fprintf(stderr, "exec %s: %s\n", args[0], std::strerror(errno));
    _exit(127);
}

// A descriptor that becomes readable when the process ends, or -1 where the kernel has none
// (before 5.3). Through syscall(): Debian 12's <sys/pidfd.h> declares pidfd_open without C
// linkage, so C++ cannot link against it.
int PidFd(pid_t pid) {
#ifdef SYS_pidfd_open
    return static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    return -1;
#endif
}

int StatusToCode(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return -1;
}

// Reads what the pipe holds; false once it is at its end (every writer closed it).
bool DrainInto(int fd, std::string& sink) {
    char buf[4096];
    for (;;) {
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n > 0) {
            sink.append(buf, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);  // nothing more for now, or the end
    }
}

}  // namespace

std::string RunResult::Describe() const {
    std::ostringstream s;
    if (!started)
        s << "could not start";
    else if (timedOut)
        s << "timed out";
    else
        s << "exit " << exitCode;
    if (!out.empty()) s << "\n--- stdout ---\n" << out;
    if (!err.empty()) s << "\n--- stderr ---\n" << err;
    return s.str();
}

RunResult Run(const std::vector<std::string>& argv, const EnvVars& env,
              std::chrono::milliseconds timeout) {
    RunResult result;
    int outPipe[2], errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0) {
        result.started = false;
        return result;
    }
    const pid_t pid = fork();
    if (pid < 0) {
        result.started = false;
        return result;
    }
    if (pid == 0) {
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        const int devnull = open("/dev/null", O_RDONLY);
        if (devnull >= 0) dup2(devnull, 0);
        ExecChild(argv, env);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    fcntl(outPipe[0], F_SETFL, O_NONBLOCK);
    fcntl(errPipe[0], F_SETFL, O_NONBLOCK);

    // The program's end wakes the wait through its pidfd: a server it leaves behind may
    // keep the pipes open, so their end says nothing. Without pidfds (kernels before 5.3)
    // the wait looks every 50 ms.
    const int exitFd = PidFd(pid);
    const auto deadline = Clock::now() + timeout;
    int status = 0;
    bool exited = false;
    bool outOpen = true, errOpen = true;
    while (!exited) {
        // A pipe at its end would wake every poll at once; it is left out from then on.
        pollfd fds[3] = {{outOpen ? outPipe[0] : -1, POLLIN, 0},
                         {errOpen ? errPipe[0] : -1, POLLIN, 0},
                         {exitFd, POLLIN, 0}};
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const int wait = exitFd >= 0 ? static_cast<int>(std::clamp<long long>(left.count(), 0, 1000)) : 50;
        poll(fds, 3, wait);
        if (outOpen) outOpen = DrainInto(outPipe[0], result.out);
        if (errOpen) errOpen = DrainInto(errPipe[0], result.err);
        const pid_t w = waitpid(pid, &status, WNOHANG);
        if (w == pid) {
            exited = true;
        } else if (Clock::now() >= deadline) {
            kill(-pid, SIGKILL);
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            result.timedOut = true;
            exited = true;
        }
    }
    if (exitFd >= 0) close(exitFd);
    // Whatever the program wrote before it ended is in the pipes by now.
    DrainInto(outPipe[0], result.out);
    DrainInto(errPipe[0], result.err);
    close(outPipe[0]);
    close(errPipe[0]);
    result.exitCode = StatusToCode(status);
    return result;
}

Child::~Child() { Kill(); }

bool Child::Start(const std::vector<std::string>& argv, const EnvVars& env,
                  const std::string& logPath) {
    const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (log < 0) return false;
    pid_ = fork();
    if (pid_ < 0) {
        close(log);
        return false;
    }
    if (pid_ == 0) {
        dup2(log, 1);
        dup2(log, 2);
        const int devnull = open("/dev/null", O_RDONLY);
        if (devnull >= 0) dup2(devnull, 0);
        ExecChild(argv, env);
    }
    close(log);
    status_.reset();
    return true;
}

bool Child::Running() {
    if (pid_ <= 0 || status_) return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        status_ = StatusToCode(status);
        return false;
    }
    return true;
}

std::optional<int> Child::WaitExit(std::chrono::milliseconds timeout) {
    if (!Running()) return status_;
    // Woken by the end itself through a pidfd; without one, looked at every 25 ms.
    const int exitFd = PidFd(pid_);
    if (exitFd < 0) {
        WaitUntil([this] { return !Running(); }, timeout);
        return status_;
    }
    const auto deadline = Clock::now() + timeout;
    while (Running()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        pollfd fd{exitFd, POLLIN, 0};
        poll(&fd, 1, static_cast<int>(std::min<long long>(left.count(), 1000)));
    }
    close(exitFd);
    return status_;
}

void Child::Kill() {
    if (!Running()) return;
    kill(-pid_, SIGKILL);
    kill(pid_, SIGKILL);
    int status = 0;
    if (waitpid(pid_, &status, 0) == pid_) status_ = StatusToCode(status);
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        if (condition()) return true;
        if (Clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
}

const std::string& Record::Get(const std::string& key) const {
    static const std::string kEmpty;
    const auto it = fields.find(key);
    return it == fields.end() ? kEmpty : it->second;
}

long Record::Int(const std::string& key) const {
    const std::string& v = Get(key);
    char* end = nullptr;
    const long n = std::strtol(v.c_str(), &end, 0);
    return (v.empty() || *end != '\0') ? -999999 : n;
}

std::string Unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 >= text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        switch (c) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'r': out += '\r'; break;
        case 'n': out += '\n'; break;
        case 'x':
            if (i + 2 < text.size()) {
                out += static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16));
                i += 2;
            }
            break;
        default: out += c;
        }
    }
    return out;
}

std::vector<Record> ParseRecords(const std::string& output) {
    std::vector<Record> records;
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        Record r;
        std::size_t start = 0;
        bool first = true;
        for (;;) {
            const std::size_t tab = line.find('\t', start);
            const std::string field = line.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
            if (first) {
                r.kind = field;
                first = false;
            } else {
                const std::size_t eq = field.find('=');
                if (eq != std::string::npos) r.fields[field.substr(0, eq)] = Unescape(field.substr(eq + 1));
            }
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        records.push_back(std::move(r));
    }
    return records;
}

double XMode::Rate() const { return std::strtod(rate.c_str(), nullptr); }

std::string XMode::Describe() const { return name + " at " + rate + " Hz on " + output; }

std::optional<XMode> CurrentXMode(const std::string& display) {
    const RunResult r = Run({"xrandr", "--current"}, {{"DISPLAY", display}}, std::chrono::seconds(20));
    if (!r.Ok()) return std::nullopt;
    XMode mode;
    std::istringstream lines(r.out);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.find(" connected") != std::string::npos && mode.output.empty()) {
            mode.output = line.substr(0, line.find(' '));
            continue;
        }
        // Mode lines of the connected output: "   800x600   75.00    60.32*   56.25"; the
        // rate in use carries a '*'.
        if (mode.output.empty() || line.rfind("   ", 0) != 0 || line.find('*') == std::string::npos)
            continue;
        std::istringstream fields(line);
        std::string token;
        fields >> mode.name;
        while (fields >> token) {
            if (token.find('*') != std::string::npos) {
                std::string rate;
                for (char c : token)
                    if (c != '*' && c != '+') rate += c;
                mode.rate = rate;
            }
        }
        if (std::sscanf(mode.name.c_str(), "%dx%d", &mode.width, &mode.height) != 2) return std::nullopt;
        return mode;
    }
    return std::nullopt;
}

bool SetXMode(const std::string& display, const XMode& mode) {
    return Run({"xrandr", "--output", mode.output, "--mode", mode.name, "--rate", mode.rate},
               {{"DISPLAY", display}}, std::chrono::seconds(20))
        .Ok();
}

std::string DepthWord(int bitsPerPixel) {
    switch (bitsPerPixel) {
    case 4: return "16 colors";
    case 8: return "256 colors";
    case 16: return "16bit colors";
    case 32: return "32bit colors";
    default: return "";
    }
}

std::string CanonicalLabel(int width, int height, int bitsPerPixel, int hz) {
    return std::to_string(width) + " x " + std::to_string(height) + " @ " + std::to_string(hz) +
           "Hz " + DepthWord(bitsPerPixel);
}

std::string ListEntry(int width, int height, int bitsPerPixel, int hz) {
    const std::string word = DepthWord(bitsPerPixel);
    return " " + std::to_string(width) + " x " + std::to_string(height) + " @ " +
           std::to_string(hz) + "Hz" + (word.empty() ? "" : " " + word);
}

unsigned PeMachine(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    unsigned char dos[64] = {};
    if (!f.read(reinterpret_cast<char*>(dos), sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') return 0;
    const std::uint32_t peOffset = dos[0x3C] | (dos[0x3D] << 8) | (dos[0x3E] << 16) |
                                   (static_cast<std::uint32_t>(dos[0x3F]) << 24);
    unsigned char pe[6] = {};
    f.seekg(peOffset);
    if (!f.read(reinterpret_cast<char*>(pe), sizeof pe) || std::memcmp(pe, "PE\0\0", 4) != 0) return 0;
    return pe[4] | (pe[5] << 8);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string WindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

bool FileExists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string Trim(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ') ++start;
    return text.substr(start);
}

bool SaveScreenshot(const std::string& display, const std::string& path) {
    const RunResult r = Run({"import", "-display", display, "-window", "root", path}, {},
                            std::chrono::seconds(30));
    return r.Ok() && FileExists(path);
}

std::string Rgb::Describe() const {
    return "RGB(" + std::to_string(r) + ", " + std::to_string(g) + ", " + std::to_string(b) + ")";
}

std::optional<Rgb> PixelAt(const std::string& path, int x, int y) {
    // ImageMagick's text format prints "0,0: (r,g,b)  #RRGGBB  srgb(...)" for the one pixel.
    const RunResult r = Run({"convert", path, "-crop",
                             "1x1+" + std::to_string(x) + "+" + std::to_string(y), "-depth", "8",
                             "txt:-"},
                            {}, std::chrono::seconds(30));
    if (!r.Ok()) return std::nullopt;
    const auto line = r.out.find("0,0:");
    if (line == std::string::npos) return std::nullopt;
    Rgb c;
    if (std::sscanf(r.out.c_str() + line, "0,0: (%d,%d,%d", &c.r, &c.g, &c.b) != 3) return std::nullopt;
    return c;
}

}  // namespace e2e
