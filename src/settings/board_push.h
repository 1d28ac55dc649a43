// Sending the settings to the board: Apply and OK, and the TM1638 connected text.
#pragma once

#include "windows/form_options.h"
#include "windows/program_part.h"

namespace qv {

class BoardPush : public ProgramPart {
public:
    explicit BoardPush(Program& p) : ProgramPart(p) {}

    // The board is sent the settings with the polling paused, a short step apart; these waits
    // deliberately process no events, so nothing else reaches the line in between.
    void SaveSettingsToArduino(FormOptions& f);
    void cmdApply_Click(FormOptions& f);
    void cmdOK_Click(FormOptions& f);
    void CMD_Connected_Text_Click(FormOptions& f);
};

}  // namespace qv
