// The panel under a flood of key changes: the real panel (offscreen Qt, production runtime
// and binder) connected to an "AT" board on a pseudo-terminal that, besides answering the
// polls, sends an unasked key report every 0.5 ms whose mask alternates between two keys, so
// that every report it takes asks for a sound. Run it against a sound server
// (bench/key_flood.sh gives it one of its own). Reports
//   - resident memory at each second of the flood and its growth after the first second
//     (target: flat),
//   - the CPU of the whole process before the flood, in the second after it and from one to
//     three seconds after (target: back to the figure before within a second),
//   - the most streams the sound server held at once, sampled with pactl every 50 ms from
//     before the flood to the end (target: at most 2).
//
// Usage: key_flood [--seconds N] (default 20)
// Exit status 1 when a target is missed, 2 when the set-up failed.
#include <atomic>
#include <cstdio>
#include <thread>

#include "bench_panel.h"

namespace {

double residentMb() {
    long pages = 0, resident = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1e6;
}

// The sound server's playback streams now; -1 when pactl cannot ask it.
int serverStreams() {
    std::FILE* p = ::popen("pactl list short sink-inputs 2>/dev/null", "r");
    if (!p) return -1;
    int lines = 0;
    for (int c; (c = std::fgetc(p)) != EOF;)
        if (c == '\n') ++lines;
    return ::pclose(p) == 0 ? lines : -1;
}

}  // namespace

int main(int argc, char** argv) {
    const int seconds = bench::secondsOption(argc, argv, 20);
    bench::Panel panel(argc, argv, 1, 550);

    std::atomic<bool> flooding{false}, sampling{true};
    std::atomic<int> mostStreams{0}, failedSamples{0};
    std::atomic<long> reportsSent{0};
    std::thread sampler([&] {
        while (sampling) {
            const int n = serverStreams();
            if (n < 0) ++failedSamples;
            if (n > mostStreams) mostStreams = n;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    std::thread flood;

    std::vector<double> rss;
    double cpuBefore = 0, cpuJustAfter = 0, cpuLater = 0;
    double mark = 0;
    int phase = 0;  // seconds since the measurement began, on the event loop's timer
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        const double cpu = bench::processCpuSeconds();
        ++phase;
        if (phase == 2) {
            // Two seconds of plain polling as the yardstick, then the flood.
            cpuBefore = (cpu - mark) / 2;
            mark = cpu;
            flooding = true;
            flood = std::thread([&] {
                auto next = bench::Clock::now();
                for (long i = 0; flooding; ++i) {
                    panel.board.send(i % 2 ? "DI2" : "DI1");
                    ++reportsSent;
                    next += std::chrono::microseconds(500);
                    std::this_thread::sleep_until(next);
                }
            });
        } else if (phase > 2 && phase <= 2 + seconds) {
            rss.push_back(residentMb());
            if (phase == 2 + seconds) {
                flooding = false;
                flood.join();
                mark = bench::processCpuSeconds();
            }
        } else if (phase == 3 + seconds) {
            cpuJustAfter = cpu - mark;
            mark = cpu;
        } else if (phase == 5 + seconds) {
            cpuLater = (cpu - mark) / 2;
            QCoreApplication::exit(0);
        }
    });

    const int status = panel.run([&] {
        mark = bench::processCpuSeconds();
        tick.start(1000);
    });
    sampling = false;
    sampler.join();
    if (status != 0) return status;
    if (failedSamples > 0 && mostStreams == 0) {
        std::fprintf(stderr, "pactl could not reach a sound server\n");
        return 2;
    }

    std::printf("flood of %ld key reports over %d s (%.0f a second)\n", reportsSent.load(), seconds,
                static_cast<double>(reportsSent) / seconds);
    std::printf("resident memory (MB) at each second of the flood:");
    for (double mb : rss) std::printf(" %.1f", mb);
    const double growth = rss.size() > 1 ? rss.back() - rss.front() : 0;
    std::printf("\n  growth from its first second to its end: %.2f MB\n", growth);
    std::printf(
        "process CPU: before the flood %.1f%%, the second after %.1f%%, 1-3 s after %.1f%% of a core\n",
        cpuBefore * 100, cpuJustAfter * 100, cpuLater * 100);
    std::printf("most streams at the sound server at once: %d\n", mostStreams.load());

    bool ok = true;
    if (growth > 0.5) {
        std::printf("MISSED: memory grew over the flood\n");
        ok = false;
    }
    if (cpuLater > cpuBefore + 0.01) {
        std::printf("MISSED: not idle again within a second after the flood\n");
        ok = false;
    }
    if (mostStreams > 2) {
        std::printf("MISSED: more than 2 streams at once\n");
        ok = false;
    }
    return ok ? 0 : 1;
}
