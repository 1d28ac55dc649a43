// A board that stops reading its line: the real panel (offscreen Qt, production runtime
// and binder) connected to an "AT" board on a pseudo-terminal plays a timing-1 effect at
// the fastest speed; a second later the board reads nothing more. Four things a user then
// does, each 4 s after the board stopped:
//
//   burst       Stop, then 3000 clicks on the LED buttons within 10 s
//   clicks      Stop, then a click on an LED button every 10 s
//   disconnect  Disconnect
//   close       the main window's close box
//
// Reports when the port was closed and with how many messages, how deep the waits went,
// the longest the event loop went without turning (how long a click would wait for an
// answer), how long a Disconnect took and how long the program took to end after the
// close box. Limits: the deepest nesting 3; the event loop never blocked 0.5 s; one
// message at most; in "clicks" the port closed 15 to 16 s after the line last took data;
// the disconnect done within 2.5 s; the program ended within 0.5 s of the close box.
//
// Usage: stalled_board --scenario burst|clicks|disconnect|close
// Exit status 1 when a limit is missed, 2 when the set-up failed.
#include <sys/wait.h>

#include <QMessageBox>
#include <QWidget>

#include "bench_panel.h"

namespace {

using bench::Clock;

double since(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

struct Figures {
    int deepest = 0;
    double longestGap = 0;  // seconds between turns of the event loop
    int messages = 0;
    std::string firstMessage;
    double messageAt = -1;  // seconds after the board stopped reading
    double closedAt = -1;   // the port seen closed
    double disconnectTook = -1;
    double lineTookAt = 0;  // the line last took data, after the board stopped reading
};

int runPanel(int argc, char** argv, const std::string& scenario, int reportFd) {
    bench::Panel panel(argc, argv, qv::kMaxEffectSteps, 1);
    qv::FormQuorvane& w = *panel.w;
    Figures f;
    Clock::time_point stalled{};
    bool started = false;

    // Looks at the panel every 10 ms: the nesting, the event loop's turns and any
    // message box, which it answers.
    Clock::time_point lastTurn{};
    QTimer look;
    look.setTimerType(Qt::PreciseTimer);
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (stalled == Clock::time_point{}) return;
        f.longestGap = std::max(f.longestGap, since(lastTurn));
        lastTurn = Clock::now();
        f.deepest = std::max(f.deepest, panel.rt().nesting());
        if (f.closedAt < 0 && !w.Serialport.PortOpen()) f.closedAt = since(stalled);
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            if (++f.messages == 1) {
                f.firstMessage = box->text().toStdString();
                f.messageAt = since(stalled);
            }
            box->done(0);
        }
    });

    QTimer clicker;
    int clicks = 0;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        f.deepest = std::max(f.deepest, panel.rt().nesting());
        w.CMD_LumiLed(clicks++ % 8 + 1).click();
    });

    QTimer act;
    act.setSingleShot(true);
    act.setTimerType(Qt::PreciseTimer);
    QObject::connect(&act, &QTimer::timeout, [&] {
        if (scenario == "disconnect") {
            const Clock::time_point t = Clock::now();
            w.CMD_Verbind.click();
            f.disconnectTook = since(t);
            return;
        }
        if (scenario == "close") {
            const double now = std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
            [[maybe_unused]] const ssize_t n = ::write(reportFd, &now, sizeof now);
            for (QWidget* top : QApplication::topLevelWidgets())
                if (top->isVisible() && top->windowTitle() == QStringLiteral("Quorvane")) top->close();
            return;
        }
        w.CMD_Animatie.click();  // Stop
        if (scenario == "burst") {
            clicker.start(3);  // about 3000 clicks in 10 s
            QTimer::singleShot(10000, &clicker, &QTimer::stop);
        } else {
            clicker.start(10000);
        }
    });

    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, [&] {
        clicker.stop();
        if (w.CMD_Animatie.Caption == qv::kStopCaption) w.CMD_Animatie.click();
        QCoreApplication::exit(0);
    });

    const int status = panel.run([&] {
        if (!w.CMD_Animatie.Enabled || w.File_List_Effecten.ListCount() != 1) {
            std::fprintf(stderr, "the benchmark effect is not listed\n");
            QCoreApplication::exit(2);
            return;
        }
        w.VScrollSpeed.setValue(w.VScrollSpeed.Min);
        QTimer::singleShot(1000, [&] {
            panel.board.deaf = true;
            stalled = Clock::now();
            lastTurn = stalled;
            look.start(10);
            act.start(4000);
            end.start(scenario == "clicks" ? 40000 : 25000);
        });
        panel.rt().post([&] {
            started = true;
            w.CMD_Animatie.click();
        });
    });
    if (status != 0) return status;
    if (!started) return 2;
    {
        std::lock_guard lock(panel.board.mutex);
        f.lineTookAt = std::chrono::duration<double>(panel.board.lineTookAt - stalled).count();
    }

    std::printf("scenario %s: the board stopped reading at 0 s, the line last took data at %.2f s\n",
                scenario.c_str(), f.lineTookAt);
    if (scenario == "burst" || scenario == "clicks") std::printf("clicks on LED buttons: %d\n", clicks);
    std::printf("port closed at %.2f s; messages: %d", f.closedAt, f.messages);
    if (f.messages > 0) std::printf(", the first at %.2f s: %s", f.messageAt, f.firstMessage.c_str());
    std::printf("\ndeepest nesting of waits %d; longest the event loop stood still %.3f s\n", f.deepest,
                f.longestGap);
    bool missed = false;
    const auto miss = [&](bool bad, const char* what) {
        if (!bad) return;
        std::printf("MISSED: %s\n", what);
        missed = true;
    };
    miss(f.deepest > 3, "waits nested deeper than 3");
    miss(f.longestGap >= 0.5, "the event loop stood still for half a second or more");
    miss(f.messages > 1, "more than one message");
    if (scenario == "clicks") {
        const double afterLine = f.closedAt - f.lineTookAt;
        std::printf("closed %.2f s after the line last took data\n", afterLine);
        miss(f.closedAt < 0 || afterLine < 15.0 || afterLine > 16.0,
             "the port not closed 15 to 16 s after the line stopped taking data");
    }
    if (scenario == "disconnect") {
        std::printf("the disconnect took %.2f s\n", f.disconnectTook);
        miss(f.disconnectTook < 0 || f.disconnectTook > 2.5, "the disconnect took longer than 2.5 s");
        miss(f.messages != 0, "a message at the disconnect");
    }
    return missed ? 1 : 0;
}

