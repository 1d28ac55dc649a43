// Window objects: the controls of the program's windows as plain data.
//
// The program's logic keeps its state in controls (a label's colour is an LED's lit
// state, a button's caption is the play state, a label's Tag is an input's enable
// flag). So that logic can be exact and testable without a screen, every window is a
// plain C++ object holding controls like these; a Qt binder (src/platform/qt) renders
// them and feeds user input back into their event handlers. Nothing here includes
// Qt Widgets.
//
// Units: positions and sizes are twips (1/1440 inch) relative to the control's
// container; colours are colour numbers 0x00BBGGRR (red in the low byte), or a
// system colour with the high bit set (kButtonFace).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace qv {

class EventLoop;
class Form;
class Runtime;
class ViewNotices;

// A value a control refuses (a scroll bar value outside its range, a list index past its
// end, a colour no colour property takes), as the platform raises "Invalid property
// value". Values read from a file are checked before a control sees them, so whatever a
// control throws is a fault of the program, reported at the view's run-time-error
// boundary.
class InvalidValue : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Color = int32_t;

inline constexpr Color kButtonFace = static_cast<Color>(0x8000000F);  // system button face
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kBlack = 0x000000;

enum class ControlKind {
    Label,
    CommandButton,
    CheckBox,
    OptionButton,
    Frame,
    PictureBox,
    Image,
    Shape,
    ComboBox,
    FileListBox,
    HScrollBar,
    VScrollBar,
    TextBox,
    Timer,
    TabControl,
};

// The font every control starts with, asked for by name.
inline constexpr const char* kDefaultFontName = "Comic Sans MS";

struct Font {
    std::string Name = kDefaultFontName;
    double Size = 8.25;
    bool Bold = false;
    bool Italic = false;
    bool operator==(const Font&) const = default;
};

enum class Align { Left, Center, Right };

class Control;
template <class T>
class Prop;
template <class T>
inline constexpr bool kIsProp = false;
template <class T>
inline constexpr bool kIsProp<Prop<T>> = true;

// A property of a control that the window shows. It reads as its value; a write that
// changes the value tells the control, so that the view brings only the controls that
// changed in step instead of comparing every control after every event.
template <class T>
class Prop {
public:
    explicit Prop(Control* owner, T value = T()) : owner_(owner), v_(std::move(value)) {}
    Prop(const Prop&) = delete;
    Prop& operator=(const Prop& other) { return *this = other.v_; }
    Prop& operator=(const T& v) {
        if (!(v_ == v)) {
            v_ = v;
            touched();
        }
        return *this;
    }
    Prop& operator=(T&& v) {
        if (!(v_ == v)) {
            v_ = std::move(v);
            touched();
        }
        return *this;
    }

    template <class U>
    Prop& operator+=(const U& d) {
        return *this = static_cast<T>(v_ + d);
    }
    template <class U>
    Prop& operator-=(const U& d) {
        return *this = static_cast<T>(v_ - d);
    }

    operator const T&() const { return v_; }
    const T& get() const { return v_; }
    const T* operator->() const { return &v_; }
    // A text's or a list's own reading functions.
    auto begin() const requires requires(const T& t) { t.begin(); }
    { return v_.begin(); }
    auto end() const requires requires(const T& t) { t.end(); }
    { return v_.end(); }
    auto size() const requires requires(const T& t) { t.size(); }
    { return v_.size(); }
    bool empty() const requires requires(const T& t) { t.empty(); }
    { return v_.empty(); }
    decltype(auto) operator[](size_t i) const requires requires(const T& t) { t[i]; }
    { return v_[i]; }
    // For changing a part of the value in place (a font's size, an item added to a list):
    // the control counts as changed.
    T& edit() {
        touched();
        return v_;
    }

    friend bool operator==(const Prop& a, const Prop& b) { return a.v_ == b.v_; }
    friend bool operator==(const Prop& a, const T& b) { return a.v_ == b; }
    template <class U>
    requires(!kIsProp<U>) && requires(const T& t, const U& u) { t == u; }
    friend bool operator==(const Prop& a, const U& b) { return a.v_ == b; }
    // Joins texts (a caption and a suffix) as the value itself would.
    template <class U>
    requires(!kIsProp<U>) && requires(const T& t, const U& u) { t + u; }
    friend auto operator+(const Prop& a, const U& b) { return a.v_ + b; }
    template <class U>
    requires(!kIsProp<U>) && requires(const U& u, const T& t) { u + t; }
    friend auto operator+(const U& a, const Prop& b) { return a + b.v_; }
    template <class Out>
    requires requires(Out& out, const T& t) { out << t; }
    friend Out& operator<<(Out& out, const Prop& p) {
        out << p.v_;
        return out;
    }

private:
    void touched();
    Control* owner_;
    T v_;
};

