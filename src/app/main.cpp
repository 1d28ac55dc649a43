// The program: the Qt application, the production runtime with its view, and the main
// window's start-up.
#include "app/qt_program.h"

int main(int argc, char** argv) {
    const auto app = qv::makeApplication(argc, argv);
    qv::QtProgram program(qv::systemEnvironment());
    program.start();
    QApplication::exec();
    // Reached only when the session ends the event loop: leave the way Close does, with
    // the ports closed and without tearing down the sound server's client threads, which can
    // abort at exit.
    program.rt().quit();
}
