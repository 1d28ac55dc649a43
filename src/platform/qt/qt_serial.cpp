#include "platform/qt/qt_serial.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QPointer>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#include "platform/qt/qt_runtime.h"

namespace qv {

namespace {

constexpr const char* kInUse = "the port is in use by another program";
// What may wait for the line before a writer waits for it to take some: the send buffer
// of the serial control the program was made for.
constexpr size_t kSendBufferBytes = 512;
// What may wait in all while a write waits: its send buffer and as much again for what
// the handlers run meanwhile write (polls, a stop, a disconnect's last commands). More
// than that means the board no longer keeps up.
constexpr size_t kQueueBytes = 2 * kSendBufferBytes;
// A line that takes nothing for this long while bytes wait for it is held by a board that
// no longer reads: the connection ends rather than every later writer waiting for ever.
// The kernel's own buffer (some kilobytes) lets writers in again only once it is nearly
// empty, seconds apart on a slow line, so progress is also read from its fill level.
constexpr double kStallSeconds = 15.0;
// How often the line is looked at for that while bytes wait for it.
constexpr int kWatchMs = 500;

// Bytes in the kernel's output queue of the device; 0 where the device does not say.
int kernelQueued(int fd) {
    int n = 0;
    return ::ioctl(fd, TIOCOUTQ, &n) == 0 ? n : 0;
}

// Errors of a read or write that mean the device is no longer there.
bool deviceGone(int err, const std::string& device) {
    return err == EIO || err == ENXIO || err == ENODEV || ::access(device.c_str(), F_OK) != 0;
}

// True when the device refuses us for want of access rights, rather than because
// another program holds it.
bool accessDenied(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return false;
    }
    return errno == EACCES || errno == EPERM;
}

}  // namespace

QtSerialConnection::QtSerialConnection(QtRuntime& rt, std::string devicePath)
    : rt_(rt), path_(std::move(devicePath)) {
    QObject::connect(&port_, &QSerialPort::readyRead, this, [this] { arrived(); });
    // A zero timer rather than a posted call: it is raised from the event loop as well,
    // without waking the loop through its wake-up descriptor on every arrival.
    receiveLater_.setSingleShot(true);
    receiveLater_.setInterval(0);
    QObject::connect(&receiveLater_, &QTimer::timeout, this, [this] { raiseReceive(); });
    QObject::connect(&port_, &QSerialPort::errorOccurred, this,
                     [this](QSerialPort::SerialPortError e) { portError(e); });
    lineWatch_.setInterval(kWatchMs);
    QObject::connect(&lineWatch_, &QTimer::timeout, this, [this] { watchLine(); });
}

QtSerialConnection::~QtSerialConnection() { close(); }

Result<> QtSerialConnection::open(int baud) {
    // QSerialPort's lock is a file named after the path it opens: the device's own path
    // makes it one lock per device, whichever link leads there.
    std::error_code ec;
    const std::filesystem::path canonical = std::filesystem::canonical(path_, ec);
    device_ = ec ? path_ : canonical.string();
    port_.setPortName(QString::fromStdString(device_));
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
                // Refused by the lock file or the device's exclusive mode (another holder), or
                // by the device's access rights.
                return Failure{accessDenied(device_) ? why : kInUse};
            case QSerialPort::UnsupportedOperationError:
                return Failure{"the baud rate " + std::to_string(baud) + " is not supported by this port (" +
                               why + ")"};
            default:
                return Failure{why};
        }
    }
    // Lock files bind only the programs that look for them, and the device's exclusive
    // mode does not hold back root: a lock on the open device itself refuses another
    // panel whatever path it came by.
    if (::flock(port_.handle(), LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
        port_.close();
        return Failure{kInUse};
    }
    if (port_.baudRate() != baud) {
        port_.close();
        return Failure{"the baud rate " + std::to_string(baud) + " is not supported by this port"};
    }
    writable_ = std::make_unique<QSocketNotifier>(port_.handle(), QSocketNotifier::Write);
    writable_->setEnabled(false);
    QObject::connect(writable_.get(), &QSocketNotifier::activated, this, [this] { send(); });
    open_ = true;
    tookAt_ = rt_.now();
    rt_.connectionOpened(this);
    return Done{};
}

