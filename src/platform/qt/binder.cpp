#include "platform/qt/binder.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QPointer>
#include <algorithm>
#include <exception>
#include <unordered_map>

#include "platform/controls.h"
#include "platform/qt/form_window.h"
#include "platform/qt/values.h"
#include "platform/qt/widget_accessibility.h"
#include "platform/qt/window_placement.h"
#include "platform/runtime.h"

namespace qv {

struct QtBinder::FormView {
    Form* form = nullptr;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
    QPointer<view::FormWindow> win;
    std::vector<std::unique_ptr<ControlBinding>> controls;
    std::unordered_map<const Control*, ControlBinding*> byControl;
    // By a control's place in its form: the index of its binding in `controls`, or -1.
    std::vector<int> slot;
    // By binding: the bindings of the controls inside it, all later in `controls`.
    std::vector<std::vector<int>> inside;
    // Bindings whose look follows the program's state beyond their control's fields.
    std::vector<char> always;
    // Bindings due in the pass under way.
    std::vector<char> due;

    bool first = true;
    std::string caption, accessible;
    Color back = 0;
    bool enabled = true;
    WindowPlacement placement;
};

QtBinder::QtBinder(ViewServices& rt)
    : rt_(rt), shared_{Twips::ofPrimaryScreen(), {}}, inputGate_(std::make_unique<view::InputGate>()) {
    QCoreApplication::instance()->installEventFilter(inputGate_.get());
    QAccessible::installFactory(view::accessibleInterface);
}

QtBinder::~QtBinder() {
    for (auto& v : forms_) {
        *v->alive = false;
        if (v->win) {
            v->win->detach();
            delete v->win.data();
        }
    }
}

double QtBinder::pixelsPerTwip() const { return shared_.twips.pixelsPerTwip(); }

QtBinder::FormView* QtBinder::find(const Form& f) const {
    for (const auto& v : forms_)
        if (v->form == &f) return v.get();
    return nullptr;
}

QWidget* QtBinder::window(const Form& f) const {
    const FormView* v = find(f);
    return v ? v->win.data() : nullptr;
}

QWidget* QtBinder::widget(const Control& c) const {
    const FormView* v = find(c.form);
    if (!v) return nullptr;
    auto it = v->byControl.find(&c);
    return it == v->byControl.end() ? nullptr : it->second->widget();
}

void QtBinder::dispatch(const std::shared_ptr<bool>& alive, const std::function<void()>& action) {
    if (syncing_ || !*alive) return;
    const std::shared_ptr<bool> keep = alive;
    // The program's run-time-error boundary, and its only catch. Failures the program
    // expects come back as Results and are answered where they occur; an exception here is
    // a fault (a control refusing a value, say) and ends the program with the run-time
    // error box, as an unhandled error did on the platform the program was made for.
    try {
        action();
    } catch (const std::exception& e) {
        fail(e.what());
    }
    syncAll();
}

void QtBinder::fail(const std::string& what) {
    rt_.msgBox("Run-time error:\r" + what, MsgCritical, rt_.env().exeName);
    rt_.quit();
}

void QtBinder::formShown(Form& f) {
    FormView* v = find(f);
    if (!v) {
        auto fresh = std::make_unique<FormView>();
        fresh->form = &f;
        v = fresh.get();
        forms_.push_back(std::move(fresh));
        build(*v);
    }
    const std::shared_ptr<bool> alive = v->alive;
    syncForm(*v);
    if (!v->placement.placed()) {
        v->placement.place(f, *v->win, shared_.twips);
        if (f.firstInTabOrder) {
            if (auto it = v->byControl.find(f.firstInTabOrder); it != v->byControl.end())
                it->second->widget()->setFocus();
        }
    } else {
        // Shown again, possibly behind another window: it comes to the front.
        v->win->show();
        v->win->raise();
    }
    if (!*alive || !v->win) return;
    v->win->activateWindow();
    geometryChanged(*v, false);
}

void QtBinder::formHidden(Form& f) {
    if (FormView* v = find(f); v && v->win) v->win->hide();
}

void QtBinder::formUnloaded(Form& f) {
    auto it = std::find_if(forms_.begin(), forms_.end(), [&](const auto& v) { return v->form == &f; });
    if (it == forms_.end()) return;
    *(*it)->alive = false;
    QPointer<view::FormWindow> win = (*it)->win;
    forms_.erase(it);
    if (!win) return;
    win->detach();
    win->hide();
    // The widget that raised the event being handled may belong to this window: delete
    // the widgets only once the program is back at its outer event loop.
    rt_.disposeLater([win] { delete win.data(); });
}

void QtBinder::build(FormView& v) {
    Form& f = *v.form;
    auto* win = new view::FormWindow();
    v.win = win;
    win->setObjectName(view::qs(f.name));
    switch (f.Border) {
        case FormBorder::None:
            win->setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
            break;
        case FormBorder::FixedDialog:
            win->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowCloseButtonHint);
            break;
        case FormBorder::Sizable:
            win->setWindowFlags(Qt::Window);
            break;
    }

