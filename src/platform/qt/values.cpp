#include "platform/qt/values.h"

#include <QGuiApplication>
#include <QWidget>

namespace qv::view {

QColor toQColor(Color c) {
    const auto u = static_cast<uint32_t>(c);
    if (u & 0x80000000u) {
        const QPalette pal = QGuiApplication::palette();
        switch (u & 0xFFu) {
            case 0x05:
                return pal.color(QPalette::Base);  // window background
            case 0x08:
                return pal.color(QPalette::Text);  // window text
            case 0x10:
                return pal.color(QPalette::Dark);  // button shadow
            case 0x12:
                return pal.color(QPalette::ButtonText);  // button text
            case 0x14:
                return pal.color(QPalette::Light);  // button highlight
            default:
                return pal.color(QPalette::Button);  // button face and the rest
        }
    }
    return QColor(static_cast<int>(u & 0xFF), static_cast<int>((u >> 8) & 0xFF),
                  static_cast<int>((u >> 16) & 0xFF));
}

Color fromQColor(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

QFont toQFont(const Font& f) {
    QFont q(QString::fromStdString(f.Name));
    q.setPointSizeF(f.Size > 0 ? f.Size : 8.25);
    q.setBold(f.Bold);
    q.setItalic(f.Italic);
    return q;
}

void setColors(QWidget* w, QPalette::ColorRole backRole, Color back, QPalette::ColorRole foreRole,
               Color fore) {
    QPalette pal = w->palette();
    pal.setColor(backRole, toQColor(back));
    pal.setColor(foreRole, toQColor(fore));
    w->setPalette(pal);
}

}  // namespace qv::view
