// The input row: analog and key reports shown on the eight panels, and a panel's
// enable toggle.
#pragma once

#include <cstdint>
#include <string>

#include "windows/program_part.h"

namespace qv {

class InputPanels : public ProgramPart {
public:
    explicit InputPanels(Program& p) : ProgramPart(p) {}

    // Shows an analog reading on panel 1..5; the sound name to play, or empty.
    std::string ShowAnalogReport(int panel, const std::string& field);
    // Shows a key mask on panels 1..8; the sound name to play, or empty.
    std::string ShowDigitalReport(int16_t mask);
    void IMGDrukknop_Click(int Index);
};

}  // namespace qv
