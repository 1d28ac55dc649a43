// A bare Qt window of the main window's size: the yardstick for the panel's start-up time.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("BareWindow"));
    w.resize(911, 666);
    w.show();
    return app.exec();
}
