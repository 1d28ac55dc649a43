// Twips, the window objects' unit of length, and this screen's pixels: 15 twips a pixel
// at 96 dots per inch, times the screen's scale.
#pragma once

#include <QRect>
#include <QSize>
#include <QtGlobal>
#include <algorithm>

namespace qv {

class Twips {
public:
    // The primary screen's scale (1 at 96 dots per inch, and where no screen says).
    static Twips ofPrimaryScreen();
    explicit Twips(double scale) : scale_(scale) {}

    // Screen pixels per pixel at 96 dots per inch, for pictures and printed text.
    double scale() const { return scale_; }
    double pixelsPerTwip() const { return scale_ / 15.0; }

    int toPixels(double twips) const { return qRound(twips * scale_ / 15.0); }
    double fromPixels(int pixels) const { return pixels * 15 / scale_; }
    QSize toPixels(double width, double height) const { return {toPixels(width), toPixels(height)}; }
    // A control's place in its container; a negative width or height is none.
    QRect toPixels(double left, double top, double width, double height) const {
        return {toPixels(left), toPixels(top), std::max(0, toPixels(width)), std::max(0, toPixels(height))};
    }

private:
    double scale_;
};

}  // namespace qv
