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
//
// One write at a time may wait for the line to catch up, processing events meanwhile;
// writes made by handlers run inside that wait queue behind it, within a bound, so waits
// never nest. Whenever bytes wait, a watch gives up on a line that has taken nothing for
// a while, counted from when it last took data, whatever is written meanwhile.
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
    void closeSoon() override { closeSoon_ = true; }
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
    // Ends the connection when the line has taken nothing for too long.
    void watchLine();
    // Closes the port and tells the owner from the event queue.
    void end(Failure why);

    QtRuntime& rt_;
    const std::string path_;
    std::string device_;  // the device `path_` leads to
    mutable QSerialPort port_;
    mutable std::string in_;
    std::string out_;                            // written, not yet taken by the line
    std::unique_ptr<QSocketNotifier> writable_;  // on while `out_` holds bytes
    QTimer lineWatch_;                           // runs while `out_` holds bytes
    double tookAt_ = 0;                          // when the line last took data
    int kernelQueued_ = 0;                       // the kernel's queue at the last look
    QTimer receiveLater_;                        // the receive event, due
    bool open_ = false;
    bool waiting_ = false;    // a write waits for the line
    bool closeSoon_ = false;  // the owner is closing: no write waits
};

}  // namespace qv
