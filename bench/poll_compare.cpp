// The panel's polling against its yardstick (bench/yardstick.cpp, the least a Qt program
// can do for the same exchange): each runs as a process of its own, on the display it is
// given (DISPLAY: both on that X server; none, or --offscreen: both offscreen), polling an
// "AT" board on a pseudo-terminal that this program serves, in alternating rounds (panel
// first in odd rounds, the yardstick first in even ones) with a fresh board and a fresh
// process every round, so both meet the same readings and the same load. After a settling
// time each round measures, over N seconds, the CPU time of all the process's threads per
// poll request the board received and the process's resident memory. Prints every round,
// then the medians and the ratios panel/yardstick against their targets (CPU per poll
// within 1.1x, resident memory within 1.25x).
//
// With --effect both also play the benchmark effect of effect_cpu (100 steps in repeat at
// the fastest speed, 109 ms a step; the panel starts it a second after it polls, within the
// settling time) while they poll: then each round also gives the LED frames a second the
// board received, and the end the medians of the main thread's CPU as a share of a core,
// their ratio panel/yardstick, and the panel's against effect_cpu's target of 0.6%.
//
// Usage: poll_compare [--rounds R] [--seconds N] [--settle S] [--toggle] [--offscreen] [--effect]
//   defaults: 3 rounds of 20 s each per program, 3 s settling; --toggle as in link_bench.
//   (poll_compare [--effect] --panel DEVICE is the panel's side: the panel polling DEVICE,
//   and playing the effect, until its standard input closes.)
// Exit status 1 when a target is missed, 2 when the set-up failed.
#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>

#include <QSocketNotifier>
#include <algorithm>

#include "bench_panel.h"

namespace {

constexpr double kCpuTarget = 1.1;
constexpr double kRssTarget = 1.25;
constexpr double kEffectCpuTarget = 0.006;  // of a core, the panel's main thread

// On-CPU nanoseconds of one thread of `pid` (its main thread when `tid` is `pid`).
double taskCpuNs(pid_t pid, const std::string& tid) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/task/" + tid + "/schedstat");
    double ns = 0;
    f >> ns;
    return ns;
}

// On-CPU nanoseconds of every thread `pid` has now.
double processCpuNs(pid_t pid) {
    double ns = 0;
    const std::string dir = "/proc/" + std::to_string(pid) + "/task";
    if (DIR* d = ::opendir(dir.c_str())) {
        while (const dirent* e = ::readdir(d))
            if (e->d_name[0] != '.') ns += taskCpuNs(pid, e->d_name);
        ::closedir(d);
    }
    return ns;
}

