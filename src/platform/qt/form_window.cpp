#include "platform/qt/form_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>

namespace qv::view {

void FormWindow::detach() {
    onActivate = nullptr;
    onCloseRequest = nullptr;
    onGeometry = nullptr;
    onKey = nullptr;
}

bool FormWindow::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && onActivate) onActivate();
    return QWidget::event(e);
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // The form's owner decides what closing means; the window stays until it says.
    e->ignore();
    if (takesInput && onCloseRequest) onCloseRequest();
}

void FormWindow::keyPressEvent(QKeyEvent* e) {
    // Keys that no control took: character keys as their character code, Esc as 27.
    const QString t = e->text();
    if (t.size() == 1 && t[0].unicode() < 256 && onKey) {
        onKey(t[0].unicode());
        return;
    }
    QWidget::keyPressEvent(e);
}

void FormWindow::resizeEvent(QResizeEvent*) {
    if (onGeometry) onGeometry(true);
}

void FormWindow::moveEvent(QMoveEvent*) {
    if (onGeometry) onGeometry(false);
}

void FormWindow::paintEvent(QPaintEvent*) { QPainter(this).fillRect(rect(), back); }

bool InputGate::eventFilter(QObject* o, QEvent* e) {
    switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::ContextMenu:
        case QEvent::HoverEnter:
        case QEvent::HoverMove:
            break;
        default:
            return false;
    }
    if (!o->isWidgetType()) return false;
    const auto* win = dynamic_cast<const FormWindow*>(static_cast<QWidget*>(o)->window());
    return win && !win->takesInput;
}

}  // namespace qv::view
