// The running program's environment, read from the system.
#pragma once

#include "platform/runtime.h"

namespace qv {

// Program folder from /proc/self/exe, the executable's name without extension, the
// home folder ($HOME, else the password database) and the login name from the
// password database, cut as a 25-byte buffer with its terminating NUL would cut it.
Environment systemEnvironment();

// The login name as the platform hands it over: at most 24 characters.
std::string cutLoginName(const std::string& name);

}  // namespace qv
