#include <QLineEdit>
#include <QSignalBlocker>

#include "platform/qt/control_binding.h"
#include "platform/qt/values.h"

namespace qv {

namespace {

class TextBoxBinding final : public BindingOf<TextBox, QLineEdit> {
public:
    using BindingOf::BindingOf;

    void wireInput(const FormInput& in) override {
        QObject::connect(view(), &QLineEdit::textEdited, w_, [this, in, box = &obj()](const QString& s) {
            if (!in.live()) return;
            box->Text = s.toStdString();
            text_ = box->Text;
        });
    }

protected:
    QWidget* make(QWidget* parent) override { return new QLineEdit(parent); }

    bool syncLook(bool first) override {
        const TextBox& tb = obj();
        QLineEdit* edit = view();
        if (take(first, text_, tb.Text)) {
            const QSignalBlocker block(edit);
            edit->setText(view::qs(tb.Text));
        }
        syncFieldColors(first, colors_);
        return false;
    }

private:
    std::string text_;
    ShownColors colors_;
};

}  // namespace

std::unique_ptr<ControlBinding> bindTextBox(TextBox& c, BindingShared& shared) {
    return std::make_unique<TextBoxBinding>(c, shared);
}

}  // namespace qv
