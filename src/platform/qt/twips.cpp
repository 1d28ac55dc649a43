#include "platform/qt/twips.h"

#include <QGuiApplication>
#include <QScreen>

namespace qv {

Twips Twips::ofPrimaryScreen() {
    double scale = 1;
    if (const QScreen* s = QGuiApplication::primaryScreen()) scale = s->logicalDotsPerInch() / 96.0;
    if (scale <= 0) scale = 1;
    return Twips(scale);
}

}  // namespace qv
