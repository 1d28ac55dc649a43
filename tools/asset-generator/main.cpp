// Draws the program's pictures and synthesises its sounds and sample effects, so that
// everything in assets/ can be made again from source:
//   asset-generator <assets folder>
// Pictures/  the BMP files the program shows by name
// design/    the pictures built into the windows (BMP: no decoding cost at start-up;
//            the window icon PNG), compiled into the program
// Sounds/    short WAV files, named without extension
// Effects/   sample LED effect files
#include <QBrush>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

QString root;

QImage canvas(int w, int h, QColor fill) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

void save(const QImage& img, const QString& rel) {
    const QString path = root + "/" + rel;
    QDir().mkpath(QFileInfo(path).path());
    const char* fmt = rel.endsWith(".png") ? "PNG" : "BMP";
    if (!img.convertToFormat(QImage::Format_RGB888).save(path, fmt))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

// --- LEDs (96 x 99; black is the button's mask colour: the background shows there) ---

// A square RGB LED package: white body, a round black window where the button's
// background colour (the LED colour when lit) shows through.
QImage adafruitLed(bool lit) {
    QImage img = canvas(96, 99, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(90, 90, 90), 2));
    p.setBrush(QColor(235, 235, 235));
    p.drawRoundedRect(14, 15, 68, 68, 6, 6);
    p.setBrush(QColor(200, 200, 200));
    for (int i = 0; i < 3; ++i) {
        p.drawRect(4, 24 + i * 20, 10, 8);
        p.drawRect(82, 24 + i * 20, 10, 8);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(QPointF(48, 49), 24, 24);
    if (lit) {
        p.setBrush(QColor(255, 255, 255));
        p.drawEllipse(QPointF(40, 41), 5, 5);
    } else {
        p.setPen(QPen(QColor(150, 150, 150), 2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(48, 49), 24, 24);
    }
    return img;
}

// A round through-hole LED of the given colour.
QImage roundLed(QColor colour, bool lit) {
    QImage img = canvas(96, 99, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    if (lit) {
        QRadialGradient glow(QPointF(48, 40), 46);
        glow.setColorAt(0, colour.lighter(170));
        glow.setColorAt(0.5, colour);
        glow.setColorAt(1, QColor(1, 1, 1));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(QPointF(48, 40), 46, 38);
    }
    QColor body = lit ? colour.lighter(130) : colour.darker(260);
    QLinearGradient g(20, 10, 76, 70);
    g.setColorAt(0, body.lighter(150));
    g.setColorAt(1, body);
    p.setPen(QPen(lit ? colour.lighter(180) : QColor(110, 110, 110), 2));
    p.setBrush(g);
    QPainterPath dome;
    dome.moveTo(26, 70);
    dome.lineTo(26, 36);
    dome.arcTo(26, 14, 44, 44, 180, -180);
    dome.lineTo(70, 70);
    dome.closeSubpath();
    p.drawPath(dome);
    p.setBrush(body.darker(120));
    p.drawRect(22, 68, 52, 8);
    p.setPen(QPen(QColor(190, 190, 190), 3));
    p.drawLine(38, 77, 38, 97);
    p.drawLine(58, 77, 58, 94);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, lit ? 230 : 90));
    p.drawEllipse(QPointF(38, 32), 5, 9);
    return img;
}

// A white power LED with a square lens (the LumiLeds style).
QImage lumiLed(bool lit) {
    QImage img = canvas(96, 99, Qt::black);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 120, 120), 2));
    p.setBrush(QColor(60, 60, 70));
    QPolygonF star;
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        const double r = (i % 2) ? 36 : 44;
        star << QPointF(48 + r * std::cos(a), 50 + r * std::sin(a));
    }
    p.drawPolygon(star);
    QRadialGradient lens(QPointF(48, 50), 20);
    if (lit) {
        lens.setColorAt(0, Qt::white);
        lens.setColorAt(0.6, QColor(255, 250, 200));
        lens.setColorAt(1, QColor(255, 220, 120));
    } else {
        lens.setColorAt(0, QColor(210, 210, 190));
        lens.setColorAt(1, QColor(140, 140, 120));
    }
    p.setBrush(lens);
    p.drawEllipse(QPointF(48, 50), 20, 20);
    return img;
}

