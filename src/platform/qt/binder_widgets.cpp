#include "platform/qt/binder_widgets.h"

#include <qdrawutil.h>

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QGlyphRun>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QStyleOptionFocusRect>
#include <QTextLayout>
#include <array>
#include <cmath>
#include <memory>

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

// Lays `text` out as one unbroken line, as the painter's own single-line text drawing does.
QTextLine layOutLine(QTextLayout& layout, Qt::LayoutDirection direction) {
    QTextOption option;
    option.setTextDirection(direction);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);  // keeps the shaped glyphs from the layout for the drawing
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
    return line;
}

// Printable ASCII but the space: the analog values and most short captions.
constexpr char16_t kFirstPlain = 0x21, kLastPlain = 0x7e;
constexpr int kPlainCount = kLastPlain - kFirstPlain + 1;

bool isPlain(const QString& text) {
    for (QChar c : text)
        if (c.unicode() < kFirstPlain || c.unicode() > kLastPlain) return false;
    return !text.isEmpty();
}

// In the layout's unit, 1/64 pixel; -1 when a measure is not a whole number of them.
int sixtyFourths(qreal v) {
    const qreal scaled = v * 64;
    return scaled == std::floor(scaled) && std::abs(scaled) < 0x1000000 ? static_cast<int>(scaled) : -1;
}

// A font's plain characters as the layout shapes each one alone, and for each pair of
// them whether shaping the two together gives exactly the two alone side by side: no
// kerning, ligature or other contextual form. A text of such characters and pairs is
// then put together from the single shapes and drawn as one glyph run, to the pixels
// the layout would draw, without shaping it on every paint (the analog values change
// text on every report). The font is taken at the painting device's resolution.
class PlainGlyphs {
public:
    PlainGlyphs(const QFont& font, int dpiX, int dpiY) : font_(font), dpiX_(dpiX), dpiY_(dpiY) {}

    bool matches(const QFont& font, int dpiX, int dpiY) const {
        return dpiX == dpiX_ && dpiY == dpiY_ && font == font_;
    }

    // Puts `text` (plain characters only) together for width(), advance(), height() and
    // draw(); false where some character or pair of it does not shape as it does alone.
    bool compose(const QString& text, QPaintDevice* device);
    qreal width() const { return width_ / 64.0; }
    qreal advance() const { return advance_ / 64.0; }
    qreal height() const { return height_; }
    // Draws the composed text with the top left of its line at `at`, on the pixels where
    // QTextLine::draw places it: from `at` cut to whole 1/64 pixels, as the layout cuts it.
    void draw(QPainter& p, const QPointF& at);

private:
    enum class Shape : quint8 { Unknown, Alone, Contextual };
    struct Glyph {
        Shape shape = Shape::Unknown;
        quint32 index = 0;
        int x = 0, y = 0, advance = 0, width = 0;  // in 1/64 pixel
    };
    struct Line {
        QList<quint32> indexes;
        QList<QPointF> positions;
        QRawFont font;
        qreal width = 0, advance = 0, ascent = 0, descent = 0;
    };

    bool shapeAlone(const QString& text, QPaintDevice* device, Line& out) const;
    bool known(char16_t c, QPaintDevice* device);
    bool knownPair(char16_t a, char16_t b, QPaintDevice* device);
    Glyph& glyph(char16_t c) { return glyphs_[c - kFirstPlain]; }

    const QFont font_;
    const int dpiX_, dpiY_;
    std::array<Glyph, kPlainCount> glyphs_{};
    std::vector<Shape> pairs_ = std::vector<Shape>(kPlainCount * kPlainCount, Shape::Unknown);
    QRawFont raw_;
    qreal ascent_ = 0, descent_ = 0;

    // The composed text: glyphs, their places from the line's start (1/64 pixel), measures.
    std::vector<quint32> indexes_;
    std::vector<QPoint> places_;
    std::vector<QPointF> positions_;
    int width_ = 0, advance_ = 0;
    qreal height_ = 0;
    QGlyphRun run_;
};

bool PlainGlyphs::shapeAlone(const QString& text, QPaintDevice* device, Line& out) const {
    QTextLayout layout(text, font_, device);
    const QTextLine line = layOutLine(layout, Qt::LeftToRight);
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() != 1) return false;
    const QGlyphRun& run = runs.front();
    if (run.overline() || run.underline() || run.strikeOut() || run.isRightToLeft()) return false;
    out.indexes = run.glyphIndexes();
    out.positions = run.positions();
    out.font = run.rawFont();
    out.width = line.naturalTextWidth();
    out.advance = line.horizontalAdvance();
    out.ascent = line.ascent();
    out.descent = line.descent();
    return out.indexes.size() == text.size() && out.positions.size() == text.size();
}

