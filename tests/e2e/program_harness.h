// The real program in this process, with its Qt view on the offscreen platform, and board
// emulators on pseudo-terminals linked into the program's COM name space. Everything runs
// in real time on Qt's event loop.
#pragma once

#include <QProcess>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/qt_program.h"
#include "support/cpu_time.h"
#include "support/standard_settings.h"
#include "support/temp_dir.h"

class QWidget;
class QTimer;

namespace qv::e2e {

namespace fs = std::filesystem;

// Seconds on the monotonic clock that the emulator's log times are also taken on.
double steadySeconds();
// The helpers every kind of test shares.
using test::processCpuSeconds;
using test::TempDir;
using test::writeStandardSettings;

struct LogLine {
    double t;         // emulator seconds since its start
    std::string dir;  // "RX", "TX" or "--" (a script action)
    std::string text;
};

// One board emulator process, linked as COMn into the links folder under `configHome`.
class Emulator {
public:
    Emulator(const fs::path& configHome, int com, const std::vector<std::string>& options);
    ~Emulator();
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    // Every line logged so far.
    std::vector<LogLine> log() const;
    // Commands received at or after emulator time `from`, in order.
    std::vector<LogLine> received(double from = 0) const;
    // Lines logged so far: a mark that orders exactly what the program did before and
    // after a moment, without relying on the two clocks being lined up.
    size_t lineCount() const { return log().size(); }
    // Commands logged after the first `mark` lines.
    std::vector<LogLine> receivedAfter(size_t mark) const;
    // The emulator time of a moment on steadySeconds().
    double emuTime(double steady) const { return steady - startedAt_; }
    double steadyTime(double emu) const { return emu + startedAt_; }
    bool running() const { return process_.state() != QProcess::NotRunning; }

private:
    fs::path logPath_;
    TempDir logDir_;
    QProcess process_;
    double startedAt_ = 0;
};

struct SeenMessage {
    std::string title;
    std::string text;  // line breaks as the box shows them ("\n")
};

// The program put together as main() does, with its home and links folders in temporary
// folders and the built program folder (Effects, Pictures, Sounds). Closing the main
// window ends this process, as it ends the program.
class ProgramRun {
public:
    // Settings are written and XDG_CONFIG_HOME is pointed at `configHome` before this.
    explicit ProgramRun(const fs::path& home);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    // Form_Load and Show, as the program starts.
    void start();

    FormQuorvane& w() { return program_->main(); }
    Program& prog() { return program_->prog(); }
    // The main window's top-level widget, and a widget in it.
    QWidget* window() const;
    QWidget* widget(const std::string& objectName) const;

    // User actions, posted to the event loop so that a handler that runs a long sequence
    // runs inside runFor(), as it would under the user's click. `atClick` runs right
    // before the click (to note its moment); a click can be put `after` seconds from now.
    void click(const std::string& objectName, std::function<void()> atClick = {}, double after = 0);
    void choosePort(const std::string& entry);
    void chooseFile(const std::string& name);

    // Runs `fn` from the event loop `seconds` from now, inside whatever handler is then
    // waiting: the way to look at the program in the middle of a sequence.
    void after(double seconds, std::function<void()> fn);

    // The text a label's widget shows.
    std::string labelShown(const std::string& objectName) const;

    // Runs the event loop for `seconds` of real time (longer when a handler that was
    // running at the end still has to return).
    void runFor(double seconds);
    void runUntilSteady(double steady) { runFor(steady - steadySeconds()); }
    // Runs until `done` holds, checking every 20 ms, at most `timeout` seconds; true when
    // it held.
    bool runUntil(const std::function<bool()>& done, double timeout);

    const std::vector<SeenMessage>& messages() const { return messages_; }
    std::vector<std::string> portEntries() const;

private:
    void acceptMessageBoxes();

    std::unique_ptr<QtProgram> program_;
    std::unique_ptr<QTimer> watcher_;
    std::vector<SeenMessage> messages_;
};

// The standard scene of most tests: temporary home and config folders, XDG_CONFIG_HOME
// pointed at the latter for the program and the emulators.
class Scene {
public:
    Scene();
    ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    const fs::path& home() const { return home_.path(); }
    const fs::path& config() const { return config_.path(); }
    // A script file for an emulator, one action a line.
    fs::path script(const std::string& name, const std::string& lines) const;

private:
    TempDir home_;
    TempDir config_;
    std::string oldConfig_;
    bool hadConfig_ = false;
};

double median(std::vector<double> v);

}  // namespace qv::e2e
