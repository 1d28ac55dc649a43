// The yardstick of bench/poll_compare: the least a Qt program can do for the panel's
// polling. Every 100 ms (a precise timer) it asks the board on the serial device named on
// the command line for an analog report with "5/", and shows each reply "A<channel><value>"
// as a number and a bar in one of five boxes that paint themselves. It draws with the
// panel's font. Usage: yardstick DEVICE
#include <QApplication>
#include <QFont>
#include <QHBoxLayout>
#include <QPainter>
#include <QSerialPort>
#include <QTimer>
#include <QWidget>
#include <array>
#include <cstdio>

namespace {

// One analog input: its reading as a number over a bar of proportional width.
class AnalogBox : public QWidget {
public:
    AnalogBox() { setFixedSize(120, 60); }

    void setValue(int value) {
        if (value == value_) return;
        value_ = value;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), palette().window());
        p.drawText(QRect(0, 0, width(), 30), Qt::AlignCenter, QString::number(value_));
        p.fillRect(QRect(0, 36, value_ * width() / 1023, 16), Qt::darkGreen);
    }

private:
    int value_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: yardstick DEVICE\n");
        return 2;
    }
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Yardstick"));
    auto* row = new QHBoxLayout(&window);
    std::array<AnalogBox*, 5> boxes{};
    for (auto*& b : boxes) row->addWidget(b = new AnalogBox);

    QSerialPort port(QString::fromLocal8Bit(argv[1]));
    port.setBaudRate(QSerialPort::Baud9600);
    if (!port.open(QIODevice::ReadWrite)) {
        std::fprintf(stderr, "yardstick: %s\n", qPrintable(port.errorString()));
        return 2;
    }
    QObject::connect(&port, &QSerialPort::readyRead, [&] {
        const QByteArray reply = port.readAll();
        if (reply.size() < 3 || reply[0] != 'A' || reply[1] < '0' || reply[1] > '4') return;
        bool ok = false;
        const int value = reply.mid(2).toInt(&ok);
        if (ok && value >= 0 && value <= 1023) boxes[static_cast<size_t>(reply[1] - '0')]->setValue(value);
    });
    QTimer poll;
    poll.setTimerType(Qt::PreciseTimer);
    QObject::connect(&poll, &QTimer::timeout, [&] { port.write("5/"); });
    poll.start(100);

    window.show();
    return app.exec();
}
