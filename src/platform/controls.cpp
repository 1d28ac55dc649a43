#include "platform/controls.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "platform/runtime.h"

namespace qv {

Control::Control(Form& f, ControlKind k, std::string n, int i, Control* c)
    : form(f), kind(k), name(std::move(n)), index(i), container(c) {}

std::string Control::qualifiedName() const {
    return index < 0 ? name : name + "(" + std::to_string(index) + ")";
}

void CheckBox::setValue(int v) {
    if (v == value_) return;
    value_ = v;
    changed();
    click();
}

void OptionButton::initValue(bool v) {
    if (v == value_) return;
    value_ = v;
    changed();
}

void OptionButton::select() {
    if (value_) return;
    for (Control* c : form.Controls()) {
        if (c != this && c->kind == ControlKind::OptionButton && c->container == container)
            static_cast<OptionButton*>(c)->initValue(false);
    }
    initValue(true);
    click();
}

namespace {

std::string lower(std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return s;
}

// "*.led" style patterns: a leading star and a literal rest, compared without case as
// the file list does on the platform the program was made for.
bool matches(const std::string& pattern, const std::string& file) {
    if (pattern == "*.*" || pattern == "*") return true;
    if (!pattern.empty() && pattern[0] == '*') {
        const std::string tail = lower(pattern.substr(1));
        const std::string f = lower(file);
        return f.size() >= tail.size() && f.compare(f.size() - tail.size(), tail.size(), tail) == 0;
    }
    return lower(pattern) == lower(file);
}

}  // namespace

void FileListBox::setPath(const std::string& folder) {
    changed();
    path_ = folder;
    items_.clear();
    listIndex_ = -1;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
        if (!e.is_regular_file(ec)) continue;
        const std::string n = e.path().filename().string();
        if (matches(Pattern, n)) items_.push_back(n);
    }
    std::sort(items_.begin(), items_.end(),
              [](const std::string& a, const std::string& b) { return lower(a) < lower(b); });
}

void FileListBox::setListIndex(int i) {
    if (i < -1 || i >= ListCount()) throw InvalidValue("file list index");
    if (i == listIndex_) return;
    listIndex_ = i;
    changed();
    click();
}

std::string FileListBox::FileName() const {
    return listIndex_ >= 0 ? items_[static_cast<size_t>(listIndex_)] : std::string();
}

void ScrollBar::setValue(int v) {
    if (v < std::min(Min, Max) || v > std::max(Min, Max)) throw InvalidValue("scroll bar value");
    if (v == value_) return;
    value_ = v;
    changed();
    if (onChange) onChange();
}

Timer::Timer(Form& f, std::string n, EventLoop& loop, int intervalMs)
    : Control(f, ControlKind::Timer, std::move(n), -1, nullptr), loop_(loop), interval_(intervalMs) {
    Visible = false;
}

Timer::~Timer() {
    if (timerId_) loop_.stopTimer(timerId_);
}

void Timer::setInterval(int ms) {
    interval_ = ms;
    restart();
}

void Timer::setEnabled(bool on) {
    enabled_ = on;
    restart();
}

void Timer::restart() {
    if (timerId_) {
        loop_.stopTimer(timerId_);
        timerId_ = 0;
    }
    if (enabled_ && interval_ > 0) {
        timerId_ = loop_.startTimer(interval_, [this] {
            if (enabled_ && onTimer) onTimer();
        });
    }
}

Form::Form(EventLoop& loop, ViewNotices& view, std::string n)
    : name(std::move(n)), loop_(loop), view_(view) {}

Form::Form(Runtime& rt, std::string n) : Form(rt, rt, std::move(n)) {}

Form::~Form() {
    if (active_ == this) active_ = nullptr;
}

Timer& Form::addTimer(std::string n, int intervalMs) { return add<Timer>(std::move(n), loop_, intervalMs); }

void Form::Show() {
    visible_ = true;
    // Also for a shown window: it comes to the front and becomes the active one.
    view_.formShown(*this);
    activate();
}

void Form::activate() {
    if (active_ == this) return;
    active_ = this;
    Form_Activate();
}

void Form::Hide() {
    if (!visible_) return;
    visible_ = false;
    if (active_ == this) active_ = nullptr;
    view_.formHidden(*this);
}

std::vector<Control*> Form::takeChanged() {
    std::vector<Control*> taken;
    taken.swap(changed_);
    for (Control* c : taken) c->changed_ = false;
    return taken;
}

Control* Form::find(const std::string& qualifiedName) const {
    for (Control* c : controls_)
        if (c->qualifiedName() == qualifiedName) return c;
    return nullptr;
}

}  // namespace qv
