// Where a form's window first appears on the screen, and the outer geometry the form is
// told whenever the window moves or changes size.
#pragma once

#include <QSize>

#include "platform/qt/twips.h"

class QWidget;

namespace qv {

class Form;

class WindowPlacement {
public:
    bool placed() const { return placed_; }
    // First show: maximised over the screen's available area, or the form's client size
    // in the middle of it.
    void place(Form& f, QWidget& win, const Twips& twips);
    // The form's Left, Top, Width and Height follow the window.
    void follow(Form& f, const QWidget& win, const Twips& twips);

private:
    bool placed_ = false;
    // Outer size reported to the form: the client size plus a frame allowance. The
    // allowance is what the program declared before the first show (its outer size less
    // the design client size), else none: the layout the program records before the show
    // is then the one the first resize event reports, whatever frame the window manager
    // draws, and later sizes scale from it exactly.
    double frameW_ = 0, frameH_ = 0;
    double clientTw_ = 0, clientTh_ = 0;
    QSize clientPx_;
};

}  // namespace qv
