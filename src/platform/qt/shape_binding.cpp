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

    bool syncLook(bool first) override {
        const Shape& sh = obj();
        bool repaint = take(first, fill_, sh.FillColor);
        repaint |= take(first, solid_, sh.FillSolid);
        repaint |= take(first, border_, sh.BorderVisible);
        repaint |= take(first, line_, sh.ForeColor);
        if (repaint) {
            view::ShapeWidget* sw = view();
            sw->fill = view::toQColor(sh.FillColor);
            sw->solid = sh.FillSolid;
            sw->border = sh.BorderVisible;
            sw->line = view::toQColor(sh.ForeColor);
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
