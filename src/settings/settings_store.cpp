#include "panel/form_quorvane.h"

namespace qv {

// PLACEHOLDER: to be implemented
void FormQuorvane::InlezenSettings() {}
void FormQuorvane::SetStandard() {}

}  // namespace qv
