// What every subsystem works on: the program-wide values and windows, the main window and
// the runtime.
#pragma once

#include "platform/runtime.h"
#include "windows/form_quorvane.h"
#include "windows/program.h"

namespace qv {

class ProgramPart {
public:
    ProgramPart(const ProgramPart&) = delete;
    ProgramPart& operator=(const ProgramPart&) = delete;

protected:
    explicit ProgramPart(Program& p) : prog(p), w(p.quorvane()), rt(p.rt) {}
    ~ProgramPart() = default;

    Program& prog;
    FormQuorvane& w;
    Runtime& rt;
};

}  // namespace qv
