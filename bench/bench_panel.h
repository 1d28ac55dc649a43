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

#include "board-emulator/board_line.h"
#include "platform/environment.h"
#include "platform/qt/binder.h"
#include "platform/qt/qt_runtime.h"
#include "platform/qt/view_host.h"
#include "program/application.h"
#include "windows/form_quorvane.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// CPU time of the calling thread, in seconds.
inline double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// User and system CPU time of the calling thread, in seconds.
inline std::pair<double, double> threadUserSystemSeconds() {
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    const auto sec = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return {sec(u.ru_utime), sec(u.ru_stime)};
}

// CPU time of the whole process (every thread), in seconds.
inline double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

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

// A board on a pseudo-terminal, served by its own thread, that behaves as the "AT"
// sketch: "90/" gets "AT", "5/" an analog report walking the channels A0..A4 whose value
// moves on every poll; every other command is taken without an answer.
class PtyBoard {
public:
    struct Report {
        std::string value;  // as the panel shows it
        Clock::time_point written{};
        bool pending = false;  // written and not yet seen on screen
    };

    PtyBoard() {
        if (::openpty(&master_, &slave_, nullptr, nullptr, nullptr) != 0) {
            std::perror("openpty");
            std::exit(2);
        }
        termios t{};
        ::tcgetattr(slave_, &t);
        ::cfmakeraw(&t);
        ::tcsetattr(slave_, TCSANOW, &t);
        // Keeping the slave open spares the master a hang-up each time the panel closes it.
        slaveName_ = ::ttyname(slave_);
        if (::pipe(stopPipe_) != 0) {
            std::perror("pipe");
            std::exit(2);
        }
    }
    ~PtyBoard() {
        stop();
        ::close(master_);
        ::close(slave_);
        ::close(stopPipe_[0]);
        ::close(stopPipe_[1]);
    }
    PtyBoard(const PtyBoard&) = delete;
    PtyBoard& operator=(const PtyBoard&) = delete;

    const std::string& slaveName() const { return slaveName_; }

    // Every reading crosses the panel's on/off threshold (512), so each report also
    // switches its input's colour, picture and sound: the worst case. Otherwise the
    // readings follow a slowly turned knob that crosses it now and then.
    bool toggle = false;
    // When above 0, the board reads no faster than a line at this baud rate carries
    // (ten bits a byte), as a real board behind a serial line does.
    int lineBaud = 0;

    // `firstPoll` runs on the board thread when the first "5/" arrives.
    void start(std::function<void()> firstPoll) {
        firstPoll_ = std::move(firstPoll);
        thread_ = std::thread([this] { serve(); });
    }
    void stop() {
        if (!thread_.joinable()) return;
        const char c = 0;
        [[maybe_unused]] const ssize_t n = ::write(stopPipe_[1], &c, 1);
        thread_.join();
    }

    // Everything below is shared with the panel's thread: hold the lock.
    std::mutex mutex;
    std::vector<Clock::time_point> pollArrivals;
    std::array<Report, 5> last{};
    long reportsWritten = 0;
    long ledFrames = 0;

private:
    // A channel's reading differs from its last one on every visit.
    int nextValue(int ch) {
        int& last = lastValue_[static_cast<size_t>(ch)];
        int v;
        if (toggle) {
            v = last < 512 ? 600 + static_cast<int>(polls_ % 400) : static_cast<int>(polls_ % 400);
        } else {
            v = static_cast<int>(
                std::lround(511.5 + 511.5 * std::sin(static_cast<double>(polls_) * 0.01 + ch * 1.3)));
            if (v == last) v = v < 1023 ? v + 1 : v - 1;
        }
        ++polls_;
        last = v;
        return v;
    }

    void handle(const std::string& cmd, Clock::time_point arrived) {
        if (cmd == "90/") {
            board::writeAll(master_, "AT");
        } else if (cmd == "5/") {
            const int ch = channel_;
            channel_ = (channel_ + 1) % 5;
            const int value = nextValue(ch);
            const std::string text = "A" + std::to_string(ch) + std::to_string(value);
            bool first = false;
            {
                std::lock_guard lock(mutex);
                first = pollArrivals.empty();
                pollArrivals.push_back(arrived);
                // Stamped before the write: the panel may show it before write() returns.
                last[static_cast<size_t>(ch)] = {std::to_string(value), Clock::now(), true};
                ++reportsWritten;
            }
            board::writeAll(master_, text);
            if (first && firstPoll_) firstPoll_();
        } else if (cmd.rfind("1/", 0) == 0) {
            std::lock_guard lock(mutex);
            ++ledFrames;
        }
    }

