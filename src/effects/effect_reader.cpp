#include "panel/form_quorvane.h"

namespace qv {

// PLACEHOLDER: to be implemented
void FormQuorvane::LeesEffect() {}
void FormQuorvane::File_List_Effecten_Click() {}
void FormQuorvane::startupEffects() {}

}  // namespace qv
