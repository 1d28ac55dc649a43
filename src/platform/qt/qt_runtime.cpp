#include "platform/qt/qt_runtime.h"

#include <sys/prctl.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QColorDialog>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "platform/com_names.h"
#include "platform/qt/qt_serial.h"
#include "platform/qt/qt_sound.h"
#include "platform/qt/values.h"
#include "platform/qt/view_host.h"

namespace qv {

namespace {

// Whole milliseconds to arm a timer for `seconds`, rounded up so that a wait never ends
// early and a remainder below a millisecond still blocks instead of spinning.
// Below this much time left, waitForEvents sleeps to its deadline instead of arming a
// timer.
constexpr double kExactStretch = 0.002;

int timerMs(double seconds) { return std::max(1, static_cast<int>(std::ceil(seconds * 1000.0))); }

QWidget* dialogParent() { return QApplication::activeWindow(); }

}  // namespace

QtRuntime::Nested::Nested(QtRuntime& rt) : rt_(rt) { ++rt_.nesting_; }

QtRuntime::Nested::~Nested() {
    --rt_.nesting_;
    // The caller goes on from here.
    rt_.resumed();
}

QtRuntime::QtRuntime(Environment environment, QObject* parent)
    : QObject(parent), env_(std::move(environment)), sound_(std::make_unique<QtSound>()) {
    // The kernel may let a sleep overrun by its timer slack (50 us by default); a loop on
    // the clock would add that up over every step of an effect.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    // Leaving the last wait does not mean the handler that waited has returned: an effect
    // loops on its clock between waits. Only the outermost loop going idle, with no wait
    // of ours below it, says that every handler is done.
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, [this] {
            if (nesting_ == 0 && !disposals_.empty()) scheduleDisposals();
        });
    }
}

QtRuntime::~QtRuntime() {
    for (auto* c : std::set<QtSerialConnection*>(connections_)) c->close();
}

void QtRuntime::sync() {
    if (view_) view_->syncAll();
    inStep_ = true;
}

void QtRuntime::resumed() {
    settled_ = inStep_;
    inStep_ = false;
}

void QtRuntime::stepBefore(bool unchanged) {
    if (unchanged && settled_) {
        inStep_ = true;
    } else {
        sync();
    }
}

void QtRuntime::dispatch(const std::function<void()>& fn) {
    resumed();
    fn();
    sync();
}

double QtRuntime::now() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - epoch_).count();
}

void QtRuntime::doEvents() { doEventsNow(false); }

void QtRuntime::doEventsUnchanged() { doEventsNow(true); }

void QtRuntime::doEventsNow(bool unchanged) {
    Nested n(*this);
    stepBefore(unchanged);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtRuntime::wait(double seconds) {
    Nested n(*this);
    sync();
    const double end = now() + seconds;
    QEventLoop loop;
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    QObject::connect(&wake, &QTimer::timeout, &loop, &QEventLoop::quit);
    // The loop can also return when a handler run inside it left the timer behind (an
    // inner wait outlasting this one): only the clock ends the wait.
    for (double left = end - now(); left > 0; left = end - now()) {
        wake.start(timerMs(left));
        loop.exec();
    }
}

void QtRuntime::waitNoEvents(double seconds) {
    if (seconds <= 0) return;
    std::this_thread::sleep_until(std::chrono::steady_clock::now() +
                                  std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                      std::chrono::duration<double>(seconds)));
}

void QtRuntime::waitForEvents(double deadline) { waitForEventsNow(deadline, false); }

void QtRuntime::waitForEventsUnchanged(double deadline) { waitForEventsNow(deadline, true); }

void QtRuntime::waitForEventsNow(double deadline, bool unchanged) {
    Nested n(*this);
    stepBefore(unchanged);
    const double left = deadline - now();
    if (left <= 0) return;
    // Timers only count whole milliseconds, so a wake-up at the deadline comes up to a
    // millisecond late, and a loop on the clock (the effect player's steps) would fall
    // behind by that much on every turn. The last stretch is therefore slept to the
    // deadline exactly, after the events pending by then.
    if (left < kExactStretch) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        std::this_thread::sleep_until(epoch_ +
                                      std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                          std::chrono::duration<double>(deadline)));
        return;
    }
    // The timer needs no slot: its own timer event is the event that ends the block.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(static_cast<int>(std::floor((left - kExactStretch) * 1000.0)) + 1);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtRuntime::post(std::function<void()> fn) {
    QMetaObject::invokeMethod(
        this, [this, fn = std::move(fn)] { dispatch(fn); }, Qt::QueuedConnection);
}

