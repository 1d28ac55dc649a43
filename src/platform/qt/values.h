// The window objects' texts, colour numbers and fonts as Qt takes them.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <string>

#include "platform/controls.h"

class QWidget;

namespace qv::view {

inline QString qs(const std::string& s) { return QString::fromStdString(s); }

// A colour number 0x00BBGGRR, or a system colour (high bit set) taken from the palette.
// The top byte of an ordinary colour number is ignored.
QColor toQColor(Color c);
// The colour number of a colour Qt gives back (a chosen one, never a system colour).
Color fromQColor(const QColor& c);
QFont toQFont(const Font& f);

// A standard widget drawn in the object's colours.
void setColors(QWidget* w, QPalette::ColorRole backRole, Color back, QPalette::ColorRole foreRole,
               Color fore);

}  // namespace qv::view
