// Polling the board's inputs on every tick of the polling timer, and the receive handler
// that reads its replies.
#pragma once

#include "windows/program_part.h"

namespace qv {

class Polling : public ProgramPart {
public:
    explicit Polling(Program& p) : ProgramPart(p) {}

    void TimerLeesIngangen_Timer();
    void Serialport_OnComm();

private:
    // Receive handlers running inside one another's drains.
    int receiveDepth_ = 0;
};

}  // namespace qv
