#include "windows/program.h"

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

FormOptions& Program::options() {
    if (!options_) {
        options_ = std::make_unique<FormOptions>(rt);
        if (onOptionsLoad) onOptionsLoad(*options_);
    }
    return *options_;
}

void Program::unloadOptions() {
    if (!options_) return;
    std::shared_ptr<FormOptions> old(options_.release());
    if (onOptionsUnload) onOptionsUnload(*old);
    old->Hide();
    rt.formUnloaded(*old);
    rt.disposeLater([old] {});
}

FormZoeken& Program::zoeken() {
    if (!zoeken_) {
        zoeken_ = std::make_unique<FormZoeken>(rt);
        if (onZoekenLoad) onZoekenLoad(*zoeken_);
    }
    return *zoeken_;
}

void Program::unloadZoeken() {
    if (!zoeken_) return;
    std::shared_ptr<FormZoeken> old(zoeken_.release());
    old->Timer_Zoeken.setEnabled(false);
    old->Hide();
    rt.formUnloaded(*old);
    rt.disposeLater([old] {});
}

FormShowImage& Program::showImage() {
    if (!showImage_) {
        showImage_ = std::make_unique<FormShowImage>(rt);
        if (onShowImageLoad) onShowImageLoad(*showImage_);
    }
    return *showImage_;
}

std::string Program::programPath(const std::string& folder, const std::string& name) const {
    return rt.env().programFolder + "/" + folder + "/" + name;
}

}  // namespace qv
