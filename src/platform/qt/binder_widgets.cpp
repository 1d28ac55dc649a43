#include "platform/qt/binder_widgets.h"

#include <qdrawutil.h>

#include <QAccessible>
#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <vector>

#include "platform/qt/button_faces.h"

namespace qv::view {

void ClickArea::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && onClick) {
        pressed_ = true;
        e->accept();
        return;
    }
    QWidget::mousePressEvent(e);
}

void ClickArea::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton && pressed_) {
        pressed_ = false;
        e->accept();
        if (rect().contains(e->position().toPoint()) && onClick) onClick();
        return;
    }
    QWidget::mouseReleaseEvent(e);
}

namespace {

Qt::Alignment horizontal(Align a) {
    switch (a) {
        case Align::Center:
            return Qt::AlignHCenter;
        case Align::Right:
            return Qt::AlignRight;
        default:
            return Qt::AlignLeft;
    }
}

// The sunken two-pixel border of a bordered label or picture box, drawn as filled
// one-pixel strips: the same look as the style's panel, at a fraction of its cost.
void drawSunkenPanel(QPainter& p, const QRect& r, const QPalette& pal) {
    if (r.width() < 4 || r.height() < 4) return;
    const int x = r.x(), y = r.y(), w = r.width(), h = r.height();
    const QColor outerDark = pal.color(QPalette::Dark), outerLight = pal.color(QPalette::Light);
    const QColor innerDark = pal.color(QPalette::Shadow), innerLight = pal.color(QPalette::Midlight);
    p.fillRect(x, y, w - 1, 1, outerDark);
    p.fillRect(x, y, 1, h - 1, outerDark);
    p.fillRect(x, y + h - 1, w, 1, outerLight);
    p.fillRect(x + w - 1, y, 1, h, outerLight);
    p.fillRect(x + 1, y + 1, w - 3, 1, innerDark);
    p.fillRect(x + 1, y + 1, 1, h - 3, innerDark);
    p.fillRect(x + 1, y + h - 2, w - 2, 1, innerLight);
    p.fillRect(x + w - 2, y + 1, 1, h - 2, innerLight);
}

QColor textColor(const QWidget& w, const QColor& c) {
    return w.isEnabled() ? c : w.palette().color(QPalette::Disabled, QPalette::WindowText);
}

// Fitted copies of pictures a widget no longer shows are kept up to this much.
constexpr qsizetype kSpareFittedBytes = 128 * 1024;

void drawPicture(QPainter& p, const QImage& img, QPoint at, double scale) {
    if (img.isNull()) return;
    if (scale == 1.0) {
        p.drawImage(at, img);
    } else {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(at, (QSizeF(img.size()) * scale).toSize()), img);
    }
}

}  // namespace

const QImage& FittedImages::get(const QImage& picture, const QSize& size) {
    // An image whose alpha is not premultiplied would be converted on every paint (the LED
    // buttons', many times a second while an effect plays): such a one is kept converted,
    // as the painter would convert it, also at its own size.
    if (size.isEmpty() || (picture.size() == size && picture.format() != QImage::Format_ARGB32))
        return picture;
    const qint64 key = picture.cacheKey();
    for (const Entry& e : entries_)
        if (e.key == key && e.image.size() == size) return e.image;
    // Copies of other pictures are kept for a widget that switches back and forth, but
    // not a large one left from a picture of before: the newest up to a small total.
    qsizetype others = 0;
    for (auto e = entries_.end(); e != entries_.begin();) {
        --e;
        others += e->image.sizeInBytes();
        if (others > kSpareFittedBytes) e = entries_.erase(e);
    }
    // Rows of like controls show the same pictures at the same size: they share one scaled
    // copy. The shared list keeps a copy only while some widget still holds it.
    static std::vector<Entry> shared;
    QImage fitted;
    for (const Entry& e : shared)
        if (e.key == key && e.image.size() == size) fitted = e.image;
    if (fitted.isNull()) {
        fitted = picture.size() == size
                     ? picture
                     : picture.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (fitted.format() == QImage::Format_ARGB32)
            fitted = fitted.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        std::erase_if(shared, [](const Entry& e) { return e.image.isDetached(); });
        shared.push_back({key, fitted});
    }
    if (entries_.size() >= 4) entries_.erase(entries_.begin());
    entries_.push_back({key, fitted});
    return entries_.back().image;
}

void LabelWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect r = rect();
    if (!transparent) p.fillRect(r, back);
    if (border) {
        drawSunkenPanel(p, r, palette());
        r.adjust(2, 2, -2, -2);
    }
    p.setPen(textColor(*this, fore));
    drawBoxText(p, r.adjusted(1, 0, -1, 0), horizontal(align), text, shaped_);
}

void FrameWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), back);
    const QFontMetrics fm = p.fontMetrics();
    const int top = fm.height() / 2;
    if (border) qDrawShadeRect(&p, QRect(0, top, width(), height() - top), palette(), true, 1, 0);
    if (!caption.isEmpty()) {
        const QRect tr(8, 0, fm.horizontalAdvance(caption) + 4, fm.height());
        p.fillRect(tr, back);
        p.setPen(textColor(*this, fore));
        p.drawText(tr, Qt::AlignCenter, caption);
    }
}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QRect inner = rect();
    p.fillRect(inner, back);
    if (border) {
        drawSunkenPanel(p, inner, palette());
        inner.adjust(2, 2, -2, -2);
    }
    p.setClipRect(inner);
    drawPicture(p, picture, inner.topLeft(), scale);
    for (const PrintedLine& line : printed) {
        p.setFont(line.font);
        p.setPen(line.color);
        const int ascent = p.fontMetrics().ascent();
        p.drawText(QPointF(inner.left() + line.x * scale, inner.top() + line.y * scale + ascent), line.text);
    }
}

void ImageWidget::setCoversAll(bool covers) {
    coversAll_ = covers;
    updateOpaque();
}

void ImageWidget::changeEvent(QEvent* e) {
    if (e->type() == QEvent::EnabledChange) updateOpaque();
    ClickArea::changeEvent(e);
}

void ImageWidget::updateOpaque() {
    // Only on a change: Qt answers each setting by working out the window's opaque parts again.
    const bool opaque = coversAll_ && isEnabled();
    if (testAttribute(Qt::WA_OpaquePaintEvent) != opaque) setAttribute(Qt::WA_OpaquePaintEvent, opaque);
}

void ImageWidget::paintEvent(QPaintEvent*) {
    if (picture.isNull()) return;
    QPainter p(this);
    if (!isEnabled()) p.setOpacity(0.5);
    if (stretch) {
        p.drawImage(QPoint(0, 0), fitted_.get(picture, size()));
    } else {
        drawPicture(p, picture, QPoint(0, 0), scale);
    }
}

ShapeWidget::ShapeWidget(QWidget* parent) : QWidget(parent) {
    // A shape is decoration: clicks go to whatever lies beneath it.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeWidget::paintEvent(QPaintEvent* e) {
    if (area.isEmpty() || !e->region().intersects(area)) return;
    QPainter p(this);
    if (solid) p.fillRect(area, fill);
    if (border) {
        p.setPen(line);
        p.drawRect(area.adjusted(0, 0, -1, -1));
    }
}

GraphicButton::GraphicButton(QWidget* parent, Meaning m) : QAbstractButton(parent), meaning(m) {
    setAttribute(Qt::WA_Hover);
    setFocusPolicy(Qt::StrongFocus);
}

