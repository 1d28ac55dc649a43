// The yardstick of bench/poll_compare: the least a Qt program can do for the panel's
// polling. At the panel's polling interval (a precise timer) it asks the board on the serial device named on
// the command line for an analog report with "5/", and shows each reply "A<channel><value>"
// as a number and a bar in one of five boxes that paint themselves. It draws with the
// panel's font.
//
// With --effect it also plays the panel's benchmark effect (bench/bench_panel.h) in repeat
// at the fastest speed, timed as the panel's player times it: each step sends its LED
// frame "1/<mask>/" and repaints, where they changed, a row of eight LED buttons with the
// AdaFruit LED pictures and eight labels beneath, coloured as the panel colours them.
//
// Usage: yardstick [--effect] DEVICE
#include <QApplication>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QSerialPort>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>

#include "link/timings.h"

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

using Clock = std::chrono::steady_clock;
using Seconds = std::chrono::duration<double>;

// The benchmark effect's steps and their length at the fastest speed: timing 550 over the
// speed divisor 5050.
constexpr int kSteps = 100;
constexpr Seconds kStepLength{550.0 / 5050.0};
// A timer wakes the player this much before a step ends at the latest; the rest is slept
// to the end exactly, as the panel's runtime does.
constexpr Seconds kExactStretch{0.002};

// The panel's colours: a lit LED, a dark LED button, and a dark LED label (the window's).
const QColor kLit(0xFF, 0x00, 0x00);
const QColor kDarkButton(Qt::white);
const QColor kDarkLabel(0xB3, 0xC6, 0xE1);

// One LED's button or label: repaints itself only when its LED changes.
class LedPart : public QWidget {
public:
    LedPart(int width, int height) {
        setFixedSize(width, height);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    void setLit(bool lit) {
        if (lit == lit_) return;
        lit_ = lit;
        update();
    }

protected:
    bool lit_ = false;
};

// The LED button: its colour with the LED's picture centred.
class LedButton : public LedPart {
public:
    LedButton(const QImage& dark, const QImage& lit)
        : LedPart(100, 105), darkPicture_(dark), litPicture_(lit) {}

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), lit_ ? kLit : kDarkButton);
        const QImage& picture = lit_ ? litPicture_ : darkPicture_;
        p.drawImage((width() - picture.width()) / 2, (height() - picture.height()) / 2, picture);
    }

private:
    const QImage& darkPicture_;
    const QImage& litPicture_;
};

// The label beneath: the output's name, centred in a single border.
class LedLabel : public LedPart {
public:
    explicit LedLabel(const QString& caption) : LedPart(100, 21), caption_(caption) {
        QFont f = font();
        f.setPointSizeF(9.75);
        setFont(f);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), lit_ ? kLit : kDarkLabel);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.drawText(rect(), Qt::AlignCenter, caption_);
    }

private:
    QString caption_;
};

// A picture of the panel's assets with its black made see-through.
QImage maskedPicture(const char* name) {
    QImage img = QImage(QStringLiteral(QUORVANE_ASSETS "/Pictures/") + QLatin1String(name))
                     .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if ((line[x] & 0xFFFFFFu) == 0) line[x] = 0;
    }
    return img;
}

// The effect in repeat: one step every kStepLength from that step's start.
class Player {
public:
    Player(QSerialPort& port, const std::array<LedPart*, 16>& parts) : port_(port), parts_(parts) {
        wake_.setSingleShot(true);
        wake_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&wake_, &QTimer::timeout, [this] { waitOrStep(); });
    }

    void step() {
        const Clock::time_point start = Clock::now();
        const int s = step_;
        step_ = (step_ + 1) % kSteps;
        int mask = 0;
        for (int i = 0; i < 8; ++i) {
            const bool lit = i == s % 8 || (s % 2 && i == 7 - s % 8);
            parts_[static_cast<size_t>(i)]->setLit(lit);
            parts_[static_cast<size_t>(i + 8)]->setLit(lit);
            if (lit) mask |= 1 << i;
        }
        port_.write("1/" + QByteArray::number(mask) + "/");
        end_ = start + std::chrono::duration_cast<Clock::duration>(kStepLength);
        waitOrStep();
    }

private:
    // A timer counts whole milliseconds: it wakes within the exact stretch of the end, and
    // a sleep takes the rest, so late wake-ups do not add up over the steps.
    void waitOrStep() {
        const Seconds left = end_ - Clock::now();
        if (left >= kExactStretch) {
            wake_.start(static_cast<int>(std::floor((left - kExactStretch).count() * 1000.0)) + 1);
            return;
        }
        std::this_thread::sleep_until(end_);
        step();
    }

    QSerialPort& port_;
    const std::array<LedPart*, 16>& parts_;
    QTimer wake_;
    Clock::time_point end_{};
    int step_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const bool effect = argc == 3 && std::strcmp(argv[1], "--effect") == 0;
    if (argc != 2 && !effect) {
        std::fprintf(stderr, "usage: yardstick [--effect] DEVICE\n");
        return 2;
    }
    const char* device = argv[argc - 1];
    QFont font(QStringLiteral("Comic Sans MS"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Yardstick"));
    auto* row = new QHBoxLayout;
    std::array<AnalogBox*, 5> boxes{};
    for (auto*& b : boxes) row->addWidget(b = new AnalogBox);
    std::array<LedPart*, 16> leds{};  // the buttons, then their labels
    const QImage dark = effect ? maskedPicture("Img AdaFruitled.bmp") : QImage();
    const QImage lit = effect ? maskedPicture("Img AdaFruitled Aan.bmp") : QImage();
    if (effect) {
        if (dark.isNull() || lit.isNull()) {
            std::fprintf(stderr, "yardstick: the LED pictures are missing from %s/Pictures\n",
                         QUORVANE_ASSETS);
            return 2;
        }
        auto* column = new QVBoxLayout(&window);
        column->addLayout(row);
        auto* grid = new QGridLayout;
        grid->setVerticalSpacing(0);
        column->addLayout(grid);
        for (int i = 0; i < 8; ++i) {
            grid->addWidget(leds[static_cast<size_t>(i)] = new LedButton(dark, lit), 0, i);
            grid->addWidget(leds[static_cast<size_t>(i + 8)] =
                                new LedLabel(QStringLiteral("D%1 - E%2").arg(i + 2).arg(i + 1)),
                            1, i);
        }
    } else {
        window.setLayout(row);
    }

    QSerialPort port(QString::fromLocal8Bit(device));
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
    poll.start(qv::kPollIntervalMs);
    Player player(port, leds);
    if (effect) QTimer::singleShot(0, [&] { player.step(); });

    window.show();
    return app.exec();
}
