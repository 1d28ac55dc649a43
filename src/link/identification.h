// The identification decision: three seconds after a connect, whether the board runs a
// sketch this panel serves, and what the panel then shows and sends.
#pragma once

#include "link/connection.h"
#include "windows/program_part.h"

namespace qv {

class Identification : public ProgramPart {
public:
    Identification(Program& p, Connection& connection) : ProgramPart(p), connection_(connection) {}

    void Timer_CheckInterface_Timer();

private:
    Connection& connection_;
};

}  // namespace qv