// Common base of every control. Fields are public on purpose: the handlers read and
// write them as the window's own properties. Those the window shows are Props, which tell
// the form when they change; the binder then compares the changed controls with what
// their widgets show and brings the widgets in step.
class Control {
public:
    Control(Form& form, ControlKind kind, std::string name, int index, Control* container);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form;
    const ControlKind kind;
    const std::string name;    // e.g. "Label_StatusBalk"
    const int index;           // element index within its control array, or -1
    Control* const container;  // nullptr: the form itself

    Prop<double> Left{this}, Top{this}, Width{this}, Height{this};
    Prop<bool> Visible{this, true};
    Prop<bool> Enabled{this, true};
    Prop<Color> BackColor{this, kButtonFace};
    Prop<Color> ForeColor{this, 0x000000};
    Prop<Font> font{this};
    Prop<std::string> Caption{this};
    std::string Tag;
    // Tab page of a tab control this control sits on (its container), or -1.
    int tabPage = -1;
    // Name for assistive technology where the control shows no text of its own.
    Prop<std::string> accessibleName{this};

    // Places the control: left, top, width and height in twips within its container.
    void Move(double left, double top, double width, double height) {
        Left = left;
        Top = top;
        Width = width;
        Height = height;
    }

    // "Label_StatusBalk(3)" for array elements, else the plain name.
    std::string qualifiedName() const;

    // Click event, raised by the binder on a user click (and by the model where the
    // platform raises it for code changes, see CheckBox and OptionButton).
    std::function<void()> onClick;
    void click() {
        if (onClick) onClick();
    }

    // A property the window shows has changed: the form hears of it once, until the view
    // has taken its list of changed controls.
    void changed();
    // Place in the form's collection.
    int order() const { return order_; }

private:
    friend class Form;
    int order_ = -1;
    bool changed_ = false;
};

class Label : public Control {
public:
    Label(Form& f, std::string n, int i = -1, Control* c = nullptr)
        : Control(f, ControlKind::Label, std::move(n), i, c) {}
    Prop<Align> Alignment{this, Align::Left};
    Prop<bool> BorderSingle{this, false};
    Prop<bool> Transparent{this, false};  // BackStyle 0
};

class CommandButton : public Control {
public:
    CommandButton(Form& f, std::string n, int i = -1, Control* c = nullptr)
        : Control(f, ControlKind::CommandButton, std::move(n), i, c) {}
    bool Graphical = false;
    // Picture file (absolute path) or a design picture ("design:<name>"); empty = none.
    Prop<std::string> Picture{this};
    Prop<bool> UseMaskColor{this, false};
    Prop<Color> MaskColor{this, 0x000000};
    // For a button that switches something on and off (an LED output): whether it is on
    // now, told to assistive technology. Empty for a button that only acts.
    std::function<bool()> isOn;
};

class CheckBox : public Control {
public:
    CheckBox(Form& f, std::string n, int i = -1, Control* c = nullptr)
        : Control(f, ControlKind::CheckBox, std::move(n), i, c) {}
    bool Graphical = false;
    int value() const { return value_; }
    // As the platform does: a value that differs from the present one raises Click.
    void setValue(int v);

private:
    int value_ = 0;
};

class OptionButton : public Control {
public:
    OptionButton(Form& f, std::string n, int i = -1, Control* c = nullptr)
        : Control(f, ControlKind::OptionButton, std::move(n), i, c) {}
    bool Graphical = false;
    Prop<std::string> Picture{this};
    bool value() const { return value_; }
    // Selecting deselects the other option buttons of the same container and raises
    // Click when the button was not selected before.
    void select();
    // Design-time initialisation without events.
    void initValue(bool v);

private:
    bool value_ = false;
};

class Frame : public Control {
public:
    Frame(Form& f, std::string n, int i = -1, Control* c = nullptr)
        : Control(f, ControlKind::Frame, std::move(n), i, c) {}
    Prop<bool> BorderSingle{this, true};
};

// Text printed onto a picture box, in pixels (the box's drawing unit). The box keeps
// what was printed, in the font it was printed in, whatever its font becomes later.
struct PrintedText {
    std::string text;
    Color color;
    int x, y;
    Font font;
    bool operator==(const PrintedText&) const = default;
};