bool PlainGlyphs::known(char16_t c, QPaintDevice* device) {
    Glyph& g = glyph(c);
    if (g.shape == Shape::Unknown) {
        g.shape = Shape::Contextual;
        Line line;
        if (!shapeAlone(QString(QChar(c)), device, line)) return false;
        // The first character shaped sets the font engine and line height every other
        // one must share: a character drawn from a fallback font is left to the layout.
        if (!raw_.isValid()) {
            raw_ = line.font;
            ascent_ = line.ascent;
            descent_ = line.descent;
            run_.setRawFont(raw_);
        }
        if (line.font != raw_ || line.ascent != ascent_ || line.descent != descent_) return false;
        g = {Shape::Alone,
             line.indexes[0],
             sixtyFourths(line.positions[0].x()),
             sixtyFourths(line.positions[0].y()),
             sixtyFourths(line.advance),
             sixtyFourths(line.width)};
        if (g.x < 0 || g.y < 0 || g.advance < 0 || g.width < 0) g.shape = Shape::Contextual;
    }
    return g.shape == Shape::Alone;
}

bool PlainGlyphs::knownPair(char16_t a, char16_t b, QPaintDevice* device) {
    Shape& pair = pairs_[(a - kFirstPlain) * kPlainCount + (b - kFirstPlain)];
    if (pair == Shape::Unknown) {
        pair = Shape::Contextual;
        const Glyph &ga = glyph(a), &gb = glyph(b);
        Line line;
        const QChar both[] = {QChar(a), QChar(b)};
        if (!shapeAlone(QString(both, 2), device, line)) return false;
        const bool alone = line.font == raw_ && line.ascent == ascent_ && line.descent == descent_ &&
                           line.indexes[0] == ga.index && line.indexes[1] == gb.index &&
                           sixtyFourths(line.positions[0].x()) == ga.x &&
                           sixtyFourths(line.positions[0].y()) == ga.y &&
                           sixtyFourths(line.positions[1].x()) == ga.advance + gb.x &&
                           sixtyFourths(line.positions[1].y()) == gb.y &&
                           sixtyFourths(line.advance) == ga.advance + gb.advance &&
                           sixtyFourths(line.width) == ga.advance + gb.width;
        if (alone) pair = Shape::Alone;
    }
    return pair == Shape::Alone;
}

bool PlainGlyphs::compose(const QString& text, QPaintDevice* device) {
    const auto* chars = reinterpret_cast<const char16_t*>(text.utf16());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i)
        if (!known(chars[i], device)) return false;
    for (qsizetype i = 1; i < n; ++i)
        if (!knownPair(chars[i - 1], chars[i], device)) return false;
    indexes_.resize(static_cast<size_t>(n));
    places_.resize(static_cast<size_t>(n));
    int x = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const Glyph& g = glyph(chars[i]);
        indexes_[static_cast<size_t>(i)] = g.index;
        places_[static_cast<size_t>(i)] = QPoint(x + g.x, g.y);
        x += g.advance;
    }
    const Glyph& last = glyph(chars[n - 1]);
    advance_ = x;
    width_ = x - last.advance + last.width;
    height_ = ascent_ + descent_;
    return true;
}

void PlainGlyphs::draw(QPainter& p, const QPointF& at) {
    const int x0 = static_cast<int>(at.x() * 64), y0 = static_cast<int>(at.y() * 64);
    positions_.resize(places_.size());
    for (size_t i = 0; i < places_.size(); ++i)
        positions_[i] = QPointF((x0 + places_[i].x()) / 64.0, (y0 + places_[i].y()) / 64.0);
    run_.setRawData(indexes_.data(), positions_.data(), static_cast<int>(indexes_.size()));
    p.drawGlyphRun(QPointF(0, 0), run_);
}

// The glyph tables of the last few fonts labels were painted in.
PlainGlyphs& plainGlyphs(const QFont& font, const QPaintDevice& device) {
    static std::vector<std::unique_ptr<PlainGlyphs>> tables;
    const int dpiX = device.logicalDpiX(), dpiY = device.logicalDpiY();
    for (const auto& t : tables)
        if (t->matches(font, dpiX, dpiY)) return *t;
    // A resized window brings every label a new font size: the old sizes go.
    if (tables.size() >= 8) tables.erase(tables.begin());
    tables.push_back(std::make_unique<PlainGlyphs>(font, dpiX, dpiY));
    return *tables.back();
}

// Composed glyphs are placed as the layout places them only under a whole-pixel shift.
bool wholePixelShift(const QTransform& t) {
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) &&
           t.dy() == std::floor(t.dy());
}

// Where in `r` a one-line text of these measures goes: centred vertically, and across
// as the painter's single-line text drawing places it. `draw` gets the top left of the
// line; the painter is clipped to `r` only where the text's box reaches beyond it.
template <typename Draw>
void placeLine(QPainter& p, const QRect& r, Qt::Alignment h, qreal width, qreal advance, qreal height,
               Draw draw) {
    const qreal yoff = (r.height() - height) / 2;
    const qreal xoff = h & Qt::AlignRight     ? r.width() - advance
                       : h & Qt::AlignHCenter ? (r.width() - advance) / 2
                                              : 0;
    const qreal boundsX = h & Qt::AlignRight     ? r.width() - width
                          : h & Qt::AlignHCenter ? (r.width() - width) / 2
                                                 : 0;
    const bool clip = !QRectF(r).contains(QRectF(r.x() + boundsX, r.y() + yoff, width, height));
    if (clip) {
        p.save();
        p.setClipRect(r, Qt::IntersectClip);
    }
    draw(QPointF(r.x() + xoff, r.y() + yoff));
    if (clip) p.restore();
}

}  // namespace

