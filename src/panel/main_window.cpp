#include "panel/form_quorvane.h"

namespace qv {

// PLACEHOLDER: to be implemented
void FormQuorvane::Form_Load() {}
void FormQuorvane::Form_Unload() {}
void FormQuorvane::CMD_Close_Click() {}
void FormQuorvane::CMD_Settings_Click() {}
void FormQuorvane::drawBanner() {}
void FormQuorvane::IMG_Interface_Click() {}
void FormQuorvane::ReloadPos() {}

}  // namespace qv
