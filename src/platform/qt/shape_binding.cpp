#include <QRegion>
#include <algorithm>

#include "platform/qt/binder_widgets.h"
#include "platform/qt/control_binding.h"
#include "platform/qt/values.h"

namespace qv {

namespace {

class ShapeBinding final : public BindingOf<Shape, view::ShapeWidget> {
public:
    using BindingOf::BindingOf;
    bool windowed() const override { return false; }

protected:
    QWidget* make(QWidget* parent) override { return new view::ShapeWidget(parent); }

    // The widget reaches from the shape's top left to its container's far edges (further
    // where the shape does), and the shape is drawn inside it. A shape whose size changes
    // (the analog bars, on every report) then never moves or resizes its widget: Qt answers
    // every widget's geometry change by working out again which parts of the whole window
    // are covered by opaque widgets, which costs more than the repaint itself. Assistive
    // technology is still told the truth: the shape's accessible interface gives the area
    // the shape paints, not the widget's.
    void fit(QRect& r) const override {
        const QWidget* parent = w_->parentWidget();
        r.setRight(std::max(r.right(), parent->width() - 1));
        r.setBottom(std::max(r.bottom(), parent->height() - 1));
    }

    bool syncLook(bool first) override {
        const Shape& sh = obj();
        view::ShapeWidget* sw = view();
        bool repaint = take(first, fill_, sh.FillColor);
        repaint |= take(first, solid_, sh.FillSolid);
        repaint |= take(first, border_, sh.BorderVisible);
        repaint |= take(first, line_, sh.ForeColor);
        if (repaint) {
            sw->fill = view::toQColor(sh.FillColor);
            sw->solid = sh.FillSolid;
            sw->border = sh.BorderVisible;
            sw->line = view::toQColor(sh.ForeColor);
        }
        const QRect area(0, 0, std::max(0, shared_.twips.toPixels(sh.Width)),
                         std::max(0, shared_.twips.toPixels(sh.Height)));
        if (area != sw->area) {
            // A filled shape without a border changes only where its old and new areas
            // differ; an outline moves with the edge.
            if (!repaint)
                sw->update(sh.FillSolid && !sh.BorderVisible ? QRegion(sw->area).xored(QRegion(area))
                                                             : QRegion(sw->area.united(area)));
            sw->area = area;
        }
        return repaint;
    }

private:
    Color fill_ = 0, line_ = 0;
    bool solid_ = false, border_ = false;
};

}  // namespace

std::unique_ptr<ControlBinding> bindShape(Shape& c, BindingShared& shared) {
    return std::make_unique<ShapeBinding>(c, shared);
}

}  // namespace qv