// --- input pictures ------------------------------------------------------------------

QImage tactSwitch(bool pressed) {
    QImage img = canvas(120, 135, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(200, 200, 205));
    p.drawRect(15, 30, 90, 90);
    p.setBrush(QColor(40, 40, 45));
    for (int x : {5, 105}) {
        p.drawRect(x, 40, 10, 8);
        p.drawRect(x, 102, 10, 8);
    }
    QRadialGradient cap(QPointF(58, 72), 32);
    cap.setColorAt(0, pressed ? QColor(120, 220, 120) : QColor(90, 90, 95));
    cap.setColorAt(1, pressed ? QColor(30, 140, 30) : QColor(20, 20, 25));
    p.setBrush(cap);
    p.drawEllipse(QPointF(60, 75), pressed ? 24 : 28, pressed ? 24 : 28);
    p.setPen(QColor(60, 60, 60));
    p.setFont(QFont("DejaVu Sans", 9, QFont::Bold));
    p.drawText(QRect(0, 4, 120, 20), Qt::AlignCenter, pressed ? "ON" : "OFF");
    return img;
}

QImage trimmer(bool flipped) {
    QImage img = canvas(120, 135, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(30, 60, 120), 2));
    p.setBrush(QColor(40, 90, 200));
    p.drawRect(18, 25, 84, 84);
    p.setBrush(QColor(245, 245, 240));
    p.drawEllipse(QPointF(60, 67), 30, 30);
    p.setPen(QPen(QColor(40, 40, 40), 7, Qt::SolidLine, Qt::RoundCap));
    const double a = flipped ? M_PI / 4 : 3 * M_PI / 4;
    p.drawLine(QPointF(60 - 22 * std::cos(a), 67 - 22 * std::sin(a)),
               QPointF(60 + 22 * std::cos(a), 67 + 22 * std::sin(a)));
    p.setPen(QPen(QColor(170, 170, 170), 3));
    for (int x : {35, 60, 85}) p.drawLine(x, 110, x, 130);
    if (flipped) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(40, 200, 40));
        p.drawEllipse(QPointF(100, 14), 8, 8);
    }
    return img;
}

// --- boards -------------------------------------------------------------------------------

void pins(QPainter& p, int x0, int y, int n, int step) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < n; ++i) {
        p.setBrush(QColor(25, 25, 25));
        p.drawRect(x0 + i * step - 4, y - 4, 8, 8);
        p.setBrush(QColor(230, 190, 60));
        p.drawEllipse(QPointF(x0 + i * step, y), 2.5, 2.5);
    }
}

QImage nanoBoard(int w, int h, const QString& label, QColor pcb) {
    QImage img = canvas(w, h, QColor(225, 198, 179).rgb());
    img.fill(QColor(0xB3, 0xC6, 0xE1));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const double s = w / 288.0;
    p.scale(s, s);
    p.setPen(QPen(pcb.darker(150), 2));
    p.setBrush(pcb);
    p.drawRoundedRect(14, 40, 260, 100, 6, 6);
    pins(p, 36, 50, 15, 15);
    pins(p, 36, 130, 15, 15);
    p.setBrush(QColor(190, 190, 195));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    p.drawRect(0, 72, 34, 36);  // USB socket
    p.setBrush(QColor(30, 30, 35));
    p.drawRect(120, 70, 42, 42);  // controller
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(200, 80, 24, 20);  // reset button
    p.setPen(Qt::white);
    p.setFont(QFont("DejaVu Sans", 11, QFont::Bold));
    p.drawText(QRect(40, 112, 200, 18), Qt::AlignCenter, label);
    return img;
}

