// One serial connection on QSerialPort, as the Runtime hands it to the serial control.
//
// Received bytes move into a buffer of our own as they arrive, so that bytesAvailable()
// and readAll() are exact; the receive event itself is only posted from the port's signal,
// because QIODevice does not signal again while its own slot runs, and an arrival during a
// handler's wait must raise an event of its own.
#pragma once

#include <QObject>
#include <QSerialPort>
#include <string>

#include "platform/runtime.h"

namespace qv {

class QtRuntime;

class QtSerialConnection : public QObject, public SerialConnection {
public:
    QtSerialConnection(QtRuntime& rt, std::string devicePath);
    ~QtSerialConnection() override;

    // Opens the device at `baud`, 8 data bits, no parity, 1 stop bit, no flow control.
    // On failure returns false with the reason in `error`.
    bool open(int baud, std::string& error);
    bool isOpen() const { return open_; }

    void write(const std::string& bytes) override;
    int bytesAvailable() const override;
    std::string readAll() override;
    void close() override;

private:
    void collect() const;
    void arrived();
    void failed(QSerialPort::SerialPortError e);

    QtRuntime& rt_;
    const std::string path_;
    mutable QSerialPort port_;
    mutable std::string in_;
    bool open_ = false;
};

}  // namespace qv
