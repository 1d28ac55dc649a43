#include "platform/qt/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/controls.h"

namespace qv {

void WindowPlacement::place(Form& f, QWidget& win, const Twips& twips) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect avail = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    placed_ = true;
    if (f.Maximized) {
        // Set the full size as well: without a window manager nothing maximises.
        win.setGeometry(avail);
        clientPx_ = avail.size();
        clientTw_ = twips.fromPixels(avail.width());
        clientTh_ = twips.fromPixels(avail.height());
        win.showMaximized();
        return;
    }
    const QSize client = twips.toPixels(f.ClientWidth, f.ClientHeight);
    clientPx_ = client;
    clientTw_ = f.ClientWidth;
    clientTh_ = f.ClientHeight;
    if (f.Width > 0 && f.Height > 0) {
        frameW_ = f.Width - f.ClientWidth;
        frameH_ = f.Height - f.ClientHeight;
    }
    if (f.Border == FormBorder::FixedDialog)
        win.setFixedSize(client);
    else
        win.resize(client);
    win.move(avail.center() - QPoint(client.width() / 2, client.height() / 2));
    win.show();
}

void WindowPlacement::follow(Form& f, const QWidget& win, const Twips& twips) {
    const QSize size = win.size();
    if (size != clientPx_) {
        clientPx_ = size;
        clientTw_ = twips.fromPixels(size.width());
        clientTh_ = twips.fromPixels(size.height());
    }
    const QRect outer = win.frameGeometry();
    f.Left = twips.fromPixels(outer.x());
    f.Top = twips.fromPixels(outer.y());
    f.Width = clientTw_ + frameW_;
    f.Height = clientTh_ + frameH_;
}

}  // namespace qv
