// board-emulator: a pseudo-terminal that behaves as the board's sketch, so the panel can
// be tried and tested without a board.
//
//   board-emulator [--kind AT|ET|TM|AC|AL|silent|<any text>] [--link COMn]
//                  [--log FILE] [--latency MS] [--id-delay MS] [--values walk|fixed|change]
//                  [--keys MASK] [--split] [--burst] [--unplug-after S] [--script FILE]
//
// It prints the slave's path on stdout (and, with --link, makes the link COMn in the
// panel's per-user links folder point at it). It answers "90/" with the kind's code,
// "5/" with an analog report walking the channels A0..A4 and "7/" with the key mask,
// takes every other command, and logs every command it receives and every reply it
// sends with the time since start:  "<seconds> RX 90/"  /  "<seconds> TX AT".
//
// Script lines (times in seconds since start; '#' starts a comment):
//   <t> analog <channel> <value>   set a channel's reading
//   <t> keys <mask>                set the key mask
//   <t> send <text>                write text to the panel unasked
//   <t> kind <code>                change the identification reply
//   <t> split on|off               split each reply into two writes 30 ms apart
//   <t> burst on|off               answer each request with two reports in one write
//   <t> unplug                     close the line (the board vanishes) and exit
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "board_line.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Pending {
    double at;
    std::string text;
};

struct Action {
    double at;
    std::string verb;
    std::vector<std::string> args;
};

struct Board {
    std::string kind = "AT";
    int latencyMs = 5;
    int idDelayMs = -1;  // -1: latency
    std::string valuesMode = "change";
    int fixed[5] = {100, 300, 500, 700, 900};
    int keys = 0;
    bool split = false;
    bool burst = false;
    int channel = 0;
    long polls = 0;
};

int master = -1;
int slave = -1;
FILE* logFile = stderr;
Clock::time_point start;
std::string linkPath;
volatile sig_atomic_t stopRequested = 0;

double now() { return std::chrono::duration<double>(Clock::now() - start).count(); }

void logLine(const char* dir, const std::string& text) {
    std::fprintf(logFile, "%.3f %s %s\n", now(), dir, text.c_str());
    std::fflush(logFile);
}

int analogValue(Board& b, int ch) {
    if (b.valuesMode == "fixed") return b.fixed[ch];
    if (b.valuesMode == "walk") return static_cast<int>((b.polls * 37 + ch * 200) % 1024);
    // "change": a slow wave per channel that moves on every poll.
    const double v = 511.5 + 511.5 * std::sin(b.polls * 0.05 + ch * 1.3);
    return static_cast<int>(std::lround(v));
}

void queueReply(Board& b, std::vector<Pending>& out, double delay, const std::string& text) {
    const double t = now() + delay;
    if (b.split && text.size() >= 2) {
        const size_t half = text.size() / 2;
        out.push_back({t, text.substr(0, half)});
        out.push_back({t + 0.030, text.substr(half)});
    } else {
        out.push_back({t, text});
    }
}

// Commands from the panel: "<n>/" or "<n>/<field>/"; 90, 5 and 7 carry no field.
void handleCommand(Board& b, const std::string& cmd, std::vector<Pending>& out) {
    logLine("RX", cmd);
    const double lat = b.latencyMs / 1000.0;
    if (cmd == "90/") {
        if (b.kind != "silent")
            queueReply(b, out, (b.idDelayMs >= 0 ? b.idDelayMs : b.latencyMs) / 1000.0, b.kind);
    } else if (cmd == "5/") {
        ++b.polls;
        const int ch = b.channel;
        b.channel = (b.channel + 1) % 5;
        std::string r = "A" + std::to_string(ch) + std::to_string(analogValue(b, ch));
        if (b.burst) r += "A" + std::to_string(b.channel) + std::to_string(analogValue(b, b.channel));
        queueReply(b, out, lat, r);
    } else if (cmd == "7/") {
        ++b.polls;
        std::string r = "DI" + std::to_string(b.keys);
        if (b.burst) r += r;
        queueReply(b, out, lat, r);
    }
}

std::vector<Action> readScript(const std::string& path) {
    std::vector<Action> actions;
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "board-emulator: cannot read script %s\n", path.c_str());
        std::exit(2);
    }
    std::string line;
    while (std::getline(in, line)) {
        if (auto h = line.find('#'); h != std::string::npos) line.erase(h);
        std::istringstream ls(line);
        Action a;
        if (!(ls >> a.at >> a.verb)) continue;
        if (a.verb == "send") {
            std::string rest;
            std::getline(ls, rest);
            a.args.push_back(rest.empty() ? rest : rest.substr(1));
        } else {
            std::string w;
            while (ls >> w) a.args.push_back(w);
        }
        actions.push_back(a);
    }
    return actions;
}

void cleanup() {
    if (!linkPath.empty()) {
        std::error_code ec;
        std::filesystem::remove(linkPath, ec);
    }
}

void onSignal(int) { stopRequested = 1; }

std::string linksFolder() {
    std::string base;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x)
        base = x;
    else if (const char* h = std::getenv("HOME"); h && *h)
        base = std::string(h) + "/.config";
    return base + "/Quorvane/ports";
}

}  // namespace

