#include <optional>
#include <string>

#include "panel/form_quorvane.h"
#include "platform/numbers.h"

namespace qv {

namespace {

constexpr const char* kTactOff = "Img TactSchakelaar.bmp";
constexpr const char* kTactOn = "Img TactSchakelaar Aan.bmp";
constexpr const char* kTrimmerOff = "Img Trimmer.bmp";
constexpr const char* kTrimmerOn = "Img Trimmer Flip.bmp";

std::string buttonSound(int panel) { return "SndBtn0" + std::to_string(panel); }

// The analog display's picture for a state, or nothing for a kind that has none.
const char* analogPicture(int16_t pushButtonKind, bool on) {
    switch (pushButtonKind) {
        case 1:
            return on ? kTactOn : kTactOff;
        case 2:
            return on ? kTrimmerOn : kTrimmerOff;
        default:
            return nullptr;
    }
}

}  // namespace

std::string FormQuorvane::ShowAnalogReport(int panel, const std::string& field) {
    Label& label = Label_Drukknop(panel);
    if (label.Tag != "True") return {};

    const double x = decimalField(field);
    const std::optional<int16_t> value = toInt16(x);
    // A value the display cannot show (no 16-bit number, or a bar of negative width) is
    // no reading a board sends: leave the panel as it was rather than draw nonsense.
    if (!value || x < 0) return {};
    const int16_t v = *value;

    Shape_Ingang(panel).Width = static_cast<float>(x * AnalogBarWidth / 1023.0);
    Label_AIn(panel).Caption = decimal(v);

    const int32_t onColor = colorOf(prog.mod.settings.InputBinaryColor);
    const bool on = label.BackColor == onColor;
    const int16_t kind = prog.nano.PushButtonKind;
    if (v < prog.mod.settings.BinaryToggleValue) {
        if (on) {
            label.BackColor = kWindowBack;
            if (const char* pic = analogPicture(kind, false)) IMGDrukknop(panel).Picture = prog.picture(pic);
        }
        return {};
    }
    if (on) return {};
    label.BackColor = onColor;
    if (const char* pic = analogPicture(kind, true)) IMGDrukknop(panel).Picture = prog.picture(pic);
    return buttonSound(panel);
}

std::string FormQuorvane::ShowDigitalReport(int16_t mask) {
    if (mask == LastInputValue) return {};
    const int32_t onColor = colorOf(prog.mod.settings.InputBinaryColor);
    const auto bits = static_cast<uint16_t>(mask);
    std::string sound;
    for (int k = 0; k < 8; ++k) {
        const int panel = k + 1;
        Label& label = Label_Drukknop(panel);
        if (label.Tag != "True") continue;
        if ((bits >> k) & 1U) {
            Label_AIn(panel).Caption = "1";
            label.BackColor = onColor;
            IMGDrukknop(panel).Picture = prog.picture(kTactOn);
            sound = buttonSound(panel);
        } else {
            Label_AIn(panel).Caption = "0";
            label.BackColor = kWindowBack;
            IMGDrukknop(panel).Picture = prog.picture(kTactOff);
        }
    }
    LastInputValue = mask;
    return sound;
}

void FormQuorvane::IMGDrukknop_Click(int Index) {
    Label& label = Label_Drukknop(Index);
    if (label.Tag == "True") {
        label.BackColor = colorOf(prog.mod.settings.InputDisabledColor);
        label.Tag = "False";
    } else {
        label.BackColor = kWindowBack;
        label.Tag = "True";
    }
}

}  // namespace qv
