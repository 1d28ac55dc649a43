#include "panel/form_quorvane.h"

namespace qv {

// PLACEHOLDER: to be implemented
std::string FormQuorvane::ShowAnalogReport(int, const std::string&) { return {}; }
std::string FormQuorvane::ShowDigitalReport(int16_t) { return {}; }
void FormQuorvane::IMGDrukknop_Click(int) {}

}  // namespace qv
