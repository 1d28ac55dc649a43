#include "panel/form_quorvane.h"

namespace qv {

// PLACEHOLDER: to be implemented
void FormQuorvane::startupSoundStep() {}
void FormQuorvane::playSound(const std::string&) {}
bool FormQuorvane::soundsOn() const { return false; }
void FormQuorvane::OptionGeluid_Click(int) {}
void FormQuorvane::Image_Info_Click() {}

}  // namespace qv
