// Text for the painted labels, shaped as seldom as possible: the analog values and the
// LED captions repaint many times a second, and shaping is the dearest part of a label's
// paint. Draws to the pixels the painter's own text drawing gives.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <QTextLayout>
#include <memory>

class QPainter;

namespace qv::view {

// A one-line text laid out, kept while text, font, direction and resolution stay the
// same: a label that only changes colour (an LED output's, many times a second while an
// effect plays) is not shaped again.
class ShapedLine {
public:
    QTextLine get(const QString& text, const QPainter& p);

private:
    QString text_;
    QFont font_;
    Qt::LayoutDirection direction_ = Qt::LeftToRight;
    int dpiX_ = 0, dpiY_ = 0;
    std::unique_ptr<QTextLayout> layout_;
    QTextLine line_;
};

// Draws `text` in `r`: centred vertically when it fits the box, else from the top,
// wrapped at words. A one-line text is shaped once in `shaped`, and a text of printable
// ASCII is put together from glyphs shaped once per font for every label.
void drawBoxText(QPainter& p, const QRect& r, Qt::Alignment h, const QString& text, ShapedLine& shaped);

}  // namespace qv::view
