// What the production Runtime needs of the view: it tells the view when a window is
// shown, hidden or unloaded, and asks it to bring every shown widget in step with its
// window object before the program blocks or yields (a wait, a message box) and after
// each event it dispatched (timer tick, serial receive, posted call).
#pragma once

namespace qv {

class Form;

class ViewHost {
public:
    virtual ~ViewHost() = default;
    virtual void formShown(Form& f) = 0;
    virtual void formHidden(Form& f) = 0;
    virtual void formUnloaded(Form& f) = 0;
    virtual void syncAll() = 0;
};

}  // namespace qv
