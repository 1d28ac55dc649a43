// The graphical buttons' faces, and the faces drawn over a plain colour, shared by all of
// them.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QSize>

class QPainter;

namespace qv::view {

// The button's face: the rounded outline filled in the face colour, and when pressed the
// inner shadow, antialiased over what the painter holds beneath.
void drawButtonFace(QPainter& p, const QRect& rect, const QColor& face, const QColor& outlineColor,
                    bool sunken);

// The face drawn over `under`, from a few kept for all buttons: antialiasing the rounded
// outline is the dearest part of a button's paint, and the LED buttons repaint with every
// step of an effect in the same few looks.
const QImage& faceOver(const QColor& under, const QSize& size, qreal dpr, const QColor& face,
                       const QColor& outlineColor, bool sunken);

}  // namespace qv::view
