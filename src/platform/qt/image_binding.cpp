#include "platform/qt/binder_widgets.h"
#include "platform/qt/control_binding.h"

namespace qv {

namespace {

class ImageBinding final : public BindingOf<Image, view::ImageWidget> {
public:
    using BindingOf::BindingOf;
    bool windowed() const override { return false; }
    void wireInput(const FormInput& in) override { view()->onClick = in.clicks(c_); }

protected:
    QWidget* make(QWidget* parent) override { return new view::ImageWidget(parent); }

    bool syncLook(bool first) override {
        const Image& im = obj();
        view::ImageWidget* iw = view();
        bool repaint = false;
        if (picture_.take(first, im.Picture, shared_.pictures)) {
            iw->picture = picture_.image;
            repaint = true;
        }
        repaint |= take(first, stretch_, im.Stretch);
        if (repaint) {
            iw->stretch = im.Stretch;
            iw->scale = shared_.twips.scale();
            // A stretched picture without transparency covers the whole control, so
            // what lies beneath need not be painted first.
            iw->setCoversAll(im.Stretch && !iw->picture.isNull() && !iw->picture.hasAlphaChannel());
        }
        return repaint;
    }

private:
    ShownPicture picture_;
    bool stretch_ = false;
};

}  // namespace

std::unique_ptr<ControlBinding> bindImage(Image& c, BindingShared& shared) {
    return std::make_unique<ImageBinding>(c, shared);
}

}  // namespace qv
