#include "platform/qt/qt_serial.h"

#include <QPointer>
#include <utility>

#include "platform/qt/qt_runtime.h"

namespace qv {

QtSerialConnection::QtSerialConnection(QtRuntime& rt, std::string devicePath)
    : rt_(rt), path_(std::move(devicePath)) {
    QObject::connect(&port_, &QSerialPort::readyRead, this, [this] { arrived(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred, this,
                     [this](QSerialPort::SerialPortError e) { failed(e); });
}

QtSerialConnection::~QtSerialConnection() { close(); }

bool QtSerialConnection::open(int baud, std::string& error) {
    port_.setPortName(QString::fromStdString(path_));
    port_.setBaudRate(baud);
    port_.setDataBits(QSerialPort::Data8);
    port_.setParity(QSerialPort::NoParity);
    port_.setStopBits(QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    // The modem lines are left as the open sets them: on pseudo-terminals their ioctls fail,
    // and the board needs nothing from them.
    if (!port_.open(QIODevice::ReadWrite)) {
        const std::string why = port_.errorString().toStdString();
        switch (port_.error()) {
            case QSerialPort::PermissionError:
                error = why.find("lock") != std::string::npos ? "the port is in use by another program" : why;
                break;
            case QSerialPort::UnsupportedOperationError:
                error = "the baud rate " + std::to_string(baud) + " is not supported by this port (" + why + ")";
                break;
            default:
                error = why;
                break;
        }
        return false;
    }
    if (port_.baudRate() != baud) {
        port_.close();
        error = "the baud rate " + std::to_string(baud) + " is not supported by this port";
        return false;
    }
    open_ = true;
    rt_.connectionOpened(this);
    return true;
}

void QtSerialConnection::write(const std::string& bytes) {
    if (!open_ || bytes.empty()) return;
    port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // QSerialPort only queues a write for the event loop; a sequence that sleeps without
    // processing events (the settings push) needs its bytes on the line now.
    port_.flush();
}

void QtSerialConnection::collect() const {
    if (!open_ || port_.bytesAvailable() <= 0) return;
    const QByteArray got = port_.readAll();
    in_.append(got.constData(), static_cast<size_t>(got.size()));
}

int QtSerialConnection::bytesAvailable() const {
    collect();
    return static_cast<int>(in_.size());
}

std::string QtSerialConnection::readAll() {
    collect();
    return std::exchange(in_, std::string());
}

void QtSerialConnection::close() {
    if (!open_) return;
    open_ = false;
    port_.close();
    in_.clear();
    rt_.connectionClosed(this);
}

void QtSerialConnection::arrived() {
    collect();
    rt_.dispatchLater([self = QPointer<QtSerialConnection>(this)] {
        if (!self || !self->open_ || !self->onReceive) return;
        // The handler may close the port and so destroy this connection and its handler.
        auto handler = self->onReceive;
        handler();
    });
}

void QtSerialConnection::failed(QSerialPort::SerialPortError e) {
    // A vanished device makes the port report a read error on every turn of the event
    // loop for as long as it stays open: close it at once.
    if (!open_ || (e != QSerialPort::ReadError && e != QSerialPort::ResourceError)) return;
    // The port's own error text is no help here: after a read of nothing it repeats
    // whatever errno an earlier call left behind.
    const std::string reason = "the device " + path_ + " went away";
    open_ = false;
    port_.close();
    rt_.connectionClosed(this);
    rt_.dispatchLater([self = QPointer<QtSerialConnection>(this), reason] {
        if (!self || !self->onLost) return;
        auto handler = self->onLost;
        handler(reason);
    });
}

}  // namespace qv
