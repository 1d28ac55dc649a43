#include "panel/form_quorvane.h"

namespace qv {

// PLACEHOLDER: to be implemented
void FormQuorvane::TimerLeesIngangen_Timer() {}
void FormQuorvane::Serialport_OnComm() {}

}  // namespace qv