    void serve() {
        std::string buf;
        for (;;) {
            pollfd fds[2] = {{master_, POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
            if (::poll(fds, 2, -1) < 0) continue;
            if (fds[1].revents & POLLIN) return;
            if (!(fds[0].revents & POLLIN)) {
                // A hang-up with nothing to read: wait for the panel to open the line again
                // without spinning on the event poll() keeps reporting.
                if (fds[0].revents & (POLLHUP | POLLERR)) {
                    pollfd s{stopPipe_[0], POLLIN, 0};
                    if (::poll(&s, 1, 10) > 0) return;
                }
                continue;
            }
            const Clock::time_point arrived = Clock::now();
            char chunk[256];
            size_t want = sizeof chunk;
            if (lineBaud > 0) {
                // What the line has carried since the first byte, less what was read.
                if (lineStart_ == Clock::time_point{}) lineStart_ = arrived;
                const double carried =
                    std::chrono::duration<double>(arrived - lineStart_).count() * lineBaud / 10;
                want = std::min(
                    want, static_cast<size_t>(std::max(0.0, carried + 1 - static_cast<double>(lineRead_))));
                if (want == 0) {
                    pollfd s{stopPipe_[0], POLLIN, 0};
                    if (::poll(&s, 1, 1) > 0) return;
                    continue;
                }
            }
            const ssize_t n = ::read(master_, chunk, want);
            if (n <= 0) continue;
            lineRead_ += n;
            buf.append(chunk, static_cast<size_t>(n));
            while (const size_t len = board::commandLength(buf)) {
                handle(buf.substr(0, len), arrived);
                buf.erase(0, len);
            }
            if (buf.size() > 4096) buf.clear();
        }
    }

    int master_ = -1;
    int slave_ = -1;
    int stopPipe_[2] = {-1, -1};
    std::string slaveName_;
    std::thread thread_;
    std::function<void()> firstPoll_;
    int channel_ = 0;
    long polls_ = 0;
    Clock::time_point lineStart_{};
    long long lineRead_ = 0;
    std::array<int, 5> lastValue_{-1, -1, -1, -1, -1};
};

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
// (Effects/ of our own, the real Pictures/ and Sounds/), with COM3 linked to the board.
class Panel {
public:
    // `effectSteps` steps of alternating patterns at `timing`, the only file in Effects/.
    Panel(int& argc, char** argv, int effectSteps, int timing) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        root_ =
            std::filesystem::temp_directory_path() / ("quorvane-link-bench-" + std::to_string(::getpid()));
        const auto home = root_ / "home";
        const auto config = root_ / "config";
        const auto program = root_ / "program";
        std::filesystem::create_directories(home / "Quorvane");
        std::filesystem::create_directories(config / "Quorvane" / "ports");
        std::filesystem::create_directories(program / "Effects");
        for (const char* dir : {"Pictures", "Sounds"})
            std::filesystem::create_directory_symlink(std::filesystem::path(QUORVANE_ASSETS) / dir,
                                                      program / dir);
        writeFile(
            home / "Quorvane" / "Settings.txt",
            "Settings for Quorvane\r\nWritten by the program\r\n- Colors\r\n 255 \r\n 8454016 \r\n 512 \r\n"
            " 2 \r\n 8454143 \r\n 8421631 \r\n- Sounds\r\n 1 \r\n 1 \r\n- Output\r\n 0 \r\n"
            "- Displaytext\r\nARDUINO \r\n");
        std::string fx = std::to_string(timing) + "\r\n";
        for (int s = 0; s < effectSteps; ++s) {
            std::string step(8, '-');
            step[static_cast<size_t>(s % 8)] = '+';
            if (s % 2) step[static_cast<size_t>(7 - s % 8)] = '+';
            fx += step + "\r\n";
        }
        writeFile(program / "Effects" / "Bench.led", fx);
        std::filesystem::create_symlink(board.slaveName(), config / "Quorvane" / "ports" / "COM3");
        ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        ::setenv("HOME", home.c_str(), 1);

        app_ = std::make_unique<QApplication>(argc, argv);
        QFont font(QStringLiteral("Comic Sans MS"));
        font.setPointSizeF(8.25);
        QApplication::setFont(font);
        QApplication::setCursorFlashTime(0);

        qv::Environment env = qv::systemEnvironment();
        env.programFolder = program.string();
        env.homeFolder = home.string();
        env.exeName = "Quorvane";
        rt_ = std::make_unique<qv::QtRuntime>(env);
        binder_ = std::make_unique<qv::QtBinder>(*rt_);
        view = std::make_unique<LatencyView>(*binder_, board);
        rt_->setView(view.get());
        prog_ = std::make_unique<qv::Application>(*rt_);
        w = &prog_->quorvane();
        view->window = w;
    }

    ~Panel() {
        board.stop();
        rt_->setView(nullptr);
        binder_.reset();
        prog_.reset();
        rt_.reset();
        app_.reset();
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;

    qv::QtRuntime& rt() { return *rt_; }

    // Starts the program, connects to COM3 as a user would and calls `connected` once
    // the panel polls (from the event loop, a second after the first request, so that the
    // connection's own sequence has ended); returns when `connected` has quit the loop.
    int run(std::function<void()> connected) {
        board.start([this] {
            QMetaObject::invokeMethod(
                rt_.get(), [this] { connectedSince_ = Clock::now(); }, Qt::QueuedConnection);
        });
        w->Form_Load();
        w->Show();
        rt_->post([this] {
            w->ComboPoorten.Text = "Com 3";
            w->ComboPoorten.click();
            w->CMD_Verbind.click();
        });
        // The set-up is not measured: a coarse look every 100 ms until the polling settles.
        QTimer watch;
        QTimer giveUp;
        QObject::connect(&watch, &QTimer::timeout, [&] {
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
                         w->CMD_Verbind.Caption.c_str(), w->Label_StatusBalk(1).Caption.c_str());
            QCoreApplication::exit(2);
        });
        watch.start(100);
        giveUp.start(30000);
        return QApplication::exec();
    }

    PtyBoard board;
    std::unique_ptr<LatencyView> view;
    qv::FormQuorvane* w = nullptr;

private:
    std::filesystem::path root_;
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<qv::QtRuntime> rt_;
    std::unique_ptr<qv::QtBinder> binder_;
    std::unique_ptr<qv::Application> prog_;
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
