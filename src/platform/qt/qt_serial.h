// One serial connection on QSerialPort, as the Runtime hands it to the serial control.
//
// Received bytes move into a buffer of our own as they arrive, so that bytesAvailable()
// and readAll() are exact; the receive event itself is only scheduled from the port's
// signal (a zero timer), because QIODevice does not signal again while its own slot runs,
// and an arrival during a handler's wait must raise an event of its own.
//
// Writes go to the device ourselves rather than through QSerialPort, which reports a full
// line (EAGAIN) as the same ResourceError as a vanished device: bytes the line cannot take
// at once wait in a buffer of our own and leave, in order, as it takes them.
#pragma once

#include <QObject>
#include <QSerialPort>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>
#include <string>

#include "platform/runtime.h"

namespace qv {

class QtRuntime;

class QtSerialConnection : public QObject, public SerialConnection {
public:
    QtSerialConnection(QtRuntime& rt, std::string devicePath);
    ~QtSerialConnection() override;

    // Opens the device at `baud`, 8 data bits, no parity, 1 stop bit, no flow control.
    Result<> open(int baud);

    void write(const std::string& bytes) override;
    int bytesAvailable() const override;
    std::string readAll() override;
    void close() override;

private:
    void collect() const;
    void arrived();
    void raiseReceive();
    void portError(QSerialPort::SerialPortError e);
    // Writes what waits, as far as the line takes it now.
    void send();
    // Closes the port and tells the owner from the event queue.
    void end(Failure why);

    QtRuntime& rt_;
    const std::string path_;
    std::string device_;  // the device `path_` leads to
    mutable QSerialPort port_;
    mutable std::string in_;
    std::string out_;                            // written, not yet taken by the line
    long long sent_ = 0;                         // bytes the line has taken in all
    std::unique_ptr<QSocketNotifier> writable_;  // on while `out_` holds bytes
    QTimer receiveLater_;                        // the receive event, due
    bool open_ = false;
};

}  // namespace qv
