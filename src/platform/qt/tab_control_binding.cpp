#include <QSignalBlocker>

#include "platform/qt/binder_widgets.h"
#include "platform/qt/control_binding.h"
#include "platform/qt/values.h"

namespace qv {

namespace {

class TabControlBinding final : public BindingOf<TabControl, view::TabWidget> {
public:
    using BindingOf::BindingOf;

    void wireInput(const FormInput& in) override {
        QObject::connect(view()->row, &QTabBar::currentChanged, w_, [in, tabs = &obj()](int i) {
            in.click([tabs, i] {
                if (i < 0 || i == tabs->Tab) return;
                tabs->Tab = i;
                tabs->click();
            });
        });
    }

protected:
    QWidget* make(QWidget* parent) override { return new view::TabWidget(parent); }

    // The controls on the pages show or hide with the page showing.
    bool leadsInside() const override { return true; }

    bool syncLook(bool first) override {
        const TabControl& tc = obj();
        view::TabWidget* tw = view();
        const QSignalBlocker block(tw->row);
        if (take(first, tabs_, tc.tabs)) {
            while (tw->row->count() > 0) tw->row->removeTab(0);
            for (const std::string& t : tc.tabs) tw->row->addTab(view::qs(t));
        }
        if (take(first, tabHeight_, tc.TabHeight)) {
            tw->row->rowHeight = shared_.twips.toPixels(tc.TabHeight);
            tw->row->setGeometry(0, 0, tw->width(), tw->row->rowHeight);
        }
        if (take(first, tab_, tc.Tab) || tw->row->currentIndex() != tc.Tab) tw->row->setCurrentIndex(tc.Tab);
        const bool repaint = take(first, back_, tc.BackColor);
        if (repaint) tw->back = view::toQColor(tc.BackColor);
        return repaint;
    }

private:
    std::vector<std::string> tabs_;
    int tab_ = 0;
    double tabHeight_ = 0;
    Color back_ = 0;
};

}  // namespace

std::unique_ptr<ControlBinding> bindTabControl(TabControl& c, BindingShared& shared) {
    return std::make_unique<TabControlBinding>(c, shared);
}

}  // namespace qv
