// The top-level widget of a form, and the gate that holds back the user's input to a
// disabled form.
#pragma once

#include <QColor>
#include <QObject>
#include <QWidget>
#include <functional>

namespace qv::view {

// Forwards what the window manager and the keyboard tell the window; the binder decides
// what that means for the form.
class FormWindow : public QWidget {
public:
    FormWindow() : QWidget(nullptr) {}
    QColor back;
    // A disabled form takes no clicks, keys or close requests but keeps its look: its
    // controls are not greyed, only their own Enabled greys them.
    bool takesInput = true;
    std::function<void()> onActivate;
    std::function<void()> onCloseRequest;
    std::function<void(bool resized)> onGeometry;
    std::function<void(int code)> onKey;

    void detach();

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void paintEvent(QPaintEvent*) override;
};

// Holds back the user's input to every window of a disabled form. Disabling the Qt
// window instead would grey each control in it, which the form's own look never does.
// Installed once on the application.
class InputGate : public QObject {
protected:
    bool eventFilter(QObject* o, QEvent* e) override;
};

}  // namespace qv::view
