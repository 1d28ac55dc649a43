#include "windows/program.h"

#include <functional>
#include <memory>

#include "windows/form_options.h"
#include "windows/form_quorvane.h"
#include "windows/form_show_image.h"
#include "windows/form_zoeken.h"

namespace qv {

Program::Program(Runtime& r) : rt(r), main_(std::make_unique<FormQuorvane>(r)) {}

Program::~Program() {
    // Windows before the values they refer to; the main window last, since the others
    // reach it.
    showImage_.reset();
    zoeken_.reset();
    options_.reset();
    main_.reset();
}

namespace {

// A window is loaded, hidden, the first time anything touches it.
template <class F>
F& loaded(std::unique_ptr<F>& slot, Runtime& rt, const std::function<void(F&)>& onLoad) {
    if (!slot) {
        slot = std::make_unique<F>(rt);
        if (onLoad) onLoad(*slot);
    }
    return *slot;
}

// Unloading hides the window at once and disposes of it only once control is back at the
// outer event loop, so that a handler of the window may still finish.
template <class F>
void unload(std::unique_ptr<F>& slot, Runtime& rt, const std::function<void(F&)>& beforeHide) {
    if (!slot) return;
    std::shared_ptr<F> old(slot.release());
    if (beforeHide) beforeHide(*old);
    old->Hide();
    rt.formUnloaded(*old);
    rt.disposeLater([old] {});
}

}  // namespace

FormOptions& Program::options() { return loaded(options_, rt, onOptionsLoad); }

void Program::unloadOptions() { unload(options_, rt, onOptionsUnload); }

FormZoeken& Program::zoeken() { return loaded(zoeken_, rt, onZoekenLoad); }

void Program::unloadZoeken() {
    unload<FormZoeken>(zoeken_, rt, [](FormZoeken& z) { z.Timer_Zoeken.setEnabled(false); });
}

FormShowImage& Program::showImage() { return loaded(showImage_, rt, onShowImageLoad); }

std::string Program::programPath(const std::string& folder, const std::string& name) const {
    return rt.env().programFolder + "/" + folder + "/" + name;
}

}  // namespace qv
