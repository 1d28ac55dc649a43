// The sound rule and the sound option: named sounds of the Sounds folder played when
// the option is on and an audio output exists, and the start-up sound step.
#pragma once

#include <string>

#include "windows/program_part.h"

namespace qv {

class Sounds : public ProgramPart {
public:
    explicit Sounds(Program& p) : ProgramPart(p) {}

    // Plays Sounds/<name> asynchronously (callers test their condition).
    void playSound(const std::string& name);
    // True while sounds may play: the sound option is on and an audio output exists.
    bool soundsOn() const;
    // Plays Sounds/<name> when sounds are on.
    void playSoundIfOn(const std::string& name);
    // Start-up sound step: counts the audio outputs, status cells 5 and 7, start sound.
    void startupSoundStep();
    void OptionGeluid_Click(int Index);
};

}  // namespace qv
