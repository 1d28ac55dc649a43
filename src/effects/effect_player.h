// The effect player: plays the loaded effect on the LED row and the board, and the
// Start/Stop and auto-next controls that drive it.
#pragma once

#include <cstdint>

#include "effects/effect_reader.h"
#include "windows/program_part.h"

namespace qv {

class EffectPlayer : public ProgramPart {
public:
    EffectPlayer(Program& p, EffectReader& reader) : ProgramPart(p), reader_(reader) {}

    void SpeelEffect(int16_t AantalKeerSpelen);
    void CMD_Animatie_Click();
    void Check_Auto_volgende_Effect_Click();

private:
    EffectReader& reader_;
    // The screen may have changed since the player's last wait returned.
    bool drawnSinceWait_ = true;
};

}  // namespace qv
