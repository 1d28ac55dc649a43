#include <algorithm>

#include "platform/qt/binder_widgets.h"
#include "platform/qt/control_binding.h"
#include "platform/qt/values.h"

namespace qv {

namespace {

bool samePrinted(const std::vector<PrintedText>& a, const std::vector<PrintedText>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const PrintedText& x, const PrintedText& y) {
        return x.text == y.text && x.color == y.color && x.x == y.x && x.y == y.y && sameFont(x.font, y.font);
    });
}

class PictureBoxBinding final : public BindingOf<PictureBox, view::PictureWidget> {
public:
    using BindingOf::BindingOf;
    void wireInput(const FormInput& in) override { view()->onClick = in.clicks(c_); }

protected:
    QWidget* make(QWidget* parent) override { return new view::PictureWidget(parent); }

    bool syncLook(bool first) override {
        const PictureBox& pb = obj();
        view::PictureWidget* pw = view();
        bool repaint = false;
        if (picture_.take(first, pb.Picture, shared_.pictures)) {
            pw->picture = picture_.image;
            repaint = true;
        }
        repaint |= take(first, back_, pb.BackColor);
        repaint |= take(first, border_, pb.BorderSingle);
        repaint |= take(first, repaints_, pb.repaints);
        if (first || !samePrinted(printed_, pb.printed)) {
            printed_ = pb.printed;
            pw->printed.clear();
            for (const PrintedText& t : pb.printed)
                pw->printed.push_back(
                    {view::qs(t.text), view::toQColor(t.color), t.x, t.y, view::toQFont(t.font)});
            repaint = true;
        }
        if (repaint) {
            pw->back = view::toQColor(pb.BackColor);
            pw->border = pb.BorderSingle;
            pw->scale = shared_.twips.scale();
        }
        return repaint;
    }

private:
    ShownPicture picture_;
    Color back_ = 0;
    bool border_ = false;
    int repaints_ = 0;
    std::vector<PrintedText> printed_;
};

}  // namespace

std::unique_ptr<ControlBinding> bindPictureBox(PictureBox& c, BindingShared& shared) {
    return std::make_unique<PictureBoxBinding>(c, shared);
}

}  // namespace qv
