#include "inputs/input_panels.h"

#include <optional>

#include "board/decimal_field.h"
#include "platform/numbers.h"
#include "windows/pictures.h"

namespace qv {

namespace {

constexpr const char* kTactOff = pictures::kTactSwitch;
constexpr const char* kTactOn = "Img TactSchakelaar Aan.bmp";
constexpr const char* kTrimmerOff = pictures::kTrimmer;
constexpr const char* kTrimmerOn = "Img Trimmer Flip.bmp";

std::string buttonSound(int panel) { return "SndBtn0" + std::to_string(panel); }

// The analog display's picture for a state, or nothing for a kind that has none.
const char* analogPicture(int16_t pushButtonKind, bool on) {
    switch (pushButtonKind) {
        case PushButtonTactSwitch:
            return on ? kTactOn : kTactOff;
        case PushButtonTrimmer:
            return on ? kTrimmerOn : kTrimmerOff;
        default:
            return nullptr;
    }
}

}  // namespace

std::string InputPanels::ShowAnalogReport(int panel, const std::string& field) {
    Label& label = w.Label_Drukknop(panel);
    if (label.Tag != kInputEnabledTag) return {};

    const double x = decimalField(field);
    const std::optional<int16_t> value = toInt16(x);
    // A value the display cannot show (no 16-bit number, or a bar of negative width) is
    // no reading a board sends: leave the panel as it was rather than draw nonsense.
    if (!value || x < 0) return {};
    const int16_t v = *value;

    w.Shape_Ingang(panel).Width = static_cast<float>(x * w.AnalogBarWidth / 1023.0);
    w.Label_AIn(panel).Caption = std::to_string(v);

    const int32_t onColor = FormQuorvane::colorOf(prog.mod.settings.InputBinaryColor);
    const bool on = label.BackColor == onColor;
    const int16_t kind = prog.nano.PushButtonKind;
    if (v < prog.mod.settings.BinaryToggleValue) {
        if (on) {
            label.BackColor = kWindowBack;
            if (const char* pic = analogPicture(kind, false))
                w.IMGDrukknop(panel).Picture = prog.picture(pic);
        }
        return {};
    }
    if (on) return {};
    label.BackColor = onColor;
    if (const char* pic = analogPicture(kind, true)) w.IMGDrukknop(panel).Picture = prog.picture(pic);
    return buttonSound(panel);
}

std::string InputPanels::ShowDigitalReport(int16_t mask) {
    if (mask == w.LastInputValue) return {};
    const int32_t onColor = FormQuorvane::colorOf(prog.mod.settings.InputBinaryColor);
    const auto bits = static_cast<uint16_t>(mask);
    std::string sound;
    for (int k = 0; k < 8; ++k) {
        const int panel = k + 1;
        Label& label = w.Label_Drukknop(panel);
        if (label.Tag != kInputEnabledTag) continue;
        if ((bits >> k) & 1U) {
            w.Label_AIn(panel).Caption = "1";
            label.BackColor = onColor;
            w.IMGDrukknop(panel).Picture = prog.picture(kTactOn);
            sound = buttonSound(panel);
        } else {
            w.Label_AIn(panel).Caption = "0";
            label.BackColor = kWindowBack;
            w.IMGDrukknop(panel).Picture = prog.picture(kTactOff);
        }
    }
    w.LastInputValue = mask;
    return sound;
}

void InputPanels::IMGDrukknop_Click(int Index) {
    Label& label = w.Label_Drukknop(Index);
    if (label.Tag == kInputEnabledTag) {
        label.BackColor = FormQuorvane::colorOf(prog.mod.settings.InputDisabledColor);
        label.Tag = kInputDisabledTag;
    } else {
        label.BackColor = kWindowBack;
        label.Tag = kInputEnabledTag;
    }
}

}  // namespace qv
