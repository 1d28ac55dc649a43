// The program on Qt as main() runs it: the application's look, the production runtime
// with its view, the window objects and the main window's start-up. The whole-program
// tests and the benchmarks build it here too, so that they run what the user runs.
#pragma once

#include <QApplication>
#include <memory>

#include "platform/environment.h"
#include "platform/qt/binder.h"
#include "platform/qt/qt_runtime.h"
#include "program/application.h"
#include "windows/form_quorvane.h"

namespace qv {

// The QApplication, styled as below. Reading the font configuration is the largest single
// part of start-up and needs nothing from Qt, so it runs on a thread of its own while the
// application connects to the display.
std::unique_ptr<QApplication> makeApplication(int& argc, char** argv);

// The application's name, icon, font and caret, on the QApplication that exists.
void styleApplication();

class QtProgram {
public:
    explicit QtProgram(const Environment& env);
    ~QtProgram();
    QtProgram(const QtProgram&) = delete;
    QtProgram& operator=(const QtProgram&) = delete;

    // The main window's load and show, as the program starts.
    void start();

    QtRuntime& rt() { return *rt_; }
    QtBinder& binder() { return *binder_; }
    Application& prog() { return *prog_; }
    FormQuorvane& main() { return prog_->quorvane(); }

private:
    std::unique_ptr<QtRuntime> rt_;
    std::unique_ptr<QtBinder> binder_;
    std::unique_ptr<Application> prog_;
};

}  // namespace qv
