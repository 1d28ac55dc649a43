// The whole panel in-process for the link benchmarks: the Qt application on the offscreen
// platform, the production runtime and binder, the main window started as main() starts
// it, and a board on a pseudo-terminal served by a thread of its own that answers as the
// AdaFruit ("AT") sketch does and stamps every poll request and every report it writes.
//
// The board thread and the panel share only the figures below, under one mutex; the
// panel's own thread is never woken by the benchmark while it measures, so its CPU time
// is the program's alone.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QFont>
#include <QTimer>
#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/qt_program.h"
#include "platform/qt/view_host.h"
#include "pty_board.h"
#include "support/cpu_time.h"
#include "support/standard_settings.h"
#include "support/temp_dir.h"

namespace bench {

using qv::test::processCpuSeconds;
using qv::test::threadCpuSeconds;
using qv::test::threadUserSystemSeconds;

struct Summary {
    size_t count = 0;
    double mean = 0, p50 = 0, p99 = 0, max = 0;
};

// Nearest-rank percentiles.
inline Summary summarize(std::vector<double> v) {
    Summary s;
    s.count = v.size();
    if (v.empty()) return s;
    std::sort(v.begin(), v.end());
    double sum = 0;
    for (double x : v) sum += x;
    const auto rank = [&](double p) {
        const size_t r = static_cast<size_t>(std::ceil(p * static_cast<double>(v.size())));
        return v[std::clamp<size_t>(r, 1, v.size()) - 1];
    };
    s.mean = sum / static_cast<double>(v.size());
    s.p50 = rank(0.50);
    s.p99 = rank(0.99);
    s.max = v.back();
    return s;
}

inline void printSummary(const char* what, const Summary& s) {
    std::printf("%s (%zu): mean %.3f ms, p50 %.3f ms, p99 %.3f ms, max %.3f ms\n", what, s.count, s.mean,
                s.p50, s.p99, s.max);
}

// Forwards everything to the real view and, after each sync, looks whether an analog
// box now shows the last report the board wrote for its channel: the time from that
// write to the widget holding the new text is the report's latency.
class LatencyView : public qv::ViewHost {
public:
    LatencyView(qv::ViewHost& inner, PtyBoard& board) : inner_(inner), board_(board) {}

    void formShown(qv::Form& f) override { inner_.formShown(f); }
    void formHidden(qv::Form& f) override { inner_.formHidden(f); }
    void formUnloaded(qv::Form& f) override { inner_.formUnloaded(f); }
    void syncAll() override {
        inner_.syncAll();
        if (!window || !measuring) return;
        const Clock::time_point now = Clock::now();
        std::lock_guard lock(board_.mutex);
        for (int ch = 0; ch < 5; ++ch) {
            PtyBoard::Report& r = board_.last[static_cast<size_t>(ch)];
            if (r.pending && window->Label_AIn(ch + 1).Caption == r.value) {
                latencies.push_back(ms(now - r.written));
                r.pending = false;
            }
        }
    }

    qv::FormQuorvane* window = nullptr;
    bool measuring = false;
    std::vector<double> latencies;

private:
    qv::ViewHost& inner_;
    PtyBoard& board_;
};

inline void writeFile(const std::filesystem::path& p, const std::string& text) {
    std::ofstream f(p, std::ios::binary);
    f << text;
}

// The panel as main() builds it, on a temporary home, links folder and program folder
// (Effects/ of our own, the real Pictures/ and Sounds/), with COM3 linked to the board:
// its own `board`, or the device `port` names, a board another process serves.
class Panel {
public:
    // `effectSteps` steps of alternating patterns at `timing`, the only file in Effects/.
    Panel(int& argc, char** argv, int effectSteps, int timing, const std::string& port = {})
        : external_(!port.empty()) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        const auto home = root_.path() / "home";
        const auto config = root_.path() / "config";
        const auto program = root_.path() / "program";
        std::filesystem::create_directories(config / "Quorvane" / "ports");
        std::filesystem::create_directories(program / "Effects");
        for (const char* dir : {"Pictures", "Sounds"})
            std::filesystem::create_directory_symlink(std::filesystem::path(QUORVANE_ASSETS) / dir,
                                                      program / dir);
        qv::test::writeStandardSettings(home, true, true);
        std::string fx = std::to_string(timing) + "\r\n";
        for (int s = 0; s < effectSteps; ++s) {
            std::string step(8, '-');
            step[static_cast<size_t>(s % 8)] = '+';
            if (s % 2) step[static_cast<size_t>(7 - s % 8)] = '+';
            fx += step + "\r\n";
        }
        writeFile(program / "Effects" / "Bench.led", fx);
        std::filesystem::create_symlink(external_ ? port : board.slaveName(),
                                        config / "Quorvane" / "ports" / "COM3");
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ::setenv("HOME", home.c_str(), 1);

