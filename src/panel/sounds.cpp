#include <array>
#include <string>

#include "panel/form_quorvane.h"

namespace qv {

namespace {

constexpr const char* kSoundStart = "SndStart";
constexpr const char* kBuildDate = "Date 10 February 2024";

// The info box's name of each sketch, by interface kind.
constexpr std::array<const char*, 7> kKindTexts = {
    "Not connected.",
    "Arduino Standard.",
    "Arduino with AdaFruit AdaFruit Animations.",
    "Arduino with AdaFruit Quorvane.",
    "Arduino with AdaFruit Brendolyn.",
    "Arduino with LumiLeds.",
    "Arduino with TM1638.",
};

}  // namespace

void FormQuorvane::playSound(const std::string& name) {
    prog.rt.playSound(prog.programPath("Sounds", name));
}

bool FormQuorvane::soundsOn() const {
    return OptionGeluid(1).value() && prog.mod.WaveDeviceCount != 0;
}

void FormQuorvane::startupSoundStep() {
    // The count is kept as a 16-bit value, widened.
    prog.mod.WaveDeviceCount = static_cast<int16_t>(prog.rt.audioOutputCount());
    if (prog.mod.WaveDeviceCount == 0) return;

    Label_StatusBalk(5).Caption = "Yes";
    Label_StatusBalk(5).BackColor = kGood;
    // The start sound has its own setting; the sound option does not silence it.
    if (prog.mod.settings.SoundStartOnOff == 1) playSound(kSoundStart);
    const bool on = OptionGeluid(1).value();
    Label_StatusBalk(7).Caption = on ? "On" : "Off";
    Label_StatusBalk(7).BackColor = on ? kGood : kBad;
}

void FormQuorvane::OptionGeluid_Click(int Index) {
    Label& cell = Label_StatusBalk(7);
    if (Index == 0 && prog.mod.WaveDeviceCount != 0) {
        prog.rt.stopSound();
        cell.Caption = "Off";
        cell.BackColor = colorOf(prog.mod.settings.InputDisabledColor);
    } else {
        cell.Caption = "On";
        cell.BackColor = kGood;
    }
}

void FormQuorvane::Image_Info_Click() {
    const int16_t kind = prog.nano.InterfaceKind;
    const std::string kindText =
        kind >= 0 && kind < static_cast<int16_t>(kKindTexts.size()) ? kKindTexts[kind] : "";
    const std::string text = std::string(kCompanyName) + "\r\rVersion " + std::to_string(kVersion.major) + "." +
                             std::to_string(kVersion.minor) + "." + std::to_string(kVersion.revision) +
                             "\r\r" + kBuildDate + "\r\r" + kindText + "\r\rSettings in users/" +
                             prog.mod.settings.UserName + "/" + prog.rt.env().exeName + "/";
    prog.rt.msgBox(text, MsgOkOnly, "Info");
}

}  // namespace qv
