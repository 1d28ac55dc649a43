#include <QLineEdit>
#include <QSignalBlocker>

#include "platform/qt/binder_widgets.h"
#include "platform/qt/control_binding.h"
#include "platform/qt/values.h"

namespace qv {

namespace {

class ComboBoxBinding final : public BindingOf<ComboBox, view::ComboWidget> {
public:
    using BindingOf::BindingOf;

    void wireInput(const FormInput& in) override {
        view::ComboWidget* w = view();
        ComboBox* combo = &obj();
        QObject::connect(w->lineEdit(), &QLineEdit::textEdited, w, [this, in, combo](const QString& s) {
            if (!in.live()) return;
            combo->Text = s.toStdString();
            text_ = combo->Text;
        });
        QObject::connect(w, &QComboBox::activated, w, [in, combo, w](int i) {
            // Leaving the list with typed text that names an entry is no choice.
            if (w->leaving) return;
            in.click([combo, i] {
                if (i >= 0 && i < combo->ListCount()) combo->Text = combo->items[static_cast<size_t>(i)];
                combo->click();
            });
        });
    }

protected:
    QWidget* make(QWidget* parent) override {
        auto* combo = new view::ComboWidget(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        // Typed text stays as typed: completing "Com 1" to "Com 12" would connect
        // to another board.
        combo->setCompleter(nullptr);
        return combo;
    }

    // A drop-down list is as high as its font makes it, whatever height it was given: a
    // larger font (the window grown) gets a taller box instead of text cut at the edges.
    // So the font goes first, and the height follows it back exactly.
    void fit(QRect& r) const override { r.setHeight(w_->sizeHint().height()); }

    bool syncLook(bool first) override {
        const ComboBox& cb = obj();
        view::ComboWidget* combo = view();
        const bool newItems = take(first, items_, cb.items);
        const bool newText = take(first, text_, cb.Text) || newItems;
        if (newText) {
            const QSignalBlocker block(combo);
            if (newItems) {
                combo->clear();
                for (const std::string& item : cb.items) combo->addItem(view::qs(item));
                combo->setCurrentIndex(-1);
            }
            combo->setEditText(view::qs(cb.Text));
        }
        syncFieldColors(first, colors_);
        return false;
    }

private:
    std::vector<std::string> items_;
    std::string text_;
    ShownColors colors_;
};

}  // namespace

std::unique_ptr<ControlBinding> bindComboBox(ComboBox& c, BindingShared& shared) {
    return std::make_unique<ComboBoxBinding>(c, shared);
}

}  // namespace qv
