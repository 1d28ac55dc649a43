// Plays 200 steps at 100 ms a step (two passes of a 100-step effect, the most a file
// holds) through the effect player on the real Qt event loop and reports how closely the steps keep time and
// how much CPU the waits cost. The steps are timed where the board would see them: each step's frame is
// stamped as it is written to a recording serial port.
//
// Usage: effect_timing [steps] [timing]   (defaults 200 and 55: 55 / 550 = 0.1 s)
// Exit status 1 when the process used more than 2% of a core.
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/qt/qt_runtime.h"
#include "program/application.h"
#include "support/cpu_time.h"
#include "support/temp_dir.h"
#include "windows/form_quorvane.h"

namespace {

struct Stamp {
    double t;
    std::string bytes;
};

// A serial port that only records what is written to it, and when.
class RecordingConnection : public qv::SerialConnection {
public:
    RecordingConnection(qv::Clock& rt, std::vector<Stamp>& log) : rt_(rt), log_(log) {}
    void write(const std::string& bytes) override { log_.push_back({rt_.now(), bytes}); }
    int bytesAvailable() const override { return 0; }
    std::string readAll() override { return {}; }
    void close() override {}

private:
    qv::Clock& rt_;
    std::vector<Stamp>& log_;
};

class BenchRuntime : public qv::QtRuntime {
public:
    using QtRuntime::QtRuntime;
    std::vector<Stamp> written;
    qv::Result<std::unique_ptr<qv::SerialConnection>> openSerial(int, const qv::LineSettings&) override {
        return std::unique_ptr<qv::SerialConnection>(std::make_unique<RecordingConnection>(*this, written));
    }
};

}  // namespace

int main(int argc, char** argv) {
    const int steps = argc > 1 ? std::max(2, std::atoi(argv[1])) : 200;
    const int timing = argc > 2 ? std::atoi(argv[2]) : 55;
    const int passes = (steps + qv::kMaxEffectSteps - 1) / qv::kMaxEffectSteps;
    const int fileSteps = steps / passes;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    const qv::test::TempDir temp;
    const std::filesystem::path& folder = temp.path();
    std::filesystem::create_directories(folder / "Effects");
    {
        std::ofstream fx(folder / "Effects" / "bench.led", std::ios::binary);
        fx << timing << "\r\n";
        for (int s = 0; s < fileSteps; ++s) fx << std::string(static_cast<size_t>(s % 8), '-') << "+\r\n";
    }

    qv::Environment env;
    env.programFolder = folder.string();
    env.homeFolder = folder.string();
    env.exeName = "Quorvane";
    BenchRuntime rt(env);
    qv::Application prog(rt);
    qv::FormQuorvane& w = prog.quorvane();
    prog.effectReader.startupEffects();
    if (prog.mod.effect.EffectStepCount != fileSteps) {
        std::fprintf(stderr, "the benchmark effect did not load\n");
        return 2;
    }
    prog.nano.InterfaceKind = qv::InterfaceAdaFruit;
    if (const auto opened = w.Serialport.openPort(); !opened) {
        std::fprintf(stderr, "the port did not open: %s\n", opened.error().c_str());
        return 2;
    }

    const double stepTime = timing / (5050.0 - w.VScrollSpeed.value());
    double wall0 = 0, cpu0 = 0, wall1 = 0, cpu1 = 0;
    QTimer::singleShot(0, [&] {
        wall0 = rt.now();
        cpu0 = qv::test::processCpuSeconds();
        w.CMD_Animatie.Caption = "Stop";
        w.SpeelEffect(static_cast<int16_t>(passes));
        w.CMD_Animatie.Caption = "Start";
        wall1 = rt.now();
        cpu1 = qv::test::processCpuSeconds();
        QCoreApplication::quit();
    });
    app.exec();

    const std::vector<Stamp>& frames = rt.written;
    const size_t n = frames.size();
    if (n < 2) {
        std::fprintf(stderr, "no frames were written\n");
        return 2;
    }
    double sum = 0, worst = 0;
    for (size_t i = 1; i < n; ++i) {
        const double err = frames[i].t - frames[i - 1].t - stepTime;
        sum += err;
        worst = std::max(worst, std::abs(err));
    }
    const double drift = frames.back().t - frames.front().t - static_cast<double>(n - 1) * stepTime;
    const double wall = wall1 - wall0;
    const double cpuShare = (cpu1 - cpu0) / wall;

    std::printf("steps %zu at %.1f ms a step, %.3f s wall\n", n, stepTime * 1e3, wall);
    std::printf("step error: mean %+.3f ms, max |%.3f| ms\n", sum / static_cast<double>(n - 1) * 1e3,
                worst * 1e3);
    std::printf("drift over the effect: %+.3f ms\n", drift * 1e3);
    std::printf("CPU: %.3f s of %.3f s wall = %.2f%% of a core (limit 2%%)\n", cpu1 - cpu0, wall,
                cpuShare * 100);
    return cpuShare <= 0.02 ? 0 : 1;
}
