#include "platform/qt/control_binding.h"

#include <QWidget>

#include "platform/qt/values.h"

namespace qv {

void FormInput::click(std::function<void()> what) const {
    run([alive = alive_, form = form_, what = std::move(what)] {
        form->activate();
        if (*alive) what();
    });
}

std::function<void()> FormInput::clicks(Control& c) const {
    return [in = *this, c = &c] { in.click([c] { c->click(); }); };
}

namespace {

bool onShownPage(const Control& c) {
    if (c.tabPage < 0 || !c.container || c.container->kind != ControlKind::TabControl) return true;
    return static_cast<const TabControl*>(c.container)->Tab == c.tabPage;
}

}  // namespace

void ControlBinding::create(QWidget* parent) {
    w_ = make(parent);
    w_->setObjectName(view::qs(c_.qualifiedName()));
}

bool ControlBinding::sync() {
    Control& c = c_;
    const bool first = first_;
    first_ = false;

    bool fontChanged = false;
    if (first) {
        font_ = c.font;
        // Most controls use the font they inherit; setting it again on each of them
        // would resolve and propagate fonts a hundred times over at start-up.
        const QFont font = view::toQFont(c.font);
        if (font != w_->font()) w_->setFont(font);
    } else if (!sameFont(font_, c.font)) {
        font_ = c.font;
        w_->setFont(view::toQFont(c.font));
        fontChanged = true;
    }
    syncGeometry(first, fontChanged);
    if (take(first, enabled_, c.Enabled)) w_->setEnabled(c.Enabled);
    captionChanged_ = take(first, caption_, c.Caption);
    syncName(first);

    if (syncLook(first)) w_->update();

    // Last, so a control on a tab page follows the page that the sync above just showed.
    const bool visible = c.Visible && onShownPage(c);
    if (take(first, visible_, visible)) w_->setVisible(visible);
    return leadsInside();
}

void ControlBinding::syncGeometry(bool first, bool fontChanged) {
    const Control& c = c_;
    // A kind's fit may depend on the font (a drop-down list's height).
    if (!first && !fontChanged && left_ == c.Left && top_ == c.Top && width_ == c.Width &&
        height_ == c.Height)
        return;
    left_ = c.Left;
    top_ = c.Top;
    width_ = c.Width;
    height_ = c.Height;
    QRect r = shared_.twips.toPixels(c.Left, c.Top, c.Width, c.Height);
    fit(r);
    if (take(first, rect_, r)) w_->setGeometry(r);
}

void ControlBinding::syncName(bool first) {
    const Control& c = c_;
    const bool byCaption = namedByCaption() && !c.Caption.empty();
    bool changed;
    if (byCaption) {
        // The caption was compared above: no second look at the same text.
        changed = captionChanged_ || !namedByCaption_;
    } else {
        changed = take(first, accessible_, c.accessibleName) || namedByCaption_;
    }
    namedByCaption_ = byCaption;
    if (changed) w_->setAccessibleName(view::qs(byCaption ? c.Caption : c.accessibleName));
}

void ControlBinding::syncFieldColors(bool first, ShownColors& shown) {
    if (shown.take(first, c_))
        view::setColors(w_, QPalette::Base, c_.BackColor, QPalette::Text, c_.ForeColor);
}

std::unique_ptr<ControlBinding> bindControl(Control& c, BindingShared& shared) {
    switch (c.kind) {
        case ControlKind::Label:
            return bindLabel(static_cast<Label&>(c), shared);
        case ControlKind::CommandButton:
            return bindCommandButton(static_cast<CommandButton&>(c), shared);
        case ControlKind::CheckBox:
            return bindCheckBox(static_cast<CheckBox&>(c), shared);
        case ControlKind::OptionButton:
            return bindOptionButton(static_cast<OptionButton&>(c), shared);
        case ControlKind::Frame:
            return bindFrame(static_cast<Frame&>(c), shared);
        case ControlKind::PictureBox:
            return bindPictureBox(static_cast<PictureBox&>(c), shared);
        case ControlKind::Image:
            return bindImage(static_cast<Image&>(c), shared);
        case ControlKind::Shape:
            return bindShape(static_cast<Shape&>(c), shared);
        case ControlKind::ComboBox:
            return bindComboBox(static_cast<ComboBox&>(c), shared);
        case ControlKind::FileListBox:
            return bindFileListBox(static_cast<FileListBox&>(c), shared);
        case ControlKind::HScrollBar:
        case ControlKind::VScrollBar:
            return bindScrollBar(static_cast<ScrollBar&>(c), shared);
        case ControlKind::TextBox:
            return bindTextBox(static_cast<TextBox&>(c), shared);
        case ControlKind::TabControl:
            return bindTabControl(static_cast<TabControl&>(c), shared);
        case ControlKind::Timer:
            break;
    }
    return nullptr;
}

}  // namespace qv
