// The Qt view of the window objects.
//
// One generic binder renders any Form: a top-level widget per shown form and a child
// widget per control, made and kept by the binding of the control's kind. After every handler and before
// every wait the runtime calls syncAll(), which compares the fields of each object that changed since the
// last pass with what its widget shows and touches only what differs, so an idle pass looks at no control
// and repaints nothing.
// User input goes the other way: a click, a choice, a scroll or a key becomes the object's own event
// (click(), setValue(), select(), ...), followed by a sync.
//
// Handlers may run nested waits and may unload the very window whose widget raised the
// event; the binder then drops every pointer to the form at once and leaves the widgets
// to be disposed of at the outer event loop, never under a running signal.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/control_binding.h"
#include "platform/qt/view_host.h"

class QObject;
class QWidget;

namespace qv {

class Control;
class ViewServices;

class QtBinder : public ViewHost, private Dispatcher {
public:
    explicit QtBinder(ViewServices& rt);
    ~QtBinder() override;
    QtBinder(const QtBinder&) = delete;
    QtBinder& operator=(const QtBinder&) = delete;

    void formShown(Form& f) override;
    void formHidden(Form& f) override;
    void formUnloaded(Form& f) override;
    void syncAll() override;

    // The top-level widget of a form that has been shown and not unloaded, else null.
    QWidget* window(const Form& f) const;
    // The widget of a control of such a form, else null (timers have none).
    QWidget* widget(const Control& c) const;

    // Pixels per twip on this screen: 1/15 at 96 dots per inch.
    double pixelsPerTwip() const;

    struct FormView;

private:
    FormView* find(const Form& f) const;
    void build(FormView& v);
    void syncForm(FormView& v);
    void geometryChanged(FormView& v, bool resized);
    // Errors a handler lets out end the program as the platform ends it after an
    // untrapped error.
    void dispatch(const std::shared_ptr<bool>& alive, const std::function<void()>& action) override;
    void fail(const std::string& what);

    ViewServices& rt_;
    BindingShared shared_;
    std::vector<std::unique_ptr<FormView>> forms_;
    std::unique_ptr<QObject> inputGate_;
    bool syncing_ = false;
};

}  // namespace qv
