// The three button kinds: command buttons, check boxes and option buttons. Each is a
// standard Qt button, or a graphical one drawn with its picture in its own colours.
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

#include "platform/qt/binder_widgets.h"
#include "platform/qt/control_binding.h"
#include "platform/qt/values.h"

namespace qv {

namespace {

using Meaning = view::GraphicButton::Meaning;

class ButtonBinding : public ControlBinding {
public:
    using ControlBinding::ControlBinding;

protected:
    bool namedByCaption() const override { return true; }
    QAbstractButton* button() const { return static_cast<QAbstractButton*>(w_); }
    view::GraphicButton* graphic() const { return static_cast<view::GraphicButton*>(w_); }

    void syncCaption() {
        if (captionChanged()) button()->setText(view::qs(c_.Caption));
    }
    // 0 clear, 1 set, 2 greyed.
    void syncValue(bool first, int value) {
        if (!take(first, value_, value)) return;
        QAbstractButton* b = button();
        const QSignalBlocker block(b);
        if (auto* box = qobject_cast<QCheckBox*>(b))
            box->setCheckState(value == 0 ? Qt::Unchecked : value == 1 ? Qt::Checked : Qt::PartiallyChecked);
        else if (b->isCheckable())
            b->setChecked(value != 0);
    }
    void syncPlainColors(bool first) {
        if (colors_.take(first, c_)) {
            view::setColors(button(), QPalette::Window, c_.BackColor, QPalette::WindowText, c_.ForeColor);
            button()->setAutoFillBackground(true);
        }
    }
    // A graphical button's picture, masked or not, and colours; says whether it must repaint.
    bool syncGraphic(bool first, const std::string& path, bool useMask, Color mask) {
        view::GraphicButton* g = graphic();
        bool repaint = false;
        bool newPicture = picture_.take(first, path, shared_.pictures);
        newPicture |= take(first, useMask_, useMask);
        newPicture |= take(first, mask_, mask);
        if (newPicture) {
            g->picture = useMask && !picture_.image.isNull()
                             ? shared_.pictures.withMask(picture_.path, picture_.image, mask)
                             : picture_.image;
            repaint = true;
        }
        repaint |= colors_.take(first, c_);
        if (repaint) {
            g->back = view::toQColor(c_.BackColor);
            g->fore = view::toQColor(c_.ForeColor);
            g->scale = shared_.twips.scale();
        }
        return repaint;
    }

    bool graphical_ = false;

private:
    int value_ = 0;
    ShownColors colors_;
    ShownPicture picture_;
    bool useMask_ = false;
    Color mask_ = 0;
};

class CommandButtonBinding final : public ButtonBinding {
public:
    CommandButtonBinding(CommandButton& c, BindingShared& shared) : ButtonBinding(c, shared) {}
    // A switch tells assistive technology whether it is on, which the program decides.
    bool followsProgram() const override { return graphical_ && obj().isOn; }
    void followProgram() override { graphic()->setOn(obj().isOn()); }
    void wireInput(const FormInput& in) override {
        QObject::connect(button(), &QAbstractButton::clicked, w_, in.clicks(c_));
    }

protected:
    QWidget* make(QWidget* parent) override {
        const CommandButton& cb = obj();
        graphical_ = cb.Graphical;
        if (!graphical_) return new QPushButton(parent);
        return new view::GraphicButton(parent, cb.isOn ? Meaning::Switch : Meaning::Plain);
    }

    bool syncLook(bool first) override {
        syncCaption();
        if (!graphical_) return false;
        const CommandButton& cb = obj();
        if (cb.isOn) followProgram();
        return syncGraphic(first, cb.Picture, cb.UseMaskColor, cb.MaskColor);
    }

private:
    const CommandButton& obj() const { return static_cast<const CommandButton&>(c_); }
};

class CheckBoxBinding final : public ButtonBinding {
public:
    CheckBoxBinding(CheckBox& c, BindingShared& shared) : ButtonBinding(c, shared) {}
    void wireInput(const FormInput& in) override {
        QObject::connect(button(), &QAbstractButton::clicked, w_, [in, box = &obj()] {
            in.click([box] { box->setValue(box->value() == 0 ? 1 : 0); });
        });
    }

protected:
    QWidget* make(QWidget* parent) override {
        graphical_ = obj().Graphical;
        if (!graphical_) return new QCheckBox(parent);
        auto* b = new view::GraphicButton(parent, Meaning::Plain);
        b->setCheckable(true);
        return b;
    }

    bool syncLook(bool first) override {
        syncCaption();
        syncValue(first, obj().value());
        if (graphical_) return syncGraphic(first, std::string(), false, 0);
        syncPlainColors(first);
        return false;
    }

private:
    CheckBox& obj() const { return static_cast<CheckBox&>(c_); }
};

class OptionButtonBinding final : public ButtonBinding {
public:
    OptionButtonBinding(OptionButton& c, BindingShared& shared) : ButtonBinding(c, shared) {}
    void wireInput(const FormInput& in) override {
        QAbstractButton* b = button();
        QObject::connect(b, &QAbstractButton::clicked, b, [in, option = &obj(), b] {
            // Qt releases a chosen button that is clicked again; an option stays
            // chosen until another one of its group is.
            const QSignalBlocker block(b);
            b->setChecked(true);
            in.click([option] { option->select(); });
        });
    }

protected:
    QWidget* make(QWidget* parent) override {
        graphical_ = obj().Graphical;
        if (!graphical_) {
            auto* r = new QRadioButton(parent);
            r->setAutoExclusive(false);  // the object keeps its group's selection
            return r;
        }
        auto* b = new view::GraphicButton(parent, Meaning::Option);
        b->setCheckable(true);
        return b;
    }

    bool syncLook(bool first) override {
        syncCaption();
        syncValue(first, obj().value() ? 1 : 0);
        if (graphical_) return syncGraphic(first, obj().Picture, false, 0);
        syncPlainColors(first);
        return false;
    }

private:
    OptionButton& obj() const { return static_cast<OptionButton&>(c_); }
};

}  // namespace

std::unique_ptr<ControlBinding> bindCommandButton(CommandButton& c, BindingShared& shared) {
    return std::make_unique<CommandButtonBinding>(c, shared);
}

std::unique_ptr<ControlBinding> bindCheckBox(CheckBox& c, BindingShared& shared) {
    return std::make_unique<CheckBoxBinding>(c, shared);
}

std::unique_ptr<ControlBinding> bindOptionButton(OptionButton& c, BindingShared& shared) {
    return std::make_unique<OptionButtonBinding>(c, shared);
}

}  // namespace qv