QImage boardWith(const QString& title, const std::function<void(QPainter&)>& extra) {
    QImage img = canvas(288, 180, QColor(0xB3, 0xC6, 0xE1));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(0, -20, nanoBoard(288, 180, "Arduino Nano", QColor(0, 110, 170)));
    extra(p);
    p.setPen(QColor(64, 0, 0));
    p.setFont(QFont("DejaVu Sans", 10, QFont::Bold));
    p.drawText(QRect(0, 155, 288, 22), Qt::AlignCenter, title);
    return img;
}

QImage tm1638(const QString& version) {
    QImage img = canvas(288, 180, QColor(0xB3, 0xC6, 0xE1));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(20, 60, 20), 2));
    p.setBrush(QColor(30, 110, 50));
    p.drawRoundedRect(6, 16, 276, 140, 6, 6);
    p.setBrush(QColor(15, 15, 15));
    p.drawRect(24, 48, 240, 40);
    p.setPen(QColor(255, 60, 40));
    p.setFont(QFont("DejaVu Sans Mono", 20, QFont::Bold));
    p.drawText(QRect(24, 48, 240, 40), Qt::AlignCenter, "ARDUINO");
    for (int i = 0; i < 8; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 30, 30));
        p.drawEllipse(QPointF(36 + i * 31, 32), 5, 5);
        p.setBrush(QColor(235, 235, 235));
        p.drawRect(28 + i * 31, 104, 16, 16);
        p.setBrush(QColor(20, 20, 20));
        p.drawEllipse(QPointF(36 + i * 31, 112), 5, 5);
    }
    p.setPen(QColor(64, 0, 0));
    p.setFont(QFont("DejaVu Sans", 10, QFont::Bold));
    p.drawText(QRect(0, 156, 288, 22), Qt::AlignCenter, "TM1638 module " + version);
    return img;
}

// --- buttons and icons -----------------------------------------------------------------------

QImage plug(bool connected) {
    QImage img = canvas(80, 64, QColor(0xB3, 0xC6, 0xE1));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 5));
    p.drawLine(0, 32, 20, 32);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(90, 140, 220));
    p.drawRoundedRect(18, 20, 22, 24, 3, 3);
    if (connected) {
        p.setBrush(QColor(200, 200, 205));
        p.drawRect(40, 24, 14, 16);
        p.setBrush(QColor(60, 170, 60));
        p.drawRoundedRect(54, 14, 24, 36, 3, 3);
    } else {
        p.setBrush(QColor(200, 200, 205));
        p.drawRect(40, 24, 8, 16);
        p.setBrush(QColor(200, 60, 60));
        p.drawRoundedRect(60, 14, 18, 36, 3, 3);
        p.setPen(QPen(QColor(200, 30, 30), 3));
        p.drawLine(50, 12, 58, 52);
    }
    return img;
}

QImage speaker(bool on) {
    QImage img = canvas(64, 48, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.setBrush(QColor(60, 60, 70));
    QPolygonF cone;
    cone << QPointF(10, 18) << QPointF(20, 18) << QPointF(32, 8) << QPointF(32, 40) << QPointF(20, 30)
         << QPointF(10, 30);
    p.drawPolygon(cone);
    p.setBrush(Qt::NoBrush);
    if (on) {
        p.setPen(QPen(QColor(30, 120, 30), 3));
        p.drawArc(QRectF(26, 14, 16, 20), -60 * 16, 120 * 16);
        p.drawArc(QRectF(26, 8, 26, 32), -60 * 16, 120 * 16);
    } else {
        p.setPen(QPen(QColor(200, 30, 30), 4));
        p.drawLine(38, 16, 54, 32);
        p.drawLine(54, 16, 38, 32);
    }
    return img;
}

QImage info() {
    QImage img = canvas(156, 89, QColor(0x00, 0x00, 0x40));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0xC0, 0xC0, 0xFF), 3));
    p.setBrush(QColor(30, 60, 160));
    p.drawEllipse(QPointF(78, 44), 34, 34);
    p.setPen(Qt::white);
    p.setFont(QFont("DejaVu Serif", 36, QFont::Bold));
    p.drawText(QRect(44, 10, 68, 68), Qt::AlignCenter, "i");
    return img;
}