QTextLine ShapedLine::get(const QString& text, const QPainter& p) {
    const QPaintDevice* device = p.device();
    if (layout_ && text == text_ && p.layoutDirection() == direction_ && device->logicalDpiX() == dpiX_ &&
        device->logicalDpiY() == dpiY_ && p.font() == font_)
        return line_;
    text_ = text;
    font_ = p.font();
    direction_ = p.layoutDirection();
    dpiX_ = device->logicalDpiX();
    dpiY_ = device->logicalDpiY();
    layout_ = std::make_unique<QTextLayout>(text, font_, p.device());
    line_ = layOutLine(*layout_, direction_);
    return line_;
}

namespace {

// Text centred vertically when it fits the box, else from the top, wrapped at words.
void drawBoxText(QPainter& p, const QRect& r, Qt::Alignment h, const QString& text, ShapedLine& shaped) {
    // Most captions are one short line: those need no wrapped layout, which costs more
    // than the rest of a label's paint (the analog values repaint on every report).
    bool oneLine = !text.contains(QLatin1Char('\n')) && !text.isEmpty() && !text.back().isSpace();
    // Plain text has no right-to-left character: an automatic direction reads it left to right.
    if (isPlain(text) && p.layoutDirection() != Qt::RightToLeft && wholePixelShift(p.deviceTransform())) {
        PlainGlyphs& glyphs = plainGlyphs(p.font(), *p.device());
        if (glyphs.compose(text, p.device())) {
            if (qRound(glyphs.width()) <= r.width()) {
                placeLine(p, r, h, glyphs.width(), glyphs.advance(), glyphs.height(),
                          [&](const QPointF& at) { glyphs.draw(p, at); });
                return;
            }
            oneLine = false;  // too wide: wrapped
        }
    }
    // Other one-line texts are shaped once, for both the width check and the drawing.
    if (oneLine) {
        const QTextLine line = shaped.get(text, p);
        const qreal width = line.naturalTextWidth();
        if (qRound(width) <= r.width()) {
            placeLine(p, r, h, width, line.horizontalAdvance(), line.ascent() + line.descent(),
                      [&](const QPointF& at) { line.draw(&p, at); });
            return;
        }
    }
    const int flags = static_cast<int>(h) | Qt::TextWordWrap;
    const QRect need = p.fontMetrics().boundingRect(r, flags, text);
    p.drawText(r, flags | (need.height() <= r.height() ? Qt::AlignVCenter : Qt::AlignTop), text);
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

namespace {

// The button's face: the rounded outline filled in the face colour, and when pressed the
// inner shadow, antialiased over what the painter holds beneath.
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

// Faces drawn over a plain colour, shared by all buttons: antialiasing the rounded outline
// is the dearest part of a button's paint, and the LED buttons repaint with every step of
// an effect in the same few looks.
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

}  // namespace

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

namespace {

// An option button or a switch as assistive technology reads it: its role, whether it is
// checked, and a press that clicks it as the mouse does.
class ButtonAccessible : public QAccessibleWidget {
public:
    ButtonAccessible(GraphicButton* b, QAccessible::Role role) : QAccessibleWidget(b, role) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) return button()->text();
        return QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        const GraphicButton* b = button();
        s.checkable = true;
        s.checked = b->meaning == GraphicButton::Meaning::Switch ? b->on() : b->isChecked();
        s.pressed = b->isDown();
        return s;
    }
    QStringList actionNames() const override {
        QStringList names;
        if (widget()->isEnabled()) {
            names << pressAction();
            if (button()->meaning == GraphicButton::Meaning::Switch) names << toggleAction();
        }
        return names + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (!widget()->isEnabled()) return;
        if (name == pressAction() || name == toggleAction())
            button()->click();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    GraphicButton* button() const { return static_cast<GraphicButton*>(widget()); }
};

}  // namespace

QAccessibleInterface* accessibleInterface(const QString& className, QObject* object) {
    // Asked once for each class of the object's ancestry, most derived first; only the
    // widgets' own classes are answered here.
    if (className == QLatin1String(LabelWidget::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StaticText);
    if (className == QLatin1String(GraphicButton::staticMetaObject.className())) {
        auto* b = static_cast<GraphicButton*>(object);
        switch (b->meaning) {
            case GraphicButton::Meaning::Option:
                return new ButtonAccessible(b, QAccessible::RadioButton);
            case GraphicButton::Meaning::Switch:
                return new ButtonAccessible(b, QAccessible::Button);
            case GraphicButton::Meaning::Plain:
                break;
        }
    }
    return nullptr;
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
