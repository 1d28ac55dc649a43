#include "platform/qt/shaped_text.h"

#include <QGlyphRun>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace qv::view {

namespace {

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

}  // namespace qv::view