        app_ = qv::makeApplication(argc, argv);
        qv::Environment env = qv::systemEnvironment();
        env.programFolder = program.string();
        env.homeFolder = home.string();
        env.exeName = "Quorvane";
        program_ = std::make_unique<qv::QtProgram>(env);
        view = std::make_unique<LatencyView>(program_->binder(), board);
        program_->rt().setView(view.get());
        w = &program_->main();
        view->window = w;
    }

    ~Panel() {
        board.stop();
        program_.reset();
        app_.reset();
    }
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    qv::QtRuntime& rt() { return program_->rt(); }

    // Starts the program, connects to COM3 as a user would and calls `connected` once
    // the panel polls (from the event loop, a second after the first request, so that the
    // connection's own sequence has ended); returns when `connected` has quit the loop.
    // An outside board's requests are not seen here: a second after the panel counts
    // itself connected and polling stands in for them.
    int run(std::function<void()> connected) {
        if (!external_)
            board.start([this] {
                QMetaObject::invokeMethod(
                    &program_->rt(), [this] { connectedSince_ = Clock::now(); }, Qt::QueuedConnection);
            });
        program_->start();
        program_->rt().post([this] {
            w->ComboPoorten.Text = "Com 3";
            w->ComboPoorten.click();
            w->CMD_Verbind.click();
        });
        // The set-up is not measured: a coarse look every 100 ms until the polling settles.
        QTimer watch;
        QTimer giveUp;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (external_ && connectedSince_ == Clock::time_point{} &&
                w->Label_StatusBalk(1).Caption == "Connected" && w->TimerLeesIngangen.enabled())
                connectedSince_ = Clock::now();
            if (connectedSince_ == Clock::time_point{} ||
                Clock::now() - connectedSince_ < std::chrono::seconds(1))
                return;
            watch.stop();
            giveUp.stop();
            if (w->Label_StatusBalk(1).Caption != "Connected" || !w->TimerLeesIngangen.enabled()) {
                std::fprintf(stderr, "the panel polls but is not connected\n");
                QCoreApplication::exit(2);
                return;
            }
            connected();
        });
        giveUp.setSingleShot(true);
        QObject::connect(&giveUp, &QTimer::timeout, [&] {
            std::fprintf(stderr, "no connection within 30 s (caption %s, status %s)\n",
                         w->CMD_Verbind.Caption->c_str(), w->Label_StatusBalk(1).Caption->c_str());
            QCoreApplication::exit(2);
        });
        watch.start(100);
        giveUp.start(30000);
        return QApplication::exec();
    }

    // Plays the benchmark effect in repeat at the fastest speed (the speed bar at its
    // minimum, the top of the bar): from the event loop, `starting` runs and then the start
    // click, whose handler plays until a second click on that button stops it; the loop
    // ends then. Ends the loop with status 2 when the effect is not listed.
    void playFastest(std::function<void()> starting) {
        if (!w->CMD_Animatie.Enabled || w->File_List_Effecten.ListCount() != 1) {
            std::fprintf(stderr, "the benchmark effect is not listed\n");
            QCoreApplication::exit(2);
            return;
        }
        w->VScrollSpeed.setValue(w->VScrollSpeed.Min);
        rt().post([this, starting = std::move(starting)] {
            starting();
            w->CMD_Animatie.click();
            QCoreApplication::exit(0);
        });
    }

    PtyBoard board;
    std::unique_ptr<LatencyView> view;
    qv::FormQuorvane* w = nullptr;

private:
    bool external_;
    qv::test::TempDir root_;
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<qv::QtProgram> program_;
    Clock::time_point connectedSince_{};
};

// "--seconds N" from the command line, else `fallback`.
inline int secondsOption(int argc, char** argv, int fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--seconds") return std::max(1, std::atoi(argv[i + 1]));
    return fallback;
}

inline bool flagOption(int argc, char** argv, const char* name) {
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]) == name) return true;
    return false;
}

inline int intOption(int argc, char** argv, const char* name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == name) return std::atoi(argv[i + 1]);
    return fallback;
}

}  // namespace bench
