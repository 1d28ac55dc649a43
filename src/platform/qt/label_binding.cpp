#include "platform/qt/binder_widgets.h"
#include "platform/qt/control_binding.h"
#include "platform/qt/values.h"

namespace qv {

namespace {

class LabelBinding final : public BindingOf<Label, view::LabelWidget> {
public:
    using BindingOf::BindingOf;
    bool windowed() const override { return false; }
    void wireInput(const FormInput& in) override { view()->onClick = in.clicks(c_); }

protected:
    QWidget* make(QWidget* parent) override { return new view::LabelWidget(parent); }
    bool namedByCaption() const override { return true; }

    bool syncLook(bool first) override {
        const Label& l = obj();
        view::LabelWidget* lw = view();
        bool repaint = false;
        if (captionChanged()) {
            lw->text = view::qs(l.Caption);
            repaint = true;
        }
        repaint |= colors_.take(first, c_);
        repaint |= take(first, align_, l.Alignment);
        repaint |= take(first, border_, l.BorderSingle);
        if (take(first, transparent_, l.Transparent)) {
            lw->transparent = l.Transparent;
            // An opaque label paints every pixel itself: Qt then need not repaint what
            // lies beneath it each time its value changes. Set only on a change: Qt
            // answers each setting by working out the window's opaque parts again.
            lw->setAttribute(Qt::WA_OpaquePaintEvent, !l.Transparent);
            repaint = true;
        }
        if (repaint) {
            lw->back = view::toQColor(l.BackColor);
            lw->fore = view::toQColor(l.ForeColor);
            lw->align = l.Alignment;
            lw->border = l.BorderSingle;
        }
        return repaint;
    }

private:
    ShownColors colors_;
    Align align_ = Align::Left;
    bool border_ = false, transparent_ = false;
};

}  // namespace

std::unique_ptr<ControlBinding> bindLabel(Label& c, BindingShared& shared) {
    return std::make_unique<LabelBinding>(c, shared);
}

}  // namespace qv
