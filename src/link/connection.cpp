#include "panel/form_quorvane.h"

namespace qv {

// PLACEHOLDER: to be implemented
void FormQuorvane::CMD_Verbind_Click() {}
void FormQuorvane::ComboBaudRate_Click() {}
void FormQuorvane::connectSequence() {}
void FormQuorvane::disconnectSequence() {}
ConnectionState FormQuorvane::connectionState() const { return ConnectionState::NotConnected; }
void FormQuorvane::showDisconnectedScreen() {}
void FormQuorvane::Serialport_Lost(const std::string&) {}

}  // namespace qv
