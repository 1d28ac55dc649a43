// The LED row's buttons: a click lights or darkens an output on the board, and
// ResetLeds darkens them all.
#pragma once

#include "windows/program_part.h"

namespace qv {

class LedOutputs : public ProgramPart {
public:
    explicit LedOutputs(Program& p) : ProgramPart(p) {}

    void CMD_LumiLed_Click(int Index);
    void ResetLeds();
};

}  // namespace qv
