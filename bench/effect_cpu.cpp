// The effect player at full speed while the board link polls: the real panel (offscreen
// Qt, production runtime and binder) connected to an "AT" board on a pseudo-terminal
// plays a 100-step effect in repeat mode at the fastest speed for a while (default 30 s),
// every step redrawing the LED row with its pictures and sending its frame. The fastest
// speed is the speed bar at its minimum, the top of the bar: a step then lasts the
// effect's timing / 5050 seconds (the bar's start value gives timing / 550). Reports the
// CPU time of the panel's main thread over wall time (target 0.6% of a core) and the
// steps and polls the board received meanwhile.
//
// Usage: effect_cpu [--seconds N] [--timing T]   (timing of the effect file, default 550:
//        550 / 5050 = 109 ms a step at the fastest speed; the shipped effects have 275,
//        550 and 1100)
// Exit status 1 when the target is missed, 2 when the set-up failed.
#include "bench_panel.h"

int main(int argc, char** argv) {
    const int seconds = bench::secondsOption(argc, argv, 30);
    const int timing = bench::intOption(argc, argv, "--timing", 550);
    bench::Panel panel(argc, argv, qv::kMaxEffectSteps, timing);
    qv::FormQuorvane& w = *panel.w;

    double cpu0 = 0, cpu1 = 0, proc0 = 0, proc1 = 0;
    std::pair<double, double> us0, us1;
    bench::Clock::time_point wall0, wall1;
    long frames0 = 0, frames1 = 0, polls0 = 0, polls1 = 0;
    const auto counts = [&](long& frames, long& polls) {
        std::lock_guard lock(panel.board.mutex);
        frames = panel.board.ledFrames;
        polls = static_cast<long>(panel.board.pollArrivals.size());
    };
    bool played = false;
    QTimer stop;
    stop.setSingleShot(true);
    QObject::connect(&stop, &QTimer::timeout, [&] {
        cpu1 = bench::threadCpuSeconds();
        us1 = bench::threadUserSystemSeconds();
        proc1 = bench::processCpuSeconds();
        wall1 = bench::Clock::now();
        counts(frames1, polls1);
        // The stop click ends the play loop that holds the start click's handler.
        w.CMD_Animatie.click();
    });

    const int status = panel.run([&] {
        if (!w.CMD_Animatie.Enabled || w.File_List_Effecten.ListCount() != 1) {
            std::fprintf(stderr, "the benchmark effect is not listed\n");
            QCoreApplication::exit(2);
            return;
        }
        w.VScrollSpeed.setValue(w.VScrollSpeed.Min);
        panel.rt().dispatchLater([&] {
            counts(frames0, polls0);
            wall0 = bench::Clock::now();
            proc0 = bench::processCpuSeconds();
            cpu0 = bench::threadCpuSeconds();
            us0 = bench::threadUserSystemSeconds();
            stop.start(seconds * 1000);
            w.CMD_Animatie.click();
            played = true;
            QCoreApplication::exit(0);
        });
    });
    if (status != 0) return status;
    if (!played) return 2;

    const double wall = std::chrono::duration<double>(wall1 - wall0).count();
    const double cpuShare = (cpu1 - cpu0) / wall;
    const double stepMs = timing / (5050.0 - w.VScrollSpeed.value()) * 1000;
    std::printf(
        "playing a %d-step effect of timing %d with the speed bar at %d (its minimum, the fastest), %.1f ms "
        "a step, while polling an AT board, %.3f s\n",
        qv::kMaxEffectSteps, timing, w.VScrollSpeed.value(), stepMs, wall);
    std::printf("frames received %ld (%.1f a second), poll requests %ld\n", frames1 - frames0,
                static_cast<double>(frames1 - frames0) / wall, polls1 - polls0);
    std::printf(
        "main thread CPU: %.3f s = %.3f%% of a core (target 0.6%%); whole process incl. the board thread "
        "%.3f%%\n",
        cpu1 - cpu0, cpuShare * 100, (proc1 - proc0) / wall * 100);
    std::printf("  of which user %.3f s, system %.3f s\n", us1.first - us0.first, us1.second - us0.second);
    if (cpuShare > 0.006) {
        std::printf("MISSED: main thread CPU above 0.6%% of a core\n");
        return 1;
    }
    return 0;
}
