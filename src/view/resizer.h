// The main window's proportional resizing: the layout recorded at the end of start-up,
// and every control placed and sized from that record when the window's size changes.
#pragma once

#include "windows/program_part.h"

namespace qv {

class Resizer : public ProgramPart {
public:
    explicit Resizer(Program& p) : ProgramPart(p) {}

    void ReloadPos();
    void Form_Resize();
};

}  // namespace qv
