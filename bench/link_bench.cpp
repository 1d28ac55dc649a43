// The board link under way: the real panel (offscreen Qt, production runtime and
// binder) connected to an "AT" board on a pseudo-terminal, polling, for a while
// (default 60 s). Reports
//   - the CPU time of the panel's main thread over wall time (limit 0.5% of a core),
//   - the poll beat as the board sees it: intervals between "5/" requests (limit: p99
//     within 2 ms of the polling interval),
//   - the latency from a report leaving the board to its value showing in the analog
//     box's widget (limit: p99 within 17 ms, one frame at 60 Hz).
//
// Usage: link_bench [--seconds N] [--toggle]
//   --toggle: every reading crosses the on/off threshold (colour, picture and sound change
//   with every report); without it the readings follow a slowly turned knob.
// Exit status 1 when a limit is missed, 2 when the set-up failed.
#include <cmath>

#include "bench_panel.h"
#include "link/timings.h"

int main(int argc, char** argv) {
    const int seconds = bench::secondsOption(argc, argv, 60);
    bench::Panel panel(argc, argv, 100, 550);
    panel.board.toggle = bench::flagOption(argc, argv, "--toggle");

    double cpu0 = 0, cpu1 = 0, proc0 = 0, proc1 = 0;
    std::pair<double, double> us0, us1;
    bench::Clock::time_point wall0, wall1;
    size_t firstPoll = 0, lastPoll = 0;
    long reports0 = 0, reports1 = 0;
    QTimer stop;
    stop.setSingleShot(true);
    stop.setTimerType(Qt::PreciseTimer);
    QObject::connect(&stop, &QTimer::timeout, [&] {
        cpu1 = bench::threadCpuSeconds();
        us1 = bench::threadUserSystemSeconds();
        proc1 = bench::processCpuSeconds();
        wall1 = bench::Clock::now();
        panel.view->measuring = false;
        {
            std::lock_guard lock(panel.board.mutex);
            lastPoll = panel.board.pollArrivals.size();
            reports1 = panel.board.reportsWritten;
        }
        QCoreApplication::exit(0);
    });

    const int status = panel.run([&] {
        {
            std::lock_guard lock(panel.board.mutex);
            firstPoll = panel.board.pollArrivals.size();
            reports0 = panel.board.reportsWritten;
            for (auto& r : panel.board.last) r.pending = false;
        }
        panel.view->measuring = true;
        wall0 = bench::Clock::now();
        proc0 = bench::processCpuSeconds();
        cpu0 = bench::threadCpuSeconds();
        us0 = bench::threadUserSystemSeconds();
        stop.start(seconds * 1000);
    });
    if (status != 0) return status;

    std::vector<double> beats, beatErrors;
    {
        std::lock_guard lock(panel.board.mutex);
        const auto& a = panel.board.pollArrivals;
        for (size_t i = firstPoll + 1; i < lastPoll; ++i) {
            beats.push_back(bench::ms(a[i] - a[i - 1]));
            beatErrors.push_back(std::abs(beats.back() - qv::kPollIntervalMs));
        }
    }
    const double wall = std::chrono::duration<double>(wall1 - wall0).count();
    const double cpuShare = (cpu1 - cpu0) / wall;
    const bench::Summary beat = bench::summarize(beats);
    const bench::Summary beatError = bench::summarize(beatErrors);
    const bench::Summary latency = bench::summarize(panel.view->latencies);
    const long reports = reports1 - reports0;

    std::printf("connected to an AT board on a pseudo-terminal, polling for %.3f s, readings %s\n", wall,
                panel.board.toggle ? "crossing the threshold every time" : "of a slowly turned knob");
    std::printf(
        "main thread CPU: %.3f s = %.3f%% of a core (limit 0.5%%); whole process incl. the board thread "
        "%.3f%%\n",
        cpu1 - cpu0, cpuShare * 100, (proc1 - proc0) / wall * 100);
    std::printf("  of which user %.3f s, system %.3f s\n", us1.first - us0.first, us1.second - us0.second);
    bench::printSummary("poll beat, interval between \"5/\" requests", beat);
    bench::printSummary("poll beat, |interval - the polling interval|", beatError);
    bench::printSummary("report written -> shown in its analog box", latency);
    std::printf("reports written %ld, shown %zu\n", reports, latency.count);

    bool ok = true;
    if (cpuShare > 0.005) {
        std::printf("MISSED: main thread CPU above 0.5%% of a core\n");
        ok = false;
    }
    if (beat.count == 0 || beatError.p99 > 2.0) {
        std::printf("MISSED: poll beat p99 not within 2 ms of %d ms\n", qv::kPollIntervalMs);
        ok = false;
    }
    if (latency.count == 0 || latency.p99 > 17.0) {
        std::printf("MISSED: report latency p99 above 17 ms\n");
        ok = false;
    }
    return ok ? 0 : 1;
}
