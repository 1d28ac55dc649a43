// The program: the Qt application, the production runtime with its view, and the main
// window's start-up.
#include <QApplication>
#include <QFont>
#include <QIcon>
#include <fontconfig/fontconfig.h>

#include <thread>

#include "platform/environment.h"
#include "platform/qt/binder.h"
#include "platform/qt/qt_runtime.h"
#include "program/application.h"
#include "windows/form_quorvane.h"

int main(int argc, char** argv) {
    // Reading the font configuration is the largest single part of start-up and needs
    // nothing from Qt (fontconfig initialises safely from any thread), so it runs while
    // the application connects to the display.
    std::thread fontConfig([] { FcInit(); });
    QApplication app(argc, argv);
    fontConfig.join();
    QApplication::setApplicationName(QString::fromLatin1(qv::kAppTitle));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/design/icon.png")));
    // Asked for by name; where the font is missing, fontconfig's alias to Comic Neue
    // stands in for it.
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
    // A blinking caret in the focused port list would wake the program twice a second
    // for as long as it runs; a steady caret lets an idle panel cost nothing.
    QApplication::setCursorFlashTime(0);

    qv::QtRuntime rt(qv::systemEnvironment());
    qv::QtBinder binder(rt);
    rt.setView(&binder);

    qv::Application prog(rt);
    qv::FormQuorvane& w = prog.quorvane();
    w.onCloseRequest = [&w] { w.Form_Unload(); };
    w.Form_Load();
    w.Show();
    app.exec();
    // Reached only when the session ends the event loop: leave the way Close does, with
    // the ports closed and without tearing down the sound server's client threads, which can
    // abort at exit.
    rt.quit();
}
