#include "sounds/sounds.h"

namespace qv {

namespace {

constexpr const char* kSoundStart = "SndStart";
}  // namespace

void Sounds::playSound(const std::string& name) { prog.rt.playSound(prog.programPath("Sounds", name)); }

void Sounds::playSoundIfOn(const std::string& name) {
    if (soundsOn()) playSound(name);
}

bool Sounds::soundsOn() const { return w.OptionGeluid(1).value() && prog.mod.WaveDeviceCount != 0; }

void Sounds::startupSoundStep() {
    // The count is kept as a 16-bit value, widened.
    prog.mod.WaveDeviceCount = static_cast<int16_t>(prog.rt.audioOutputCount());
    if (prog.mod.WaveDeviceCount == 0) return;

    w.Label_StatusBalk(5).Caption = "Yes";
    w.Label_StatusBalk(5).BackColor = kGood;
    // The start sound has its own setting; the sound option does not silence it.
    if (prog.mod.settings.SoundStartOnOff == 1) playSound(kSoundStart);
    const bool on = w.OptionGeluid(1).value();
    w.Label_StatusBalk(7).Caption = on ? "On" : "Off";
    w.Label_StatusBalk(7).BackColor = on ? kGood : kBad;
}

void Sounds::OptionGeluid_Click(int Index) {
    Label& cell = w.Label_StatusBalk(7);
    if (Index == 0 && prog.mod.WaveDeviceCount != 0) {
        prog.rt.stopSound();
        cell.Caption = "Off";
        cell.BackColor = FormQuorvane::colorOf(prog.mod.settings.InputDisabledColor);
    } else {
        cell.Caption = "On";
        cell.BackColor = kGood;
    }
}

}  // namespace qv