class PictureBox : public Control {
public:
    PictureBox(Form& f, std::string n, int i = -1, Control* c = nullptr)
        : Control(f, ControlKind::PictureBox, std::move(n), i, c) {}
    Prop<bool> BorderSingle{this, false};
    Prop<std::string> Picture{this};  // design picture or file, drawn unscaled at the top left
    Prop<std::vector<PrintedText>> printed{this};
    Prop<int> repaints{this, 0};  // bumped by Refresh
    void Refresh() { ++repaints.edit(); }
};

class Image : public Control {
public:
    Image(Form& f, std::string n, int i = -1, Control* c = nullptr)
        : Control(f, ControlKind::Image, std::move(n), i, c) {}
    Prop<std::string> Picture{this};
    Prop<bool> Stretch{this, true};
};

class Shape : public Control {
public:
    Shape(Form& f, std::string n, int i = -1, Control* c = nullptr)
        : Control(f, ControlKind::Shape, std::move(n), i, c) {}
    Prop<Color> FillColor{this, 0x000000};
    Prop<bool> FillSolid{this, true};
    Prop<bool> BorderVisible{this, true};
};

class ComboBox : public Control {
public:
    ComboBox(Form& f, std::string n, int i = -1, Control* c = nullptr)
        : Control(f, ControlKind::ComboBox, std::move(n), i, c) {}
    Prop<std::string> Text{this};
    Prop<std::vector<std::string>> items{this};
    void Clear() { items = {}; }
    void AddItem(std::string s) { items.edit().push_back(std::move(s)); }
    int ListCount() const { return static_cast<int>(items->size()); }
};

class FileListBox : public Control {
public:
    FileListBox(Form& f, std::string n, int i = -1, Control* c = nullptr)
        : Control(f, ControlKind::FileListBox, std::move(n), i, c) {}
    std::string Pattern = "*.*";
    std::string path() const { return path_; }
    // Setting the folder lists its files matching Pattern, sorted by name.
    void setPath(const std::string& folder);
    const std::vector<std::string>& items() const { return items_; }
    int ListCount() const { return static_cast<int>(items_.size()); }
    int listIndex() const { return listIndex_; }
    // A changed selection raises Click, as a user's selection does.
    void setListIndex(int i);
    // The selected file name, empty when none.
    std::string FileName() const;

private:
    std::string path_;
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

class ScrollBar : public Control {
public:
    ScrollBar(Form& f, std::string n, bool vertical, int i = -1, Control* c = nullptr)
        : Control(f, vertical ? ControlKind::VScrollBar : ControlKind::HScrollBar, std::move(n), i, c) {}
    Prop<int> Min{this, 0}, Max{this, 32767}, SmallChange{this, 1}, LargeChange{this, 1};
    int value() const { return value_; }
    // Refuses values outside Min..Max (throws InvalidValue); a value that differs from
    // the present one raises Change.
    void setValue(int v);
    void initValue(int v) {
        if (v == value_) return;
        value_ = v;
        changed();
    }
    std::function<void()> onChange;
    std::function<void()> onScroll;

private:
    int value_ = 0;
};

class TextBox : public Control {
public:
    TextBox(Form& f, std::string n, int i = -1, Control* c = nullptr)
        : Control(f, ControlKind::TextBox, std::move(n), i, c) {}
    Prop<std::string> Text{this};
};

class TabControl : public Control {
public:
    TabControl(Form& f, std::string n, int i = -1, Control* c = nullptr)
        : Control(f, ControlKind::TabControl, std::move(n), i, c) {}
    Prop<std::vector<std::string>> tabs{this};
    Prop<int> Tab{this, 0};  // the page showing
    Prop<double> TabHeight{this, 520};
};

// An interval timer. Enabling it (or changing its interval while enabled) restarts the
// interval; it fires onTimer every Interval ms until disabled.
class Timer : public Control {
public:
    Timer(Form& f, std::string n, EventLoop& loop, int intervalMs);
    ~Timer() override;
    int interval() const { return interval_; }
    void setInterval(int ms);
    bool enabled() const { return enabled_; }
    void setEnabled(bool on);
    std::function<void()> onTimer;

private:
    void restart();
    EventLoop& loop_;
    int interval_;
    bool enabled_ = false;
    int timerId_ = 0;
};

// A control array: elements addressed by their own index (1..8, or 0..12).
template <class T>
class ControlArray {
public:
    ControlArray() = default;
    template <class Make>
    void create(int lo, int hi, Make make) {
        lo_ = lo;
        for (int i = lo; i <= hi; ++i) items_.push_back(make(i));
    }
    T& operator()(int i) {
        if (i < lo_ || i >= lo_ + static_cast<int>(items_.size()))
            throw std::out_of_range("control array index");
        return *items_[static_cast<size_t>(i - lo_)];
    }
    const T& operator()(int i) const { return const_cast<ControlArray*>(this)->operator()(i); }

private:
    int lo_ = 0;
    std::vector<std::unique_ptr<T>> items_;
};

enum class FormBorder { None, Sizable, FixedDialog };

// A window. Holds its controls in creation order (the resizer walks that collection).
class Form {
public:
    // `loop` runs the window's timers; `view` hears when it is shown, hidden or unloaded.
    Form(EventLoop& loop, ViewNotices& view, std::string name);
    Form(Runtime& rt, std::string name);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    // The window that is active, as far as the program knows; null when none of its
    // windows is.
    static Form* active() { return active_; }

