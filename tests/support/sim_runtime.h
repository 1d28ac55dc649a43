// A discrete-event simulation of the Runtime: virtual time, a queue of timer ticks,
// serial arrivals and scripted actions. A wait advances virtual time and runs what
// falls due inside it, nested as in production, so every sequence with waits runs in
// microseconds and the same way every time.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/runtime.h"

namespace qv::sim {

class SimRuntime;
class SimConnection;

// What sits at the far end of a simulated COM port.
class SimBoard {
public:
    virtual ~SimBoard() = default;
    // One write of the program, as it left in one piece.
    virtual void received(SimConnection& port, const std::string& bytes) = 0;
};

// A board that answers as a sketch would: "90/" with its code, "5/" with analog reports
// walking the channels, "7/" with the key mask. Values may be changed at any time.
class SketchBoard : public SimBoard {
public:
    explicit SketchBoard(std::string code) : code(std::move(code)) {}
    std::string code;        // identification reply ("AT", "TM", ...); empty = silent
    double latency = 0.010;  // seconds from request to reply
    int analog[5] = {0, 0, 0, 0, 0};
    int channel = 0;  // next channel to report for "5/"
    int keys = 0;
    bool answerPolls = true;
    void received(SimConnection& port, const std::string& bytes) override;
};

class SimConnection : public SerialConnection {
public:
    SimConnection(SimRuntime& rt, int port, SimBoard* board) : rt_(rt), port_(port), board_(board) {}
    ~SimConnection() override;
    void write(const std::string& bytes) override;
    int bytesAvailable() const override { return static_cast<int>(in_.size()); }
    std::string readAll() override;
    void close() override;

    // Far end: characters arrive after `delay` seconds and raise one receive event.
    void arrive(const std::string& text, double delay = 0);
    // Far end vanishes after `delay` seconds.
    void unplug(double delay = 0);
    int port() const { return port_; }

private:
    friend class SimRuntime;
    SimRuntime& rt_;
    int port_;
    SimBoard* board_;
    std::string in_;
    bool open_ = true;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

struct Written {
    double t;
    int port;
    std::string bytes;
};

struct ShownMessage {
    double t;
    std::string text;
    int style;
    std::string title;
};

struct SoundEvent {
    double t;
    std::string path;  // empty for a stop
};

class SimRuntime : public Runtime {
public:
    SimRuntime();
    ~SimRuntime() override;

    // --- Runtime ---------------------------------------------------------------------
    double now() override { return t_; }
    void doEvents() override;
    void wait(double seconds) override;
    void waitNoEvents(double seconds) override;
    void waitForEvents(double deadline) override;
    void disposeLater(std::function<void()> fn) override;
    int startTimer(int intervalMs, std::function<void()> tick) override;
    void stopTimer(int id) override;
    int msgBox(const std::string& text, int style, const std::string& title) override;
    std::optional<int> chooseColor(int initial) override;
    void formShown(Form& f) override;
    void formHidden(Form& f) override;
    void formUnloaded(Form& f) override;
    void quit() override { quitRequested = true; }
    bool comPortExists(int n) override;
    Result<std::unique_ptr<SerialConnection>> openSerial(int n, const LineSettings& s) override;
    int audioOutputCount() override { return audioOutputs; }
    void playSound(const std::string& path) override;
    void stopSound() override;
    const Environment& env() const override { return environment; }

    // --- driving the simulation -----------------------------------------------------------
    // Calls `fn` from the event queue.
    void post(std::function<void()> fn);
    // Runs the idle event loop until virtual time `t` (handlers run as events fall due).
    void runUntil(double t);
    void runFor(double seconds) { runUntil(t_ + seconds); }
    // Schedules an action (a user's click, a board's message) at virtual time t.
    void at(double t, std::function<void()> fn);
    // A user's click: the control's window becomes active, then its click event runs.
    // Ignored, as on screen, when the control or its window is disabled.
    void click(Control& c);
    // A user's choice in a drop-down list: its text becomes the item, then Click.
    void choose(ComboBox& c, const std::string& item);

    // --- the world ---------------------------------------------------------------------------
    Environment environment;
    int audioOutputs = 0;
    std::set<int> existingPorts;                   // COM numbers whose device opens
    std::map<int, SimBoard*> boards;               // what answers on a port
    std::map<int, std::string> refuseOpen;         // COM number -> reason the open fails
    std::vector<std::optional<int>> colorAnswers;  // the colour chooser's answers, in order
    std::vector<int> colorInitials;                // the colour each chooser opened on
    // Called for every message box (for example to act while it is shown).
    std::function<void(const ShownMessage&)> onMsgBox;
    // Called when a window is shown (for example to size it as the view would).
    std::function<void(Form&)> onFormShown;

    // --- what happened ---------------------------------------------------------------------
    std::vector<Written> writes;
    std::vector<ShownMessage> messages;
    std::vector<SoundEvent> sounds;
    std::vector<std::string> formEvents;  // "shown FormZoeken", "hidden ...", "unloaded ..."
    bool quitRequested = false;
    int openCount = 0;
    SimConnection* lastConnection = nullptr;  // the connection opened last (may be closed)

    // The bytes written to the port since index `from`, concatenated.
    std::string writtenText(size_t from = 0) const;

private:
    friend class SimConnection;
    struct Event {
        double t;
        long seq;
        std::function<void()> fn;
    };
    struct Later {
        bool operator()(const Event& a, const Event& b) const {
            return a.t != b.t ? a.t > b.t : a.seq > b.seq;
        }
    };
    void schedule(double t, std::function<void()> fn);
    bool runNext(double limit, long maxSeq);
    void scheduleTick(int id, long gen, double t);

    double t_ = 0;
    long seq_ = 0;
    std::vector<Event> queue_;  // heap ordered by Later
    struct TimerState {
        int intervalMs;
        long gen;
        std::function<void()> tick;
    };
    std::map<int, TimerState> timers_;
    int nextTimerId_ = 1;
    long nextGen_ = 1;
    int depth_ = 0;
    std::vector<std::function<void()>> disposals_;
};

}  // namespace qv::sim
