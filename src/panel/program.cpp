#include "panel/program.h"

#include <memory>

#include "link/form_zoeken.h"
#include "panel/form_quorvane.h"
#include "panel/form_show_image.h"
#include "settings/form_options.h"

namespace qv {

Program::Program(Runtime& r) : rt(r), main_(std::make_unique<FormQuorvane>(*this)) {}

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
        options_ = std::make_unique<FormOptions>(*this);
        options_->Form_Load();
    }
    return *options_;
}

void Program::unloadOptions() {
    if (!options_) return;
    std::shared_ptr<FormOptions> old(options_.release());
    old->Form_Unload();
    old->Hide();
    rt.formUnloaded(*old);
    rt.disposeLater([old] {});
}

FormZoeken& Program::zoeken() {
    if (!zoeken_) zoeken_ = std::make_unique<FormZoeken>(*this);
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
        showImage_ = std::make_unique<FormShowImage>(*this);
        showImage_->Form_Load();
    }
    return *showImage_;
}

std::string Program::programPath(const std::string& folder, const std::string& name) const {
    return rt.env().programFolder + "/" + folder + "/" + name;
}

}  // namespace qv