QImage pcbPhoto() {
    QImage img = canvas(1200, 800, QColor(18, 60, 34));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 1200, 800);
    g.setColorAt(0, QColor(24, 90, 50));
    g.setColorAt(1, QColor(10, 50, 28));
    p.fillRect(img.rect(), g);
    p.setPen(QPen(QColor(200, 170, 90, 120), 3));
    for (int i = 0; i < 40; ++i) p.drawLine(60 + i * 27, 80, 60 + i * 27 + (i % 5) * 20, 720);
    p.drawImage(QRect(380, 250, 440, 275), nanoBoard(288, 180, "Arduino Nano", QColor(0, 110, 170)));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 8; ++i) {
        p.setBrush(QColor(240, 240, 240));
        p.drawRect(120 + i * 125, 90, 60, 60);
        p.setBrush(QColor(10, 10, 10));
        p.drawEllipse(QPointF(150 + i * 125, 120), 18, 18);
        p.setBrush(QColor(40, 90, 200));
        p.drawRect(120 + i * 125, 620, 60, 60);
        p.setBrush(QColor(245, 245, 240));
        p.drawEllipse(QPointF(150 + i * 125, 650), 20, 20);
    }
    p.setPen(QColor(230, 230, 230));
    p.setFont(QFont("DejaVu Sans", 28, QFont::Bold));
    p.drawText(QRect(0, 540, 1200, 60), Qt::AlignCenter, "Arduino Nano interface board");
    return img;
}

// --- sounds -------------------------------------------------------------------------------------

