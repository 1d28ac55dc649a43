// The effect list and the effect reader: the file chosen in the list becomes the loaded
// effect.
#pragma once

#include <string>

#include "windows/program_part.h"

namespace qv {

class EffectReader : public ProgramPart {
public:
    explicit EffectReader(Program& p) : ProgramPart(p) {}

    void LeesEffect();
    void File_List_Effecten_Click();
    // The effect list's start-up step: first file selected and read, or the panel disabled.
    void startupEffects();

private:
    // The effect file last refused by LeesEffect with its reason, until a file loads.
    std::string refusedEffect_;
    bool effectLoaded_ = false;
};

}  // namespace qv