int main(int argc, char** argv) {
    Board b;
    std::string logPath, link, script;
    double unplugAfter = -1;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto next = [&]() -> std::string {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "board-emulator: %s needs a value\n", a.c_str());
                std::exit(2);
            }
            return argv[++i];
        };
        if (a == "--kind")
            b.kind = next();
        else if (a == "--link")
            link = next();
        else if (a == "--log")
            logPath = next();
        else if (a == "--latency")
            b.latencyMs = std::atoi(next().c_str());
        else if (a == "--id-delay")
            b.idDelayMs = std::atoi(next().c_str());
        else if (a == "--values")
            b.valuesMode = next();
        else if (a == "--keys")
            b.keys = std::atoi(next().c_str());
        else if (a == "--split")
            b.split = true;
        else if (a == "--burst")
            b.burst = true;
        else if (a == "--unplug-after")
            unplugAfter = std::atof(next().c_str());
        else if (a == "--script")
            script = next();
        else {
            std::fprintf(stderr,
                         "usage: board-emulator [--kind AT|ET|TM|AC|AL|silent] [--link COMn] [--log FILE]\n"
                         "  [--latency MS] [--id-delay MS] [--values walk|fixed|change] [--keys MASK]\n"
                         "  [--split] [--burst] [--unplug-after S] [--script FILE]\n");
            return 2;
        }
    }
    std::vector<Action> actions = script.empty() ? std::vector<Action>{} : readScript(script);
    if (unplugAfter >= 0) actions.push_back({unplugAfter, "unplug", {}});

    if (!logPath.empty()) {
        logFile = std::fopen(logPath.c_str(), "w");
        if (!logFile) {
            std::perror("board-emulator: log");
            return 2;
        }
    }
    if (::openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        std::perror("board-emulator: openpty");
        return 1;
    }
    // Raw line both ways: no echo, no line editing, no CR/LF translation.
    termios t{};
    ::tcgetattr(slave, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(slave, TCSANOW, &t);
    const std::string slaveName = ::ttyname(slave);
    // Keeping the slave open means the panel can open and close it again and again
    // without the master seeing a hang-up in between.

    if (!link.empty()) {
        const std::string folder = linksFolder();
        std::filesystem::create_directories(folder);
        linkPath = folder + "/" + link;
        std::error_code ec;
        std::filesystem::remove(linkPath, ec);
        std::filesystem::create_symlink(slaveName, linkPath, ec);
        if (ec) {
            std::fprintf(stderr, "board-emulator: cannot link %s: %s\n", linkPath.c_str(),
                         ec.message().c_str());
            return 1;
        }
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::atexit(cleanup);
    std::printf("%s\n", slaveName.c_str());
    std::fflush(stdout);

    start = Clock::now();
    std::vector<Pending> out;
    std::string buf;
    size_t nextAction = 0;
    std::sort(actions.begin(), actions.end(), [](const Action& x, const Action& y) { return x.at < y.at; });

    while (!stopRequested) {
        // Due script actions.
        while (nextAction < actions.size() && actions[nextAction].at <= now()) {
            const Action& a = actions[nextAction++];
            logLine("--", a.verb);
            if (a.verb == "analog" && a.args.size() == 2) {
                const int ch = std::atoi(a.args[0].c_str());
                if (ch >= 0 && ch < 5) b.fixed[ch] = std::atoi(a.args[1].c_str());
                b.valuesMode = "fixed";
            } else if (a.verb == "keys" && a.args.size() == 1) {
                b.keys = std::atoi(a.args[0].c_str());
            } else if (a.verb == "send" && !a.args.empty()) {
                out.push_back({now(), a.args[0]});
            } else if (a.verb == "kind" && a.args.size() == 1) {
                b.kind = a.args[0];
            } else if (a.verb == "split" && a.args.size() == 1) {
                b.split = a.args[0] == "on";
            } else if (a.verb == "burst" && a.args.size() == 1) {
                b.burst = a.args[0] == "on";
            } else if (a.verb == "unplug") {
                ::close(master);
                ::close(slave);
                return 0;
            }
        }
        // Due replies.
        for (size_t i = 0; i < out.size();) {
            if (out[i].at <= now()) {
                logLine("TX", out[i].text);
                board::writeAll(master, out[i].text);
                out.erase(out.begin() + static_cast<long>(i));
            } else {
                ++i;
            }
        }
        double wake = 1.0;
        for (const auto& p : out) wake = std::min(wake, p.at - now());
        if (nextAction < actions.size()) wake = std::min(wake, actions[nextAction].at - now());
        pollfd pfd{master, POLLIN, 0};
        const int timeout = std::max(0, static_cast<int>(std::ceil(wake * 1000)));
        const int r = ::poll(&pfd, 1, timeout);
        if (r > 0 && (pfd.revents & POLLIN)) {
            char chunk[256];
            const ssize_t n = ::read(master, chunk, sizeof chunk);
            if (n > 0) {
                buf.append(chunk, static_cast<size_t>(n));
                while (size_t len = board::commandLength(buf)) {
                    handleCommand(b, buf.substr(0, len), out);
                    buf.erase(0, len);
                }
                if (buf.size() > 4096) buf.clear();
            }
        }
    }
    return 0;
}