void QtSerialConnection::write(const std::string& bytes) {
    if (!open_ || bytes.empty()) return;
    // Only one write waits at a time, and none once the owner is closing (the close drops
    // what the line has not taken): the others queue behind, or end the connection as a
    // failed write does when the queue is full, so that a burst of clicks inside a wait
    // neither nests waits nor shows a message for every click.
    const bool mayWait = !waiting_ && !closeSoon_;
    // Behind bytes that already wait, the line is full: the notifier sends them all.
    const bool lineFull = !out_.empty();
    out_ += bytes;
    if (!lineFull) send();
    if (!mayWait) {
        if (open_ && out_.size() > kQueueBytes) end({"the board does not take the data sent to it"});
        return;
    }
    if (out_.size() <= kSendBufferBytes) return;
    // Writes that outpace the line for long wait here until it has taken enough, so what
    // waits stays bounded; events go on meanwhile, so a stop or a disconnect gets through.
    // The line watch ends the wait, with the connection, on a line that takes nothing.
    waiting_ = true;
    bool first = true;
    while (open_ && out_.size() > kSendBufferBytes) {
        // Between its waits the writer changes no window object: only the first wait needs
        // the screen brought in step.
        if (first) {
            rt_.waitForEvents(rt_.now() + kWatchMs / 1000.0);
        } else {
            rt_.waitForEventsUnchanged(rt_.now() + kWatchMs / 1000.0);
        }
        first = false;
    }
    waiting_ = false;
}

void QtSerialConnection::send() {
    bool took = false;
    while (open_ && !out_.empty()) {
        const ssize_t n = ::write(port_.handle(), out_.data(), out_.size());
        if (n > 0) {
            out_.erase(0, static_cast<size_t>(n));
            took = true;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;  // the line is full for now
        const int err = n < 0 ? errno : EIO;
        if (deviceGone(err, device_)) {
            end({"the device " + path_ + " went away", true});
        } else {
            end({"writing to " + path_ + " failed: " + std::strerror(err)});
        }
        return;
    }
    if (!open_) return;
    if (took) tookAt_ = rt_.now();
    const bool waits = !out_.empty();
    writable_->setEnabled(waits);
    if (!waits) {
        lineWatch_.stop();
    } else if (!lineWatch_.isActive()) {
        kernelQueued_ = kernelQueued(port_.handle());
        lineWatch_.start();
    }
}

void QtSerialConnection::watchLine() {
    if (!open_) return;
    const int queued = kernelQueued(port_.handle());
    if (queued < kernelQueued_) tookAt_ = rt_.now();
    kernelQueued_ = queued;
    if (rt_.now() - tookAt_ >= kStallSeconds)
        end({"the board has taken no data for " + std::to_string(static_cast<int>(kStallSeconds)) +
             " seconds"});
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
    // Disabled, not deleted: this may run from the notifier's own signal.
    writable_->setEnabled(false);
    lineWatch_.stop();
    receiveLater_.stop();
    port_.close();
    in_.clear();
    out_.clear();
    rt_.connectionClosed(this);
}

void QtSerialConnection::arrived() {
    collect();
    // Arrivals before the event runs share it: it reads what has arrived by then. One
    // during the handler starts the timer again and raises an event of its own.
    if (!receiveLater_.isActive()) receiveLater_.start();
}

void QtSerialConnection::raiseReceive() {
    if (!open_ || !onReceive) return;
    // The handler may close the port and so destroy this connection and its handler: it
    // runs from a copy.
    rt_.dispatch(std::function<void()>(onReceive));
}

void QtSerialConnection::portError(QSerialPort::SerialPortError e) {
    // Writes do not go through the port object, so these come from its reads: a vanished
    // device makes it report a read error on every turn of the event loop for as long as
    // it stays open, so it is closed at once. (Its error text is no help: after a read of
    // nothing it repeats whatever errno an earlier call left behind.)
    if (!open_ || (e != QSerialPort::ReadError && e != QSerialPort::ResourceError)) return;
    end({"the device " + path_ + " went away", true});
}

void QtSerialConnection::end(Failure why) {
    close();
    rt_.post([self = QPointer<QtSerialConnection>(this), why = std::move(why)] {
        if (!self || !self->onEnded) return;
        auto fn = self->onEnded;
        fn(why);
    });
}

}  // namespace qv
