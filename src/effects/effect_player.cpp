#include "panel/form_quorvane.h"

namespace qv {

// PLACEHOLDER: to be implemented
void FormQuorvane::SpeelEffect(int16_t) {}
void FormQuorvane::CMD_Animatie_Click() {}
void FormQuorvane::Check_Auto_volgende_Effect_Click() {}

}  // namespace qv
