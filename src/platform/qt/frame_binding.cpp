#include "platform/qt/binder_widgets.h"
#include "platform/qt/control_binding.h"
#include "platform/qt/values.h"

namespace qv {

namespace {

class FrameBinding final : public BindingOf<Frame, view::FrameWidget> {
public:
    using BindingOf::BindingOf;

protected:
    QWidget* make(QWidget* parent) override { return new view::FrameWidget(parent); }
    bool namedByCaption() const override { return true; }

    bool syncLook(bool first) override {
        const Frame& fr = obj();
        bool repaint = captionChanged();
        repaint |= colors_.take(first, c_);
        repaint |= take(first, border_, fr.BorderSingle);
        if (repaint) {
            view::FrameWidget* fw = view();
            fw->caption = view::qs(fr.Caption);
            fw->back = view::toQColor(fr.BackColor);
            fw->fore = view::toQColor(fr.ForeColor);
            fw->border = fr.BorderSingle;
        }
        return repaint;
    }

private:
    ShownColors colors_;
    bool border_ = false;
};

}  // namespace

std::unique_ptr<ControlBinding> bindFrame(Frame& c, BindingShared& shared) {
    return std::make_unique<FrameBinding>(c, shared);
}

}  // namespace qv