// The close box ends the process: the panel runs in a child, which says when it clicked.
int runClose(int argc, char** argv) {
    int fds[2];
    if (::pipe(fds) != 0) return 2;
    const pid_t child = ::fork();
    if (child < 0) return 2;
    if (child == 0) {
        ::close(fds[0]);
        std::_Exit(runPanel(argc, argv, "close", fds[1]) == 0 ? 3 : 2);
    }
    ::close(fds[1]);
    double clicked = 0;
    const bool told = ::read(fds[0], &clicked, sizeof clicked) == sizeof clicked;
    int status = 0;
    ::waitpid(child, &status, 0);
    const double ended = std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
    if (!told) {
        std::fprintf(stderr, "the panel ended before the close box was clicked\n");
        return 2;
    }
    const double took = ended - clicked;
    std::printf("scenario close: the program ended %.3f s after the close box (exit status %d)\n", took,
                WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    if (took > 0.5 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::printf("MISSED: the program did not end at once with status 0\n");
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string scenario;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--scenario") scenario = argv[i + 1];
    if (scenario == "close") return runClose(argc, argv);
    if (scenario != "burst" && scenario != "clicks" && scenario != "disconnect") {
        std::fprintf(stderr, "usage: stalled_board --scenario burst|clicks|disconnect|close\n");
        return 2;
    }
    return runPanel(argc, argv, scenario, -1);
}
