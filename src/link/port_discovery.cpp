#include "panel/form_quorvane.h"

namespace qv {

// PLACEHOLDER: to be implemented
void FormQuorvane::startupProbe() {}
void FormQuorvane::probeLoop(int) {}
void FormQuorvane::fillBaudList() {}
void FormQuorvane::CMD_ZoekPoorten_Click() {}

}  // namespace qv
