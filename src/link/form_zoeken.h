// The search window: shown while a connection opens, is identified or closes; a header
// word and a board picture revealed (searching) or wiped (closing) by a 10 ms timer.
#pragma once

#include "panel/program.h"
#include "platform/controls.h"

namespace qv {

class FormZoeken : public Form {
public:
    explicit FormZoeken(Program& prog);
    ~FormZoeken() override;

    Program& prog;

    Label& Label_Kop;
    Label& Label2;
    PictureBox& Picture_Arduino;
    Timer& Timer_Zoeken;

    // Width change per tick: +10 searching, -30 closing, 0 until first activated.
    int16_t WidthStep = 0;

    void Form_Activate() override;
    void Timer_Zoeken_Timer();
};

}  // namespace qv