    const std::string name;
    std::string Caption;
    double ClientWidth = 0, ClientHeight = 0;  // twips
    Color BackColor = kButtonFace;
    FormBorder Border = FormBorder::Sizable;
    bool Maximized = false;
    bool Enabled = true;
    // Outer geometry in twips, kept by the view (the resizer reads it).
    double Left = 0, Top = 0, Width = 0, Height = 0;
    std::string accessibleName;
    // The control the keyboard focus starts on when the window is first shown; null: the
    // first one that takes the focus.
    Control* firstInTabOrder = nullptr;

    bool visible() const { return visible_; }
    void Show();
    void Hide();
    // The window becomes the active one (shown, or brought to the front by the user);
    // raises Form_Activate when it was not active.
    void activate();
    // The form's controls in creation order.
    const std::vector<Control*>& Controls() const { return controls_; }
    // The controls changed since the last call, each once, in the order they changed.
    std::vector<Control*> takeChanged();
    Control* find(const std::string& qualifiedName) const;

    // Events the view raises. Each runs the handler hooked in by whoever owns the window's
    // behaviour; a window without one ignores the event.
    virtual void Form_Activate() {
        if (onActivate) onActivate();
    }
    virtual void Form_Resize() {
        if (onResize) onResize();
    }
    virtual void Form_KeyPress(int keyAscii) {
        if (onKeyPress) onKeyPress(keyAscii);
    }
    std::function<void()> onActivate;
    std::function<void()> onResize;
    std::function<void(int keyAscii)> onKeyPress;
    // The user closes the window (close box): by default the form's owner unloads it.
    std::function<void()> onCloseRequest;

    // Owned-control factory: creates, registers and returns the control.
    template <class T, class... A>
    T& add(A&&... args) {
        auto c = std::make_unique<T>(*this, std::forward<A>(args)...);
        T& ref = *c;
        enlist(*c);
        owned_.push_back(std::move(c));
        return ref;
    }
    // A timer without an interval stays still until whoever runs it gives it one.
    Timer& addTimer(std::string n, int intervalMs = 0);
    template <class T>
    void addArray(ControlArray<T>& arr, int lo, int hi, const std::string& n,
                  Control* containerOf = nullptr) {
        arr.create(lo, hi, [&](int i) {
            auto c = std::make_unique<T>(*this, n, i, containerOf);
            enlist(*c);
            return c;
        });
    }
    // Arrays whose element i sits in the container containerOf(i).
    template <class T, class F>
    void addArrayIn(ControlArray<T>& arr, int lo, int hi, const std::string& n, F containerOf) {
        arr.create(lo, hi, [&](int i) {
            auto c = std::make_unique<T>(*this, n, i, containerOf(i));
            enlist(*c);
            return c;
        });
    }

private:
    friend class Control;
    void enlist(Control& c) {
        c.order_ = static_cast<int>(controls_.size());
        controls_.push_back(&c);
        // A new control is shown whole when its window is.
        c.changed();
    }
    // One per process, as the desktop has one active window.
    static inline Form* active_ = nullptr;
    EventLoop& loop_;
    ViewNotices& view_;
    bool visible_ = false;
    std::vector<Control*> controls_;
    std::vector<Control*> changed_;
    std::vector<std::unique_ptr<Control>> owned_;
};

inline void Control::changed() {
    if (changed_) return;
    changed_ = true;
    form.changed_.push_back(this);
}

template <class T>
void Prop<T>::touched() {
    owner_->changed();
}

}  // namespace qv
