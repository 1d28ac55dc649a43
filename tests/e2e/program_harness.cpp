#include "program_harness.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/qt/binder_widgets.h"

namespace qv::e2e {

double steadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// --- Emulator -----------------------------------------------------------------------------

Emulator::Emulator(const fs::path& configHome, int com, const std::vector<std::string>& options) {
    logPath_ = logDir_.path() / "line.log";
    QStringList args{"--link", QString::fromStdString("COM" + std::to_string(com)), "--log",
                     QString::fromStdString(logPath_.string())};
    for (const auto& o : options) args << QString::fromStdString(o);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", QString::fromStdString(configHome.string()));
    process_.setProcessEnvironment(env);
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(QStringLiteral(QUORVANE_EMULATOR), args);
    // The emulator starts its clock right after it prints the slave's path (the link is
    // made before), so the moment that line arrives is its time 0 to within a millisecond.
    if (!process_.waitForStarted(5000) || !process_.waitForReadyRead(5000))
        throw std::runtime_error("the board emulator did not start");
    startedAt_ = steadySeconds();
    process_.readAllStandardOutput();
}

Emulator::~Emulator() {
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(3000)) {
            process_.kill();
            process_.waitForFinished(3000);
        }
    }
}

std::vector<LogLine> Emulator::log() const {
    std::vector<LogLine> lines;
    std::ifstream in(logPath_);
    std::string line;
    while (std::getline(in, line)) {
        // "<seconds> <dir> <text>"; the text may hold blanks of its own.
        const size_t a = line.find(' ');
        if (a == std::string::npos) continue;
        const size_t b = line.find(' ', a + 1);
        if (b == std::string::npos) continue;
        lines.push_back(
            {std::atof(line.substr(0, a).c_str()), line.substr(a + 1, b - a - 1), line.substr(b + 1)});
    }
    return lines;
}

std::vector<LogLine> Emulator::received(double from) const {
    // The log rounds to the millisecond: a command written right after a moment taken
    // here can be logged up to half a millisecond before it.
    std::vector<LogLine> rx;
    for (auto& l : log())
        if (l.dir == "RX" && l.t >= from - 0.001) rx.push_back(l);
    return rx;
}

std::vector<LogLine> Emulator::receivedAfter(size_t mark) const {
    std::vector<LogLine> lines = log();
    std::vector<LogLine> rx;
    for (size_t i = mark; i < lines.size(); ++i)
        if (lines[i].dir == "RX") rx.push_back(lines[i]);
    return rx;
}

// --- ProgramRun ---------------------------------------------------------------------------

ProgramRun::ProgramRun(const fs::path& home) {
    styleApplication();
    Environment env;
    env.programFolder = QUORVANE_PROGRAM_FOLDER;
    env.exeName = "Quorvane";
    env.homeFolder = home.string();
    env.loginName = "tester";
    program_ = std::make_unique<QtProgram>(env);

    // Message boxes are modal and wait for a click: note each one and press its button.
    watcher_ = std::make_unique<QTimer>();
    watcher_->setInterval(20);
    QObject::connect(watcher_.get(), &QTimer::timeout, [this] { acceptMessageBoxes(); });
    watcher_->start();
}

ProgramRun::~ProgramRun() {
    watcher_->stop();
    program_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ProgramRun::start() { program_->start(); }

void ProgramRun::acceptMessageBoxes() {
    std::vector<QMessageBox*> boxes;
    if (auto* m = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) boxes.push_back(m);
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMessageBox*>(top);
            m && std::find(boxes.begin(), boxes.end(), m) == boxes.end())
            boxes.push_back(m);
    for (QMessageBox* box : boxes) {
        if (!box->isVisible()) continue;
        messages_.push_back({box->windowTitle().toStdString(), box->text().toStdString()});
        box->done(QMessageBox::Ok);
    }
}

QWidget* ProgramRun::window() const { return program_->binder().window(program_->main()); }

QWidget* ProgramRun::widget(const std::string& objectName) const {
    QWidget* win = window();
    if (!win) return nullptr;
    return win->findChild<QWidget*>(QString::fromStdString(objectName));
}

void ProgramRun::click(const std::string& objectName, std::function<void()> atClick, double after) {
    QPointer<QAbstractButton> button = qobject_cast<QAbstractButton*>(widget(objectName));
    if (!button) throw std::runtime_error("no button " + objectName);
    QTimer::singleShot(static_cast<int>(after * 1000), Qt::PreciseTimer, button, [button, atClick] {
        if (atClick) atClick();
        button->click();
    });
}

void ProgramRun::after(double seconds, std::function<void()> fn) {
    QTimer::singleShot(static_cast<int>(seconds * 1000), Qt::PreciseTimer, watcher_.get(), std::move(fn));
}

void ProgramRun::choosePort(const std::string& entry) {
    QPointer<QComboBox> combo = qobject_cast<QComboBox*>(widget("ComboPoorten"));
    if (!combo) throw std::runtime_error("no port list");
    const int i = combo->findText(QString::fromStdString(entry));
    if (i < 0) throw std::runtime_error("no port list entry " + entry);
    QTimer::singleShot(0, combo, [combo, i] {
        combo->setCurrentIndex(i);
        emit combo->activated(i);
    });
    runFor(0.05);
}

void ProgramRun::chooseFile(const std::string& name) {
    QPointer<QListWidget> list = qobject_cast<QListWidget*>(widget("File_List_Effecten"));
    if (!list) throw std::runtime_error("no effect list");
    const auto found = list->findItems(QString::fromStdString(name), Qt::MatchExactly);
    if (found.isEmpty()) throw std::runtime_error("no effect file " + name);
    const int row = list->row(found.front());
    QTimer::singleShot(0, list, [list, row] { list->setCurrentRow(row); });
    runFor(0.05);
}

void ProgramRun::runFor(double seconds) {
    if (seconds <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer end;
    end.setSingleShot(true);
    end.setTimerType(Qt::PreciseTimer);
    QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
    end.start(static_cast<int>(seconds * 1000));
    loop.exec();
}

bool ProgramRun::runUntil(const std::function<bool()>& done, double timeout) {
    if (done()) return true;
    QEventLoop loop;
    QTimer check;
    check.setInterval(20);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
    check.start();
    end.start(static_cast<int>(timeout * 1000));
    loop.exec();
    return done();
}

std::string ProgramRun::labelShown(const std::string& objectName) const {
    auto* label = dynamic_cast<view::LabelWidget*>(widget(objectName));
    return label ? label->text.toStdString() : "<no label widget " + objectName + ">";
}

std::vector<std::string> ProgramRun::portEntries() const {
    std::vector<std::string> entries;
    if (auto* combo = qobject_cast<QComboBox*>(widget("ComboPoorten")))
        for (int i = 0; i < combo->count(); ++i) entries.push_back(combo->itemText(i).toStdString());
    return entries;
}

// --- Scene --------------------------------------------------------------------------------

Scene::Scene() {
    hadConfig_ = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
    if (hadConfig_) oldConfig_ = qgetenv("XDG_CONFIG_HOME").toStdString();
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config_.path().string()));
}

Scene::~Scene() {
    if (hadConfig_) {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(oldConfig_));
    } else {
        qunsetenv("XDG_CONFIG_HOME");
    }
}

fs::path Scene::script(const std::string& name, const std::string& lines) const {
    const fs::path p = home() / name;
    std::ofstream(p) << lines;
    return p;
}

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace qv::e2e