void GraphicButton::setOn(bool on) {
    if (on == on_) return;
    on_ = on;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

// The colour beneath the button when its picture box shows nothing else there: no
// picture, no printed text, no border and no other control under it. Invalid otherwise.
QColor GraphicButton::backdrop() const {
    const auto* holder = dynamic_cast<const PictureWidget*>(parentWidget());
    if (!holder || !holder->picture.isNull() || !holder->printed.empty() || holder->back.alpha() != 255)
        return {};
    const QRect inner = holder->border ? holder->rect().adjusted(2, 2, -2, -2) : holder->rect();
    if (!inner.contains(geometry())) return {};
    // Siblings come in stacking order: those before this button lie beneath it.
    for (const QObject* o : holder->children()) {
        if (o == this) break;
        if (!o->isWidgetType()) continue;
        const auto* w = static_cast<const QWidget*>(o);
        if (!w->isHidden() && w->geometry().intersects(geometry())) return {};
    }
    return holder->back;
}

void GraphicButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const bool sunken = isDown() || isChecked();
    QColor face = back;
    if (sunken)
        face = back.darker(118);
    else if (isEnabled() && underMouse())
        face = back.lighter(106);
    const QColor outlineColor = palette().color(QPalette::Dark);
    // The rounded corners show what lies beneath. Where that is a plain colour, the button
    // paints it there itself and is opaque: its repaints, many a second while an effect
    // plays, then leave the picture box beneath alone.
    const QColor under = backdrop();
    if (under.isValid())
        p.drawImage(QPoint(0, 0), faceOver(under, size(), devicePixelRatioF(), face, outlineColor, sunken));
    else
        drawButtonFace(p, rect(), face, outlineColor, sunken);
    if (testAttribute(Qt::WA_OpaquePaintEvent) != under.isValid()) {
        setAttribute(Qt::WA_OpaquePaintEvent, under.isValid());
        // What lay beneath was not painted for this paint: paint again over it.
        if (!under.isValid()) update();
    }

    QRect content = rect().adjusted(4, 4, -4, -4);
    if (sunken) content.translate(1, 1);
    const QString caption = text();
    const int gap = 3;
    const int textHeight =
        caption.isEmpty() ? 0
                          : p.fontMetrics()
                                .boundingRect(QRect(0, 0, content.width(), 1000), Qt::TextWordWrap, caption)
                                .height();

    QSize pictureSize;
    if (!picture.isNull()) {
        pictureSize = (QSizeF(picture.size()) * scale).toSize();
        const QSize room(content.width(), content.height() - (textHeight ? textHeight + gap : 0));
        if (pictureSize.width() > room.width() || pictureSize.height() > room.height())
            pictureSize = pictureSize.scaled(room.expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
    }
    const int total = pictureSize.height() + (textHeight && pictureSize.height() ? gap : 0) + textHeight;
    int y = content.top() + (content.height() - total) / 2;
    if (!pictureSize.isEmpty()) {
        if (!isEnabled()) p.setOpacity(0.45);
        p.drawImage(QPoint(content.center().x() - pictureSize.width() / 2 + 1, y),
                    fitted_.get(picture, pictureSize));
        p.setOpacity(1);
        y += pictureSize.height() + gap;
    }
    if (textHeight) {
        p.setPen(textColor(*this, fore));
        p.drawText(QRect(content.left(), y, content.width(), textHeight), Qt::AlignHCenter | Qt::TextWordWrap,
                   caption);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        focus.backgroundColor = face;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

QSize TabRow::tabSizeHint(int index) const {
    const int n = count();
    if (n == 0) return QTabBar::tabSizeHint(index);
    // The last tab takes what the division leaves, so the row ends flush with the control.
    const int w = width() / n;
    return {index == n - 1 ? width() - w * (n - 1) : w, rowHeight};
}

TabWidget::TabWidget(QWidget* parent) : QWidget(parent), row(new TabRow(this)) {
    row->setExpanding(false);
    row->setDrawBase(false);
    row->setUsesScrollButtons(false);
    row->setElideMode(Qt::ElideRight);
}

void TabWidget::paintEvent(QPaintEvent*) {
    // The page keeps the control's own background, which its labels share; a style's
    // page frame would paint it in another shade.
    QPainter p(this);
    p.fillRect(rect(), back);
    const QRect page(0, row->height() - 1, width(), height() - row->height() + 1);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(page.adjusted(0, 0, -1, -1));
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(page.left() + 1, page.top() + 1, page.left() + 1, page.bottom() - 1);
}

void TabWidget::resizeEvent(QResizeEvent*) { row->setGeometry(0, 0, width(), row->rowHeight); }

}  // namespace qv::view
