// What assistive technology is told of the painted widgets.
#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;

namespace qv::view {

// Gives labels the static-text role, option buttons the radio-button role, switches
// their on state and shapes the area they paint; every other widget is left to Qt.
// Installed once by the binder.
QAccessibleInterface* accessibleInterface(const QString& className, QObject* object);

}  // namespace qv::view