void QtRuntime::disposeLater(std::function<void()> fn) {
    disposals_.push_back(std::move(fn));
    scheduleDisposals();
}

void QtRuntime::scheduleDisposals() {
    if (disposalsPosted_) return;
    disposalsPosted_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            disposalsPosted_ = false;
            runDisposals();
        },
        Qt::QueuedConnection);
}

void QtRuntime::runDisposals() {
    // Dispatched inside a nested wait: the handler that waits may belong to what is to be
    // disposed of. The outermost loop going idle schedules them again.
    if (nesting_ > 0) return;
    auto pending = std::move(disposals_);
    disposals_.clear();
    resumed();
    for (auto& fn : pending) fn();
    sync();
}

int QtRuntime::startTimer(int intervalMs, std::function<void()> tickFn) {
    const int id = nextTimerId_++;
    auto* t = new QTimer(this);
    t->setTimerType(Qt::PreciseTimer);
    t->setInterval(std::max(1, intervalMs));
    QObject::connect(t, &QTimer::timeout, this, [this, id] { tick(id); });
    timers_[id] = {t, std::move(tickFn)};
    t->start();
    return id;
}

void QtRuntime::stopTimer(int id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    it->second.timer->stop();
    // A timer may be stopped from its own tick: the object goes once that has returned.
    it->second.timer->deleteLater();
    timers_.erase(it);
}

void QtRuntime::tick(int id) {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    // The tick may stop its own timer, which drops the stored function.
    dispatch(std::function<void()>(it->second.tick));
}

int QtRuntime::msgBox(const std::string& text, int style, const std::string& title) {
    Nested n(*this);
    sync();
    QString body = QString::fromStdString(text);
    body.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (style) {
        case MsgCritical:
            icon = QMessageBox::Critical;
            break;
        case MsgQuestion:
            icon = QMessageBox::Question;
            break;
        case MsgExclamation:
            icon = QMessageBox::Warning;
            break;
        case MsgInformation:
            icon = QMessageBox::Information;
            break;
        default:
            break;
    }
    QMessageBox box(icon, QString::fromStdString(title), body, QMessageBox::Ok, dialogParent());
    box.setTextFormat(Qt::PlainText);
    box.exec();
    return MsgResultOk;
}

std::optional<int> QtRuntime::chooseColor(int initial) {
    Nested n(*this);
    sync();
    const QColor chosen = QColorDialog::getColor(view::toQColor(initial), dialogParent());
    if (!chosen.isValid()) return std::nullopt;
    return view::fromQColor(chosen);
}

void QtRuntime::formShown(Form& f) {
    if (view_) view_->formShown(f);
}

void QtRuntime::formHidden(Form& f) {
    if (view_) view_->formHidden(f);
}

void QtRuntime::formUnloaded(Form& f) {
    if (view_) view_->formUnloaded(f);
}

void QtRuntime::quit() {
    // Ending the process here, rather than leaving the event loop, is what guarantees
    // that no handler waiting further down the stack runs another line.
    for (auto* c : std::set<QtSerialConnection*>(connections_)) c->close();
    sound_->stop();
    std::fflush(nullptr);
    std::_Exit(0);
}

bool QtRuntime::comPortExists(int n) {
    const auto path = comDevicePath(n, comLinksFolder(env_.exeName));
    return path && deviceOpens(*path);
}

Result<std::unique_ptr<SerialConnection>> QtRuntime::openSerial(int n, const LineSettings& s) {
    const auto path = comDevicePath(n, comLinksFolder(env_.exeName));
    if (!path) return path.failure();
    auto c = std::make_unique<QtSerialConnection>(*this, *path);
    if (auto opened = c->open(s.baud); !opened) return opened.failure();
    return std::unique_ptr<SerialConnection>(std::move(c));
}

int QtRuntime::audioOutputCount() { return sound_->outputCount(); }

void QtRuntime::playSound(const std::string& path) { sound_->play(path); }

void QtRuntime::stopSound() { sound_->stop(); }

}  // namespace qv
