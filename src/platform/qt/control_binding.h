// A control's binding: makes the control's widget, turns the user's input on it into the
// control's own events, and brings the widget in step with the control's fields. One
// binding per control kind, each in its own file, keeping what its widget shows as last
// taken from the object; bindControl() chooses among them.
#pragma once

#include <QRect>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>

#include "platform/controls.h"
#include "platform/qt/picture_cache.h"
#include "platform/qt/twips.h"

class QWidget;

namespace qv {

// Runs a user's action on a form's objects, unless the form is gone (`alive` false), then
// brings every window in step.
class Dispatcher {
public:
    virtual void dispatch(const std::shared_ptr<bool>& alive, const std::function<void()>& action) = 0;

protected:
    ~Dispatcher() = default;
};

// Where the input on one form's widgets goes. Copied into the widgets' handlers, which may
// outlive the form: nothing of the form is touched once it is gone.
class FormInput {
public:
    FormInput(Dispatcher& d, std::shared_ptr<bool> alive, Form& form)
        : d_(&d), alive_(std::move(alive)), form_(&form) {}
    bool live() const { return *alive_; }
    void run(std::function<void()> action) const { d_->dispatch(alive_, action); }
    // A click: the form becomes the active window first, then `what` runs unless that
    // unloaded the form.
    void click(std::function<void()> what) const;
    // A click raising the control's Click event.
    std::function<void()> clicks(Control& c) const;

private:
    Dispatcher* d_;
    std::shared_ptr<bool> alive_;
    Form* form_;
};

// What every binding of a view shares.
struct BindingShared {
    Twips twips;
    PictureCache pictures;
};

// Stores `now` in `cache` and says so when it differs (or on the first pass).
template <class T>
bool take(bool first, T& cache, const std::type_identity_t<T>& now) {
    if (!first && cache == now) return false;
    cache = now;
    return true;
}

// Texts are compared on every pass over every control and rarely differ: inline, length
// first, no call for an empty text.
[[gnu::always_inline]] inline bool take(bool first, std::string& cache, const std::string& now) {
    if (!first && cache.size() == now.size() &&
        (now.empty() || std::memcmp(cache.data(), now.data(), now.size()) == 0))
        return false;
    cache = now;
    return true;
}

inline bool sameFont(const Font& a, const Font& b) {
    return a.Size == b.Size && a.Bold == b.Bold && a.Italic == b.Italic && a.Name == b.Name;
}

// The back and fore colours a widget shows.
struct ShownColors {
    Color back = 0, fore = 0;
    bool take(bool first, const Control& c) {
        return qv::take(first, back, c.BackColor) | qv::take(first, fore, c.ForeColor);
    }
};

class ControlBinding {
public:
    ControlBinding(Control& c, BindingShared& shared) : c_(c), shared_(shared) {}
    virtual ~ControlBinding() = default;
    ControlBinding(const ControlBinding&) = delete;
    ControlBinding& operator=(const ControlBinding&) = delete;

    QWidget* widget() const { return w_; }
    const Control& control() const { return c_; }
    // Makes the widget inside `parent`: the form's window or the container's widget.
    void create(QWidget* parent);
    // Labels, images and shapes are drawn on their container's surface, so every other
    // control of the same container lies above them whatever the creation order.
    virtual bool windowed() const { return true; }
    virtual void wireInput(const FormInput&) {}
    // Touches only what changed since the last sync (everything on the first). True when
    // the controls inside this one must be brought in step too (a tab control: the page
    // showing decides which of them show).
    bool sync();
    // Whether the widget shows state of the program beyond the control's own fields, so
    // that every pass must look at it.
    virtual bool followsProgram() const { return false; }
    // Brings that state in step; a pass that syncs the control does this too.
    virtual void followProgram() {}

protected:
    virtual QWidget* make(QWidget* parent) = 0;
    // The kind's own fields; says whether the widget must repaint.
    virtual bool syncLook(bool first) = 0;
    // Whether what this control holds depends on more than its place (the tab page).
    virtual bool leadsInside() const { return false; }
    // Whether assistive technology reads the caption as the control's name.
    virtual bool namedByCaption() const { return false; }
    // The kind's say in its widget's geometry, taken from the control's.
    virtual void fit(QRect&) const {}
    // A standard entry field (text box, list, combo box) in the control's colours.
    void syncFieldColors(bool first, ShownColors& shown);
    // Whether the caption changed since the last sync (true on the first); for syncLook.
    bool captionChanged() const { return captionChanged_; }

    Control& c_;
    BindingShared& shared_;
    QWidget* w_ = nullptr;

private:
    void syncGeometry(bool first, bool fontChanged);
    void syncName(bool first);

    bool first_ = true;
    // The place last taken, in twips: a pass over an unmoved control compares these
    // alone, without converting them to pixels.
    double left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    QRect rect_;
    bool visible_ = false, enabled_ = true;
    Font font_;
    std::string caption_;
    bool captionChanged_ = false;
    // The name assistive technology reads: the caption, or else the accessible name
    // last taken.
    bool namedByCaption_ = false;
    std::string accessible_;
};

// A binding of control class C on widget class W.
template <class C, class W>
class BindingOf : public ControlBinding {
public:
    BindingOf(C& c, BindingShared& shared) : ControlBinding(c, shared) {}

protected:
    C& obj() const { return static_cast<C&>(c_); }
    W* view() const { return static_cast<W*>(w_); }
};

// The binding of the control's kind; null for a kind without a widget (a timer).
std::unique_ptr<ControlBinding> bindControl(Control& c, BindingShared& shared);

// The kinds' bindings, one file each.
std::unique_ptr<ControlBinding> bindLabel(Label& c, BindingShared& shared);
std::unique_ptr<ControlBinding> bindCommandButton(CommandButton& c, BindingShared& shared);
std::unique_ptr<ControlBinding> bindCheckBox(CheckBox& c, BindingShared& shared);
std::unique_ptr<ControlBinding> bindOptionButton(OptionButton& c, BindingShared& shared);
std::unique_ptr<ControlBinding> bindFrame(Frame& c, BindingShared& shared);
std::unique_ptr<ControlBinding> bindPictureBox(PictureBox& c, BindingShared& shared);
std::unique_ptr<ControlBinding> bindImage(Image& c, BindingShared& shared);
std::unique_ptr<ControlBinding> bindShape(Shape& c, BindingShared& shared);
std::unique_ptr<ControlBinding> bindComboBox(ComboBox& c, BindingShared& shared);
std::unique_ptr<ControlBinding> bindFileListBox(FileListBox& c, BindingShared& shared);
std::unique_ptr<ControlBinding> bindScrollBar(ScrollBar& c, BindingShared& shared);
std::unique_ptr<ControlBinding> bindTextBox(TextBox& c, BindingShared& shared);
std::unique_ptr<ControlBinding> bindTabControl(TabControl& c, BindingShared& shared);

}  // namespace qv
