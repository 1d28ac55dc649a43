// The production Runtime, on Qt's event loop.
//
// Waits that process events are nested event loops woken by a precise timer, so a click
// or a receive event runs inside the wait and the waiting sequence goes on only when that
// handler has returned; nothing ever polls in a loop, so an idle program uses no CPU.
// Everything blocking first asks the view to bring the widgets in step with the window
// objects, and every event this runtime dispatches (timer tick, posted call, serial event)
// is followed by the same step. A caller that says it has changed nothing since it last
// resumed is spared the step when the view was in step at that moment.
#pragma once

#include <QObject>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/runtime.h"

class QTimer;

namespace qv {

class ViewHost;
class QtSerialConnection;
class QtSound;

class QtRuntime : public QObject, public Runtime {
public:
    explicit QtRuntime(Environment environment, QObject* parent = nullptr);
    ~QtRuntime() override;
    QtRuntime(const QtRuntime&) = delete;
    QtRuntime& operator=(const QtRuntime&) = delete;

    // The view that renders the windows; may be null (no windows, as in tests).
    void setView(ViewHost* view) {
        view_ = view;
        inStep_ = false;
    }

    double now() override;
    void doEvents() override;
    void wait(double seconds) override;
    void waitNoEvents(double seconds) override;
    void waitForEvents(double deadline) override;
    void doEventsUnchanged() override;
    void waitForEventsUnchanged(double deadline) override;
    void disposeLater(std::function<void()> fn) override;
    int startTimer(int intervalMs, std::function<void()> tick) override;
    void stopTimer(int id) override;

    int msgBox(const std::string& text, int style, const std::string& title) override;
    std::optional<int> chooseColor(int initial) override;
    void formShown(Form& f) override;
    void formHidden(Form& f) override;
    void formUnloaded(Form& f) override;
    [[noreturn]] void quit() override;

    bool comPortExists(int n) override;
    Result<std::unique_ptr<SerialConnection>> openSerial(int n, const LineSettings& s) override;

    int audioOutputCount() override;
    void playSound(const std::string& path) override;
    void stopSound() override;

    const Environment& env() const override { return env_; }

    // How many blocking calls (waits, message boxes) are under way, one inside the other.
    int nesting() const { return nesting_; }

    // --- for the platform's own pieces ------------------------------------------------
    // Calls `fn` from the event queue and brings the view in step afterwards.
    void post(std::function<void()> fn);
    // Runs a handler now, from an event of the loop, and brings the view in step afterwards.
    void dispatch(const std::function<void()>& fn);
    // Open connections, so that quit() can release the ports.
    void connectionOpened(QtSerialConnection* c) { connections_.insert(c); }
    void connectionClosed(QtSerialConnection* c) { connections_.erase(c); }

private:
    // Counts a blocking call for as long as it runs; its caller resumes at its end.
    class Nested {
    public:
        explicit Nested(QtRuntime& rt);
        ~Nested();
        Nested(const Nested&) = delete;
        Nested& operator=(const Nested&) = delete;

    private:
        QtRuntime& rt_;
    };

    void sync();
    // Program code starts or goes on (a handler, or the caller of a wait that returned).
    void resumed();
    // Before a blocking call: brings the view in step, unless the caller has changed
    // nothing since it resumed and the view was in step then.
    void stepBefore(bool unchanged);
    void doEventsNow(bool unchanged);
    void waitForEventsNow(double deadline, bool unchanged);
    void scheduleDisposals();
    void runDisposals();
    void tick(int id);

    struct TimerEntry {
        QTimer* timer;
        std::function<void()> tick;
    };

    Environment env_;
    ViewHost* view_ = nullptr;
    const std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();
    int nesting_ = 0;
    // The widgets show the window objects as they are, as far as this runtime has seen:
    // set by a sync, cleared whenever program code starts or goes on.
    bool inStep_ = false;
    // `inStep_` as it was when the running program code last started or went on.
    bool settled_ = false;
    std::vector<std::function<void()>> disposals_;
    bool disposalsPosted_ = false;
    std::map<int, TimerEntry> timers_;
    int nextTimerId_ = 1;
    std::set<QtSerialConnection*> connections_;
    std::unique_ptr<QtSound> sound_;
};

}  // namespace qv
