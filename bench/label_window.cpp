// A Qt window of the main window's size holding one label with text: the yardstick for
// the panel's start-up time.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("LabelWindow"));
    w.resize(911, 666);
    QLabel label(QStringLiteral("Quorvane"), &w);
    label.move(20, 20);
    w.show();
    return app.exec();
}
