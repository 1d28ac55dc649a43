// The serial-communications control of the main window: CommPort, Settings, PortOpen,
// InBufferCount, Input, Output and the receive event, on a connection the Runtime
// opens. Every writer asks PortOpen first; a write to a closed port is dropped.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/runtime.h"

namespace qv {

class SerialPort {
public:
    explicit SerialPort(Runtime& rt);
    ~SerialPort();

    int CommPort = 1;
    std::string Settings = "115200,N,8,1";

    bool PortOpen() const { return conn_ != nullptr; }
    // PortOpen set true: opens COMn with Settings, or says why it cannot (the port then
    // stays closed). An open port stays as it is.
    Result<> openPort();
    // PortOpen set false; drops whatever waits in the receive buffer.
    void closePort();
    // The port is about to be closed (a disconnect, the program's end): nothing written
    // from now on waits for the line, and the close drops what the line has not taken.
    void closeSoon();

    int InBufferCount() const;
    std::string Input();
    void Output(const std::string& text);

    // Receive event: characters have arrived (raised from the event queue).
    std::function<void()> OnComm;
    // The device vanished; the port is already closed when this runs.
    std::function<void(const std::string& reason)> OnLost;
    // A write failed with the device still there; the port is already closed.
    std::function<void(const std::string& reason)> OnFailed;

    // "9600,N,8,1" -> 9600; 0 when the text is no line setting the port takes.
    static int baudOf(const std::string& settings);

private:
    void release();

    Runtime& rt_;
    std::unique_ptr<SerialConnection> conn_;
};

}  // namespace qv
