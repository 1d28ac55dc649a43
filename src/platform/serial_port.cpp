#include "platform/serial_port.h"

#include <cctype>

namespace qv {

SerialPort::SerialPort(Runtime& rt) : rt_(rt) {}

SerialPort::~SerialPort() {
    if (conn_) conn_->close();
}

int SerialPort::baudOf(const std::string& settings) {
    const auto comma = settings.find(',');
    if (comma == std::string::npos || comma == 0 || settings.substr(comma) != ",N,8,1") return 0;
    long baud = 0;
    for (size_t i = 0; i < comma; ++i) {
        const char ch = settings[i];
        if (!std::isdigit(static_cast<unsigned char>(ch))) return 0;
        baud = baud * 10 + (ch - '0');
        if (baud > 4000000) return 0;
    }
    return static_cast<int>(baud);
}

void SerialPort::closePort() {
    if (!conn_) return;
    conn_->close();
    release();
}

void SerialPort::closeSoon() {
    if (conn_) conn_->closeSoon();
}

Result<> SerialPort::openPort() {
    if (conn_) return Done{};
    LineSettings ls;
    ls.baud = baudOf(Settings);
    if (ls.baud <= 0) return Failure{"the line setting \"" + Settings + "\" is not valid"};
    if (CommPort < 1) return Failure{"invalid port number"};
    auto opened = rt_.openSerial(CommPort, ls);
    if (!opened)
        return Failure{opened.error().empty() ? std::string("the port cannot be opened") : opened.error()};
    conn_ = std::move(*opened);
    SerialConnection* raw = conn_.get();
    conn_->onReceive = [this, raw] {
        // An event queued before a close must not reach a later connection.
        if (conn_.get() == raw && OnComm) OnComm();
    };
    conn_->onEnded = [this, raw](const Failure& f) {
        if (conn_.get() != raw) return;
        release();
        auto& handler = f.deviceGone ? OnLost : OnFailed;
        if (handler) handler(f.reason);
    };
    return Done{};
}

void SerialPort::release() {
    // The port is often closed from inside one of the connection's own events (a
    // handler that disconnects, the device vanishing); the connection goes only once
    // that event has returned.
    std::shared_ptr<SerialConnection> closed(conn_.release());
    rt_.disposeLater([closed] {});
}

int SerialPort::InBufferCount() const { return conn_ ? conn_->bytesAvailable() : 0; }

std::string SerialPort::Input() { return conn_ ? conn_->readAll() : std::string(); }

void SerialPort::Output(const std::string& text) {
    if (conn_) conn_->write(text);
}

}  // namespace qv
