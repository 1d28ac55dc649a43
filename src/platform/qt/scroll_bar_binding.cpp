#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

#include "platform/qt/control_binding.h"

namespace qv {

namespace {

// A scroll bar's Min may exceed its Max; the widget always runs low to high with Min at
// the top (or left), so positions mirror when the range is reversed.
struct ScrollMap {
    int min, max;
    int lo() const { return std::min(min, max); }
    int hi() const { return std::max(min, max); }
    int toWidget(int v) const { return min <= max ? v : min + max - v; }
    int toObject(int q) const { return min <= max ? q : min + max - q; }
};

class ScrollBarBinding final : public BindingOf<ScrollBar, QScrollBar> {
public:
    using BindingOf::BindingOf;

    void wireInput(const FormInput& in) override {
        ScrollBar* bar = &obj();
        QScrollBar* w = view();
        auto toObject = [bar](int q) {
            const ScrollMap m{bar->Min, bar->Max};
            return std::clamp(m.toObject(q), m.lo(), m.hi());
        };
        // A thumb drag in progress reports Scroll on each move and Change once at the end.
        QObject::connect(w, &QScrollBar::sliderPressed, w, [this, in, bar] {
            if (in.live()) dragStart_ = bar->value();
        });
        QObject::connect(w, &QScrollBar::sliderMoved, w, [in, bar, toObject](int q) {
            in.run([bar, toObject, q] {
                bar->initValue(toObject(q));
                if (bar->onScroll) bar->onScroll();
            });
        });
        QObject::connect(w, &QScrollBar::sliderReleased, w, [this, in, bar] {
            in.click([this, bar] {
                const int final = bar->value();
                if (final == dragStart_) return;
                bar->initValue(dragStart_);
                bar->setValue(final);
            });
        });
        QObject::connect(w, &QScrollBar::valueChanged, w, [in, bar, w, toObject](int q) {
            if (w->isSliderDown()) return;
            in.click([bar, toObject, q] { bar->setValue(toObject(q)); });
        });
    }

protected:
    QWidget* make(QWidget* parent) override {
        return new QScrollBar(c_.kind == ControlKind::HScrollBar ? Qt::Horizontal : Qt::Vertical, parent);
    }

    bool syncLook(bool first) override {
        const ScrollBar& sb = obj();
        QScrollBar* bar = view();
        const QSignalBlocker block(bar);
        const ScrollMap m{sb.Min, sb.Max};
        const bool newRange = first || range_.min != m.min || range_.max != m.max;
        if (newRange) {
            range_ = m;
            bar->setRange(m.lo(), m.hi());
        }
        if (take(first, small_, sb.SmallChange)) bar->setSingleStep(sb.SmallChange);
        if (take(first, large_, sb.LargeChange)) bar->setPageStep(sb.LargeChange);
        if (take(first, value_, sb.value()) || newRange) bar->setValue(m.toWidget(sb.value()));
        return false;
    }

private:
    ScrollMap range_{0, 0};
    int small_ = 0, large_ = 0, value_ = 0;
    int dragStart_ = 0;
};

}  // namespace

std::unique_ptr<ControlBinding> bindScrollBar(ScrollBar& c, BindingShared& shared) {
    return std::make_unique<ScrollBarBinding>(c, shared);
}

}  // namespace qv
