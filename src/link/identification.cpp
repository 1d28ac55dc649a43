#include "panel/form_quorvane.h"

namespace qv {

// PLACEHOLDER: to be implemented
void FormQuorvane::Timer_CheckInterface_Timer() {}

}  // namespace qv
