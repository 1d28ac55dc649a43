#include "panel/form_quorvane.h"

namespace qv {

// PLACEHOLDER: to be implemented
void FormQuorvane::ResetLeds() {}
void FormQuorvane::CMD_LumiLed_Click(int) {}

}  // namespace qv
