// The Runtime: everything that is time or the outside world.
//
// The program's handlers run long sequences with waits that keep processing events
// (a click can run inside a 2 s wait of the connect sequence). Instead of calling the
// clock, the event loop or the serial port directly, the program goes through the
// interfaces below, one per concern, bundled as Runtime. Production implements them on
// Qt's event loop (src/platform/qt); the tests implement them as a discrete-event
// simulation with virtual time (tests/support), so the same sequences run
// deterministically in milliseconds. A piece that needs only some of them (a window, the
// view) takes only those.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/result.h"

namespace qv {

class Form;

// Message box styles and results, as the platform's message box takes them.
enum MsgStyle : int {
    MsgOkOnly = 0,
    MsgCritical = 16,
    MsgQuestion = 32,
    MsgExclamation = 48,
    MsgInformation = 64,
};
inline constexpr int MsgResultOk = 1;

// Parity, data bits and stop bits are fixed by the program at N,8,1; the baud rate is
// what the user chose.
struct LineSettings {
    int baud = 115200;
};

// One open serial connection. Events come from the event queue, never from inside a
// call: an arrival while a handler waits raises its own receive event.
class SerialConnection {
public:
    virtual ~SerialConnection() = default;
    // Writes the bytes in one piece and in call order; returns without waiting for the
    // line, unless earlier writes still wait for it (then events go on meanwhile, and
    // writes made inside that wait do not wait again).
    virtual void write(const std::string& bytes) = 0;
    // The owner closes the connection shortly: from now on no write waits for the line,
    // and the close drops what it has not taken. A connection whose writes never wait has
    // nothing to change.
    virtual void closeSoon() {}
    virtual int bytesAvailable() const = 0;
    virtual std::string readAll() = 0;
    virtual void close() = 0;

    // Set by the owner; raised from the event queue.
    std::function<void()> onReceive;
    // The connection ended on its own: the device went away (unplugged, far end closed;
    // deviceGone is set) or a write failed with the device still there. The connection is
    // already closed when this runs.
    std::function<void(const Failure&)> onEnded;
};

// Where the program lives and whom it runs for.
struct Environment {
    std::string programFolder;  // folder of the executable, no trailing separator
    std::string exeName;        // executable's file name without extension
    std::string homeFolder;     // the user's profile folder
    std::string loginName;      // the login name as the platform reports it
};

// The time a handler spends: the clock and the waits.
class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic clock in seconds.
    virtual double now() = 0;
    // Processes the events that are pending now, once.
    virtual void doEvents() = 0;
    // Waits `seconds`, processing events meanwhile (re-entrant: handlers run inside).
    virtual void wait(double seconds) = 0;
    // Waits `seconds` without processing any event.
    virtual void waitNoEvents(double seconds) = 0;
    // Blocks until at least one event was processed or the clock reaches `deadline`,
    // whichever comes first. A loop on the clock built on this never spins.
    virtual void waitForEvents(double deadline) = 0;

    // The same two, for a caller that has changed no window object since its event began
    // or since its last wait returned (a receive drain between reads, a loop on the clock
    // between its waits): the screen is in step already, and bringing it in step again
    // may be left out.
    virtual void doEventsUnchanged() { doEvents(); }
    virtual void waitForEventsUnchanged(double deadline) { waitForEvents(deadline); }
};

// What runs later from the event loop, and its end.
class EventLoop {
public:
    virtual ~EventLoop() = default;
    // Runs `fn` once control is back at the outermost event loop (never inside a
    // nested wait): used to dispose of unloaded windows safely.
    virtual void disposeLater(std::function<void()> fn) = 0;
    // Precise repeating timer; returns an id > 0.
    virtual int startTimer(int intervalMs, std::function<void()> tick) = 0;
    virtual void stopTimer(int id) = 0;
    // The program ends at once: no further handler runs.
    virtual void quit() = 0;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // Modal message box; returns the button pressed (MsgResultOk).
    virtual int msgBox(const std::string& text, int style, const std::string& title) = 0;
    // Modal colour chooser, opened on `initial`; nullopt when cancelled.
    virtual std::optional<int> chooseColor(int initial) = 0;
};

// What the windows tell whoever shows them: a window's visibility changed, or it is gone.
class ViewNotices {
public:
    virtual ~ViewNotices() = default;
    virtual void formShown(Form& f) = 0;
    virtual void formHidden(Form& f) = 0;
    virtual void formUnloaded(Form& f) = 0;
};

class SerialPorts {
public:
    virtual ~SerialPorts() = default;
    // True when COMn's device can be opened; keeps nothing open.
    virtual bool comPortExists(int n) = 0;
    // Opens COMn, or says why it cannot.
    virtual Result<std::unique_ptr<SerialConnection>> openSerial(int n, const LineSettings& s) = 0;
};

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual int audioOutputCount() = 0;
    // Plays a WAV file asynchronously; a missing or unplayable file is skipped.
    virtual void playSound(const std::string& path) = 0;
    virtual void stopSound() = 0;
};

class EnvironmentSource {
public:
    virtual ~EnvironmentSource() = default;
    virtual const Environment& env() const = 0;
};

// What a view of the windows asks of the runtime: disposing of widgets at the outer
// loop, and the message that ends the program after an error a handler let out.
class ViewServices : public EventLoop, public Dialogs, public EnvironmentSource {};

// All of it, for the program.
class Runtime : public ViewServices,
                public Clock,
                public ViewNotices,
                public SerialPorts,
                public SoundPlayer {};

}  // namespace qv