// A "Name:  N kB" line of /proc/PID/status, in KiB.
long statusKiB(pid_t pid, const std::string& name) {
    std::ifstream f("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(f, line))
        if (line.rfind(name + ":", 0) == 0) return std::atol(line.c_str() + name.size() + 1);
    return 0;
}

struct Program {
    const char* name;
    std::vector<std::string> args;  // the board's device is appended
    bool endsWithInput;             // ends by itself when its standard input closes
};

struct Round {
    double cpuUsPerPoll = 0, cpuShare = 0, mainShare = 0, pollsPerSecond = 0, framesPerSecond = 0;
    long rssKiB = 0, anonKiB = 0;
};

// One round of `p` against a fresh board; false when it did not poll.
bool measure(const Program& p, bool toggle, int settle, int seconds, Round& out) {
    bench::PtyBoard board;
    board.toggle = toggle;
    board.start({});
    // Made before the fork: the board's thread may hold the allocator's lock in the child.
    std::vector<std::string> args = p.args;
    args.push_back(board.slaveName());
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int input[2];
    if (::pipe2(input, O_CLOEXEC) != 0) return false;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(input[0], 0);
        // Quiet: a program that fails to start shows as one that does not poll.
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(input[0]);
    const auto polls = [&] {
        std::lock_guard lock(board.mutex);
        return static_cast<long>(board.pollArrivals.size());
    };
    const auto frames = [&] {
        std::lock_guard lock(board.mutex);
        return board.ledFrames;
    };
    const auto end = [&] {
        ::close(input[1]);
        if (!p.endsWithInput) ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
    };
    for (int i = 0; polls() == 0; ++i) {
        if (i == 300 || ::waitpid(pid, nullptr, WNOHANG) != 0) {
            std::fprintf(stderr, "%s did not poll within 30 s\n", p.name);
            end();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::this_thread::sleep_for(std::chrono::seconds(settle));

    const std::string mainTid = std::to_string(pid);
    const long polls0 = polls(), frames0 = frames();
    const double cpu0 = processCpuNs(pid), main0 = taskCpuNs(pid, mainTid);
    const bench::Clock::time_point t0 = bench::Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double cpu1 = processCpuNs(pid), main1 = taskCpuNs(pid, mainTid);
    const bench::Clock::time_point t1 = bench::Clock::now();
    const long polls1 = polls(), frames1 = frames();
    out.rssKiB = statusKiB(pid, "VmRSS");
    out.anonKiB = statusKiB(pid, "RssAnon");
    end();

    const double wall = std::chrono::duration<double>(t1 - t0).count();
    const long n = std::max(1L, polls1 - polls0);
    out.cpuUsPerPoll = (cpu1 - cpu0) / 1e3 / static_cast<double>(n);
    out.cpuShare = (cpu1 - cpu0) / 1e9 / wall;
    out.mainShare = (main1 - main0) / 1e9 / wall;
    out.pollsPerSecond = static_cast<double>(polls1 - polls0) / wall;
    out.framesPerSecond = static_cast<double>(frames1 - frames0) / wall;
    return true;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The panel polling `device`, and with `effect` playing the benchmark effect, until the
// standard input closes.
int panelAlone(int argc, char** argv, const std::string& device, bool effect) {
    bench::Panel panel(argc, argv, 100, 550, device);
    return panel.run([&panel, effect] {
        auto* input = new QSocketNotifier(0, QSocketNotifier::Read, qApp);
        QObject::connect(input, &QSocketNotifier::activated, [&panel, input] {
            // The closed input stays readable: once is enough.
            input->setEnabled(false);
            // The stop click ends the play, and with it the loop.
            if (panel.w->CMD_Animatie.Caption == qv::kStopCaption)
                panel.w->CMD_Animatie.click();
            else
                QCoreApplication::exit(0);
        });
        if (effect) panel.playFastest([] {});
    });
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--panel")
            return panelAlone(argc, argv, argv[i + 1], bench::flagOption(argc, argv, "--effect"));

    const int rounds = std::max(1, bench::intOption(argc, argv, "--rounds", 3));
    const int seconds = bench::secondsOption(argc, argv, 20);
    const int settle = std::max(0, bench::intOption(argc, argv, "--settle", 3));
    const bool toggle = bench::flagOption(argc, argv, "--toggle");
    const bool effect = bench::flagOption(argc, argv, "--effect");
    const bool offscreen = bench::flagOption(argc, argv, "--offscreen") || !std::getenv("DISPLAY");
    ::setenv("QT_QPA_PLATFORM", offscreen ? "offscreen" : "xcb", 1);

    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe");
    Program panel{"panel", {self.string(), "--panel"}, true};
    Program yardstick{"yardstick", {(self.parent_path() / "yardstick").string()}, false};
    if (effect) {
        panel.args.insert(panel.args.begin() + 1, "--effect");
        yardstick.args.emplace_back("--effect");
    }

    std::printf("polling an AT board on a pseudo-terminal%s, %s, readings %s; %d rounds of %d s each\n",
                effect ? " while playing a 100-step effect at 108.9 ms a step" : "",
                offscreen ? "offscreen" : ("on X display " + std::string(std::getenv("DISPLAY"))).c_str(),
                toggle ? "crossing the threshold every time" : "of a slowly turned knob", rounds, seconds);
    std::vector<double> cpu[2], rss[2], share[2], mainShare[2];
    for (int r = 0; r < rounds; ++r) {
        for (int k = 0; k < 2; ++k) {
            const int which = (r + k) % 2;  // 0 the panel, 1 the yardstick
            const Program& p = which == 0 ? panel : yardstick;
            Round f;
            if (!measure(p, toggle, settle, seconds, f)) return 2;
            std::printf(
                "round %d %-9s: %6.1f us CPU a poll, %.3f%% of a core (main thread %.3f%%), %.2f polls/s, ",
                r + 1, p.name, f.cpuUsPerPoll, f.cpuShare * 100, f.mainShare * 100, f.pollsPerSecond);
            if (effect) std::printf("%.2f frames/s, ", f.framesPerSecond);
            std::printf("RSS %ld KiB (anonymous %ld KiB)\n", f.rssKiB, f.anonKiB);
            std::fflush(stdout);
            cpu[which].push_back(f.cpuUsPerPoll);
            rss[which].push_back(static_cast<double>(f.rssKiB));
            share[which].push_back(f.cpuShare);
            mainShare[which].push_back(f.mainShare);
        }
    }
    if (effect) {
        const double panelMain = median(mainShare[0]);
        std::printf(
            "median CPU, %% of a core: panel %.3f%% (main thread %.3f%%), yardstick %.3f%% (main thread "
            "%.3f%%); main thread ratio %.2f\n",
            median(share[0]) * 100, panelMain * 100, median(share[1]) * 100, median(mainShare[1]) * 100,
            panelMain / median(mainShare[1]));
        std::printf("the panel's main thread: %.3f%% of a core (target %.1f%%)\n", panelMain * 100,
                    kEffectCpuTarget * 100);
        if (panelMain <= kEffectCpuTarget) return 0;
        std::printf("MISSED: the panel's main thread CPU above %.1f%% of a core\n", kEffectCpuTarget * 100);
        return 1;
    }
    const double cpuRatio = median(cpu[0]) / median(cpu[1]);
    const double rssRatio = median(rss[0]) / median(rss[1]);
    std::printf("median CPU a poll: panel %.1f us, yardstick %.1f us, ratio %.2f (target %.2f)\n",
                median(cpu[0]), median(cpu[1]), cpuRatio, kCpuTarget);
    std::printf("median RSS: panel %.0f KiB, yardstick %.0f KiB, ratio %.2f (target %.2f)\n", median(rss[0]),
                median(rss[1]), rssRatio, kRssTarget);
    bool ok = true;
    if (cpuRatio > kCpuTarget) {
        std::printf("MISSED: the panel's CPU a poll above %.2f times the yardstick's\n", kCpuTarget);
        ok = false;
    }
    if (rssRatio > kRssTarget) {
        std::printf("MISSED: the panel's resident memory above %.2f times the yardstick's\n", kRssTarget);
        ok = false;
    }
    return ok ? 0 : 1;
}