    // Containers first: a control's widget is made inside its container's.
    std::function<ControlBinding*(Control&)> ensure = [&](Control& c) -> ControlBinding* {
        if (auto it = v.byControl.find(&c); it != v.byControl.end()) return it->second;
        QWidget* parent = win;
        if (c.container) {
            if (ControlBinding* holder = ensure(*c.container)) parent = holder->widget();
        }
        std::unique_ptr<ControlBinding> b = bindControl(c, shared_);
        if (!b) return nullptr;
        ControlBinding* ref = b.get();
        v.byControl.emplace(&c, ref);
        v.controls.push_back(std::move(b));
        ref->create(parent);
        return ref;
    };
    for (Control* c : f.Controls()) ensure(*c);
    v.slot.assign(f.Controls().size(), -1);
    v.inside.resize(v.controls.size());
    v.always.assign(v.controls.size(), 0);
    v.due.assign(v.controls.size(), 0);
    std::unordered_map<const ControlBinding*, int> index;
    for (size_t i = 0; i < v.controls.size(); ++i) index.emplace(v.controls[i].get(), static_cast<int>(i));
    for (size_t i = 0; i < v.controls.size(); ++i) {
        const Control& c = v.controls[i]->control();
        v.slot[static_cast<size_t>(c.order())] = static_cast<int>(i);
        v.always[i] = v.controls[i]->followsProgram();
        if (c.container) {
            if (auto it = v.byControl.find(c.container); it != v.byControl.end())
                v.inside[static_cast<size_t>(index.at(it->second))].push_back(static_cast<int>(i));
        }
    }
    for (auto& b : v.controls)
        if (b->windowed()) b->widget()->raise();
    const FormInput input(*this, v.alive, f);
    for (auto& b : v.controls) b->wireInput(input);

    FormView* pv = &v;
    const std::shared_ptr<bool> alive = v.alive;
    win->onActivate = [this, alive, pv] {
        // A disabled window cannot become the active one by the user's hand.
        if (*alive && pv->form->Enabled) dispatch(alive, [pv] { pv->form->activate(); });
    };
    win->onCloseRequest = [this, alive, pv] {
        dispatch(alive, [pv] {
            if (pv->form->onCloseRequest) pv->form->onCloseRequest();
        });
    };
    win->onKey = [this, alive, pv](int code) {
        dispatch(alive, [pv, code] { pv->form->Form_KeyPress(code); });
    };
    win->onGeometry = [this, alive, pv](bool resized) {
        if (*alive && pv->placement.placed()) geometryChanged(*pv, resized);
    };
}

void QtBinder::geometryChanged(FormView& v, bool resized) {
    Form& f = *v.form;
    v.placement.follow(f, *v.win, shared_.twips);
    if (resized && f.Border == FormBorder::Sizable) dispatch(v.alive, [&f] { f.Form_Resize(); });
}

void QtBinder::syncAll() {
    if (syncing_) return;
    syncing_ = true;
    for (const auto& v : forms_)
        if (v->win && v->form->visible()) syncForm(*v);
    shared_.pictures.releaseUnused();
    syncing_ = false;
}

void QtBinder::syncForm(FormView& v) {
    Form& f = *v.form;
    view::FormWindow* win = v.win;
    const bool first = v.first;
    if (take(first, v.caption, f.Caption)) win->setWindowTitle(view::qs(f.Caption));
    if (take(first, v.accessible, f.Caption.empty() ? f.accessibleName : f.Caption))
        win->setAccessibleName(view::qs(v.accessible));
    if (take(first, v.back, f.BackColor)) {
        win->back = view::toQColor(f.BackColor);
        win->update();
    }
    if (take(first, v.enabled, f.Enabled)) win->takesInput = f.Enabled;
    // Only the controls that changed since the last pass, those that follow them, and
    // those whose look the program's state decides, in the order the widgets were made,
    // so that a container goes before what it holds. The first pass takes every control.
    for (const Control* c : f.takeChanged()) {
        if (const int i = v.slot[static_cast<size_t>(c->order())]; i >= 0) v.due[static_cast<size_t>(i)] = 1;
    }
    for (size_t i = 0; i < v.controls.size(); ++i) {
        if (!first && !v.due[i]) {
            if (v.always[i]) v.controls[i]->followProgram();
            continue;
        }
        v.due[i] = 0;
        if (v.controls[i]->sync())
            for (const int inner : v.inside[i]) v.due[static_cast<size_t>(inner)] = 1;
    }
    v.first = false;
}

}  // namespace qv
