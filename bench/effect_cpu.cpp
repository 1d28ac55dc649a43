// The effect player at full speed while the board link polls: the real panel (offscreen
// Qt, production runtime and binder) connected to an "AT" board on a pseudo-terminal
// plays a 100-step effect in repeat mode at the fastest speed for a while (default 30 s),
// every step redrawing the LED row with its pictures and sending its frame. The fastest
// speed is the speed bar at its minimum, the top of the bar: a step then lasts the
// effect's timing / 5050 seconds (the bar's start value gives timing / 550). Reports the
// CPU time of the panel's main thread over wall time (target 0.6% of a core) and the
// steps and polls the board received meanwhile.
//
// A timing of 0 or less plays a one-step effect whose step never waits: only the short
// pause after each pass keeps it from spinning, so the board gets at most about 100
// frames a second (limit 110) and the limit on the main thread is 2% of a core.
//
// With --line-baud B the board reads no faster than a serial line at B baud carries, and
// the connection must still stand at the end.
//
// Usage: effect_cpu [--seconds N] [--timing T] [--line-baud B]   (timing of the effect file,
//        default 550: 550 / 5050 = 109 ms a step at the fastest speed; the shipped effects
//        have 275, 550 and 1100)
// Exit status 1 when the limit or target is missed, 2 when the set-up failed.
#include "bench_panel.h"

int main(int argc, char** argv) {
    const int seconds = bench::secondsOption(argc, argv, 30);
    const int timing = bench::intOption(argc, argv, "--timing", 550);
    const bool neverWaits = timing <= 0;
    const int steps = neverWaits ? 1 : qv::kMaxEffectSteps;
    bench::Panel panel(argc, argv, steps, timing);
    panel.board.lineBaud = bench::intOption(argc, argv, "--line-baud", 0);
    qv::FormQuorvane& w = *panel.w;
    std::string ended;
    for (auto* handler : {&w.Serialport.OnLost, &w.Serialport.OnFailed})
        *handler = [&ended, inner = *handler](const std::string& reason) {
            ended = reason;
            inner(reason);
        };

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
        panel.playFastest([&] {
            counts(frames0, polls0);
            wall0 = bench::Clock::now();
            proc0 = bench::processCpuSeconds();
            cpu0 = bench::threadCpuSeconds();
            us0 = bench::threadUserSystemSeconds();
            stop.start(seconds * 1000);
            played = true;
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
        steps, timing, w.VScrollSpeed.value(), stepMs, wall);
    std::printf("frames received %ld (%.1f a second), poll requests %ld\n", frames1 - frames0,
                static_cast<double>(frames1 - frames0) / wall, polls1 - polls0);
    const double cpuLimit = neverWaits ? 0.02 : 0.006;
    std::printf(
        "main thread CPU: %.3f s = %.3f%% of a core (%s %.1f%%); whole process incl. the board thread "
        "%.3f%%\n",
        cpu1 - cpu0, cpuShare * 100, neverWaits ? "limit" : "target", cpuLimit * 100,
        (proc1 - proc0) / wall * 100);
    std::printf("  of which user %.3f s, system %.3f s\n", us1.first - us0.first, us1.second - us0.second);
    bool missed = false;
    if (!w.Serialport.PortOpen()) {
        std::printf("MISSED: the connection ended during play: %s\n", ended.c_str());
        missed = true;
    }
    if (cpuShare > cpuLimit) {
        std::printf("MISSED: main thread CPU above %.1f%% of a core\n", cpuLimit * 100);
        missed = true;
    }
    if (neverWaits && static_cast<double>(frames1 - frames0) / wall > 110) {
        std::printf("MISSED: more than 110 frames a second\n");
        missed = true;
    }
    return missed ? 1 : 0;
}
