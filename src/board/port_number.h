// The port number a port list text names.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

// The port number named by a port list text ("Com 7" -> 7), 0 when it names none.
int16_t portNumberOfListText(const std::string& text);

}  // namespace qv
