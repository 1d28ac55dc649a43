// COM port discovery: whether a port exists, and the port number a list text names.
#pragma once

#include <cstdint>
#include <string>

#include "platform/runtime.h"

namespace qv {

// True when the device of COM<port> can be opened; nothing is kept open and port is
// left as it was (the probe loops hand in their loop variable).
bool ComPortExists(Runtime& rt, int16_t& port);

// The port number named by a port list text ("Com 7" -> 7), 0 when it names none.
int16_t portNumberOfListText(const std::string& text);

}  // namespace qv