void wav(const QString& rel, const std::vector<std::pair<double, double>>& notes, double gain = 0.35) {
    const int rate = 22050;
    std::vector<int16_t> samples;
    for (auto [freq, seconds] : notes) {
        const int n = static_cast<int>(rate * seconds);
        for (int i = 0; i < n; ++i) {
            const double env = std::min(1.0, std::min(i, n - i) / (rate * 0.005));
            const double v = freq > 0 ? std::sin(2 * M_PI * freq * i / rate) * gain * env : 0;
            samples.push_back(static_cast<int16_t>(v * 32767));
        }
    }
    QByteArray b;
    auto u32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i) b.append(char((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&](uint16_t v) {
        b.append(char(v & 0xFF));
        b.append(char(v >> 8));
    };
    const uint32_t data = static_cast<uint32_t>(samples.size() * 2);
    b.append("RIFF");
    u32(36 + data);
    b.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    b.append("data");
    u32(data);
    for (int16_t s : samples) u16(static_cast<uint16_t>(s));
    QFile f(root + "/" + rel);
    QDir().mkpath(QFileInfo(f).path());
    if (f.open(QIODevice::WriteOnly)) f.write(b);
}

void text(const QString& rel, const QByteArray& content) {
    QFile f(root + "/" + rel);
    QDir().mkpath(QFileInfo(f).path());
    if (f.open(QIODevice::WriteOnly)) f.write(content);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: asset-generator <assets folder>\n");
        return 2;
    }
    root = QString::fromLocal8Bit(argv[1]);

    const QColor red(235, 30, 30), green(40, 210, 60);
    save(adafruitLed(false), "Pictures/Img AdaFruitled.bmp");
    save(adafruitLed(true), "Pictures/Img AdaFruitled Aan.bmp");
    save(lumiLed(false), "Pictures/Img Lumiled.bmp");
    save(lumiLed(true), "Pictures/Img Lumiled Aan.bmp");
    save(roundLed(red, false), "Pictures/Img Led.bmp");
    save(roundLed(red, true), "Pictures/Img Led Aan.bmp");
    save(roundLed(green, false), "Pictures/Img Led Groen.bmp");
    save(roundLed(green, true), "Pictures/Img Led Aan Groen.bmp");
    save(tactSwitch(false), "Pictures/Img TactSchakelaar.bmp");
    save(tactSwitch(true), "Pictures/Img TactSchakelaar Aan.bmp");
    save(trimmer(false), "Pictures/Img Trimmer.bmp");
    save(trimmer(true), "Pictures/Img Trimmer Flip.bmp");
    save(plug(true), "Pictures/Img Verbonden.bmp");
    save(plug(false), "Pictures/Img Verbroken.bmp");
    save(boardWith("Arduino Nano interface", [](QPainter&) {}), "Pictures/Img Arduino Nano Small.bmp");
    save(boardWith("AdaFruit LED sketch",
                   [](QPainter& p) {
                       for (int i = 0; i < 8; ++i) {
                           p.setPen(Qt::NoPen);
                           p.setBrush(QColor(250, 250, 250));
                           p.drawRect(24 + i * 32, 2, 22, 22);
                           p.setBrush(QColor(255, 40, 40));
                           p.drawEllipse(QPointF(35 + i * 32, 13), 6, 6);
                       }
                   }),
         "Pictures/Img Arduino Adafruit.bmp");
    save(tm1638("V1.1"), "Pictures/Img tm1638-1.bmp");
    save(tm1638("V1.3"), "Pictures/Img tm1638-3.bmp");

    save(adafruitLed(false), "design/led.bmp");
    save(trimmer(false), "design/trimmer.bmp");
    save(info(), "design/info.bmp");
    save(nanoBoard(96, 60, "Nano", QColor(0, 110, 170)), "design/findcom.bmp");
    save(plug(false), "design/connect.bmp");
    save(speaker(true), "design/sound_on.bmp");
    save(speaker(false), "design/sound_off.bmp");
    {
        // The search window's top view: 230 x 103 pixels, the box shows it whole.
        QImage top = nanoBoard(230, 144, "Arduino Nano", QColor(0, 110, 170)).copy(0, 20, 230, 103);
        save(top, "design/arduino_top.bmp");
    }
    save(pcbPhoto(), "design/pcb.png");
    save(roundLed(QColor(255, 160, 40), true).scaled(64, 64), "design/icon.png");

    wav("Sounds/SndStart", {{523, 0.12}, {659, 0.12}, {784, 0.2}});
    wav("Sounds/SndSwitch01", {{1200, 0.05}});
    wav("Sounds/SndSwitch02", {{700, 0.05}});
    for (int i = 1; i <= 8; ++i)
        wav(QString("Sounds/SndBtn0%1").arg(i), {{440.0 * std::pow(2.0, (i - 1) / 12.0 * 2), 0.08}});

    text("Effects/Chase.led",
         "550\r\n+-------\r\n-+------\r\n--+-----\r\n---+----\r\n----+---\r\n-----+--\r\n------+-\r\n-------+"
         "\r\n");
    text("Effects/Blink.led", "1100\r\n++++++++\r\n--------\r\n");
    text("Effects/Bounce.led",
         "275\r\n+-------\r\n-+------\r\n--+-----\r\n---+----\r\n----+---\r\n-----+--\r\n------+-\r\n-------+"
         "\r\n"
         "------+-\r\n-----+--\r\n----+---\r\n---+----\r\n--+-----\r\n-+------\r\n");
    text("ino/README.txt",
         "The board's sketches belong in this folder.\r\n"
         "A sketch the panel can drive answers \"90/\" with AT (LED strip), ET (LumiLeds) or TM (TM1638),\r\n"
         "\"5/\" with an analog report A<channel><value> and \"7/\" with DI<key mask>.\r\n");
    return 0;
}
