#include "platform/qt/button_faces.h"

#include <QPainter>
#include <QPainterPath>
#include <vector>

namespace qv::view {

void drawButtonFace(QPainter& p, const QRect& rect, const QColor& face, const QColor& outlineColor,
                    bool sunken) {
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outline = QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(outlineColor);
    p.setBrush(face);
    p.drawRoundedRect(outline, 3, 3);
    if (sunken) {
        // An inner shadow along the top and left edges makes the pressed state read at a glance.
        p.setPen(QPen(face.darker(125), 1.5));
        QPainterPath shade;
        shade.moveTo(outline.left() + 2, outline.bottom() - 2);
        shade.lineTo(outline.left() + 2, outline.top() + 2);
        shade.lineTo(outline.right() - 2, outline.top() + 2);
        p.drawPath(shade);
    }
    p.setRenderHint(QPainter::Antialiasing, false);
}

const QImage& faceOver(const QColor& under, const QSize& size, qreal dpr, const QColor& face,
                       const QColor& outlineColor, bool sunken) {
    struct Entry {
        QRgb under, face, outline;
        QSize size;
        qreal dpr;
        bool sunken;
        QImage image;
    };
    static std::vector<Entry> faces;
    for (const Entry& e : faces)
        if (e.under == under.rgba() && e.face == face.rgba() && e.outline == outlineColor.rgba() &&
            e.size == size && e.dpr == dpr && e.sunken == sunken)
            return e.image;
    if (faces.size() >= 4) faces.erase(faces.begin());
    QImage image((QSizeF(size) * dpr).toSize(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(under);
    QPainter p(&image);
    drawButtonFace(p, QRect(QPoint(0, 0), size), face, outlineColor, sunken);
    p.end();
    faces.push_back({under.rgba(), face.rgba(), outlineColor.rgba(), size, dpr, sunken, image});
    return faces.back().image;
}

}  // namespace qv::view
