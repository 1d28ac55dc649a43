// The painted widgets the binder puts in place of the window objects' own controls:
// labels, frames, picture boxes, images, shapes, graphical buttons and the tab control.
//
// Each holds its look as plain values that the binder sets, and paints from them alone,
// so a widget never reaches back into a window object (which may be gone after an
// unload while the widget still waits for its disposal).
#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QImage>
#include <QTabBar>
#include <QWidget>
#include <functional>
#include <vector>

#include "platform/controls.h"
#include "platform/qt/shaped_text.h"

namespace qv::view {

// Pictures scaled to the size they are shown at, kept while picture and size stay the
// same: smooth scaling is the dearest part of a repaint, and the input pictures and LED
// buttons switch between the same two pictures again and again.
class FittedImages {
public:
    const QImage& get(const QImage& picture, const QSize& size);

private:
    struct Entry {
        qint64 key;
        QImage image;
    };
    std::vector<Entry> entries_;
};

// Reports a left click: press and release inside the widget.
class ClickArea : public QWidget {
public:
    explicit ClickArea(QWidget* parent) : QWidget(parent) {}
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool pressed_ = false;
};

// Read out as static text: a caption or a status cell, not an empty area.
class LabelWidget : public ClickArea {
    Q_OBJECT
public:
    using ClickArea::ClickArea;
    QString text;
    QColor back, fore;
    Align align = Align::Left;
    bool border = false;
    bool transparent = false;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    ShapedLine shaped_;
};

class FrameWidget : public QWidget {
public:
    explicit FrameWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }
    QString caption;
    QColor back, fore;
    bool border = true;

protected:
    void paintEvent(QPaintEvent*) override;
};

struct PrintedLine {
    QString text;
    QColor color;
    int x, y;
    QFont font;
};

// A picture box: its picture unscaled at the top left, cut at the box's edge, and text
// printed on it at pixel positions.
class PictureWidget : public ClickArea {
public:
    explicit PictureWidget(QWidget* parent) : ClickArea(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }
    QColor back;
    bool border = false;
    QImage picture;
    std::vector<PrintedLine> printed;
    double scale = 1;

protected:
    void paintEvent(QPaintEvent*) override;
};

class ImageWidget : public ClickArea {
public:
    using ClickArea::ClickArea;
    QImage picture;
    bool stretch = true;
    double scale = 1;
    // The picture covers every pixel; it is then drawn opaque while the control is
    // enabled (a disabled one is drawn faded over what lies beneath).
    void setCoversAll(bool covers);

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;

private:
    void updateOpaque();

    FittedImages fitted_;
    bool coversAll_ = false;
};

// A shape drawn in `area`, its rectangle inside the widget; the widget itself may be larger.
class ShapeWidget : public QWidget {
    Q_OBJECT
public:
    explicit ShapeWidget(QWidget* parent);
    QColor fill, line;
    bool solid = true;
    bool border = true;
    QRect area;

protected:
    void paintEvent(QPaintEvent*) override;
};

// A button drawn in its own background colour with a picture above its caption; a
// latched button (a set check box or a selected option button) stays pressed.
class GraphicButton : public QAbstractButton {
    Q_OBJECT
public:
    // What the button is to assistive technology. Fixed at construction: the accessible
    // interface is made at the widget's first accessibility event and kept.
    enum class Meaning {
        Plain,   // as Qt tells any button: a push button, or a check box when checkable
        Option,  // one option of a group, selected while checked
        Switch,  // switches something on and off (an LED output); its look does not latch
    };
    GraphicButton(QWidget* parent, Meaning meaning);
    const Meaning meaning;
    QColor back, fore;
    QImage picture;
    double scale = 1;
    // Whether what a Switch switches is on; a change is announced.
    bool on() const { return on_; }
    void setOn(bool on);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor backdrop() const;

    FittedImages fitted_;
    bool on_ = false;
};

// An editable list that says when it is losing the focus: Qt then takes typed text that
// names an entry as that entry's activation.
class ComboWidget : public QComboBox {
public:
    using QComboBox::QComboBox;
    bool leaving = false;

protected:
    void focusOutEvent(QFocusEvent* e) override {
        leaving = true;
        QComboBox::focusOutEvent(e);
        leaving = false;
    }
};

// All tabs in one row of equal width, as high as the tab control says.
class TabRow : public QTabBar {
public:
    using QTabBar::QTabBar;
    int rowHeight = 35;

protected:
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};

// The tab control: the row of tabs over a page frame; the pages' controls are children
// of this widget, placed relative to its top left corner.
class TabWidget : public QWidget {
public:
    explicit TabWidget(QWidget* parent);
    TabRow* row;
    QColor back;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
};

}  // namespace qv::view
