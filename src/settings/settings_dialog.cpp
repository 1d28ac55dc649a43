#include "settings/settings_dialog.h"

#include <initializer_list>
#include <string>

#include "board/board_kinds.h"
#include "files/settings_file.h"
#include "platform/numbers.h"
#include "windows/version.h"

namespace qv {

namespace {

constexpr int kEsc = 27;

void showLamp(Shape& lamp, Label& text, bool on) {
    lamp.FillColor = on ? kGood : kBad;
    text.Caption = on ? "ON" : "OFF";
}

}  // namespace

Result<> dialogTakes(const SettingsRecord& rec) {
    for (double color : {rec.LedColor, rec.InputBinaryColor, rec.InputAnalogColor, rec.InputDisabledColor})
        if (const Result<int32_t> c = settingColor(color); !c) return c.failure();
    if (rec.BinaryToggleValue < 0 || rec.BinaryToggleValue > kMaxBinaryToggleValue)
        return Failure{"the binary toggle value is out of range"};
    const auto difference = toInt16(rec.ToggleDifference);
    if (!difference || *difference < 0 || *difference > kMaxToggleDifference)
        return Failure{"the toggle difference is out of range"};
    // Check boxes: clear or ticked.
    for (int16_t v : {rec.SoundOnOff, rec.SoundStartOnOff, rec.SwapOutputs})
        if (v != 0 && v != 1) return Failure{"a check box value is neither 0 nor 1"};
    return Done{};
}

void SettingsDialog::CMD_Settings_Click() {
    w.ResetLeds();
    // The dialog's unload enables the main window again.
    w.Enabled = false;
    prog.options().Show();
}

void SettingsDialog::Form_Load(FormOptions& f) {
    const SettingsRecord& rec = prog.mod.settings;
    if (const Result<> taken = dialogTakes(rec); !taken) throw InvalidValue(taken.error());

    f.Shape_LedColor.FillColor = FormQuorvane::colorOf(rec.LedColor);
    f.Label_LumiLed.BackColor = f.Shape_LedColor.FillColor;
    f.Shape_InputBinaryColor.FillColor = FormQuorvane::colorOf(rec.InputBinaryColor);
    f.Label_Drukknop.BackColor = f.Shape_InputBinaryColor.FillColor;
    f.HScroll_BinaryToggle.setValue(rec.BinaryToggleValue);
    f.HScroll_Toggle_Difference.setValue(*toInt16(rec.ToggleDifference));
    f.Shape_InputAnalogColor.FillColor = FormQuorvane::colorOf(rec.InputAnalogColor);
    f.Shape_Ingang.FillColor = f.Shape_InputAnalogColor.FillColor;
    f.Shape_InputDisabledColor.FillColor = FormQuorvane::colorOf(rec.InputDisabledColor);
    f.Label_InputDisabledColor.BackColor = f.Shape_InputDisabledColor.FillColor;
    prog.mod.PreviousDisabledColor = rec.InputDisabledColor;
    f.Check_SoundOnOff.setValue(rec.SoundOnOff);
    f.Check_SoundStartOnOff.setValue(rec.SoundStartOnOff);
    f.Check_Swap_Outputs.setValue(rec.SwapOutputs);
    f.Text_Connected.Text = rec.ConnectedText;
    f.Label_Map.Caption = prog.rt.env().programFolder + "/ino/";
    f.Label_Version.Caption = kVersionText;
    f.CMD_TM1638v1_1.Caption = prog.nano.TM1638V11 ? kTM1638V11Caption : kTM1638V13Caption;
    if (!prog.nano.TM1638LedRed) f.CMD_Ledkleur.BackColor = kTM1638LedGreen;
}

void SettingsDialog::Form_Unload() { w.Enabled = true; }

void SettingsDialog::Form_KeyPress(int keyAscii) {
    if (keyAscii == kEsc) cmdCancel_Click();
}

void SettingsDialog::cmdCancel_Click() { prog.unloadOptions(); }

void SettingsDialog::SetStandardColors(FormOptions& f) {
    f.Shape_LedColor.FillColor = kStandardLedColor;
    f.Label_LumiLed.BackColor = kStandardLedColor;
    f.Shape_InputBinaryColor.FillColor = kStandardInputBinaryColor;
    f.Label_Drukknop.BackColor = kStandardInputBinaryColor;
    f.Shape_InputAnalogColor.FillColor = kStandardInputAnalogColor;
    f.Shape_Ingang.FillColor = kStandardInputAnalogColor;
    f.Shape_InputDisabledColor.FillColor = kStandardInputDisabledColor;
    f.Label_InputDisabledColor.BackColor = kStandardInputDisabledColor;
}

void SettingsDialog::chooseColor(FormOptions& f, Shape& carrier, Prop<Color>& sample, bool ledColor) {
    const Color initial = f.chooserColor.value_or(carrier.FillColor);
    const std::optional<int> chosen = prog.rt.chooseColor(initial);
    if (!chosen) return;
    f.chooserColor = *chosen;
    carrier.FillColor = *chosen;
    sample = *chosen;
    if (ledColor) {
        setLedBytes(prog.mod.settings, f.Label_LumiLed.BackColor);
        prog.mod.LedStatus = 0;
    }
}

void SettingsDialog::CMD_LedColor_Click(FormOptions& f) {
    chooseColor(f, f.Shape_LedColor, f.Label_LumiLed.BackColor, true);
}

void SettingsDialog::CMD_InputBinaryColor_Click(FormOptions& f) {
    chooseColor(f, f.Shape_InputBinaryColor, f.Label_Drukknop.BackColor, false);
}

void SettingsDialog::CMD_InputAnalogColor_Click(FormOptions& f) {
    chooseColor(f, f.Shape_InputAnalogColor, f.Shape_Ingang.FillColor, false);
}

void SettingsDialog::CMD_InputDisabledColor_Click(FormOptions& f) {
    chooseColor(f, f.Shape_InputDisabledColor, f.Label_InputDisabledColor.BackColor, false);
}

void SettingsDialog::CMD_Sandard_Colors_Click(FormOptions& f) { SetStandardColors(f); }

void SettingsDialog::Check_SoundOnOff_Click(FormOptions& f) {
    const int v = f.Check_SoundOnOff.value();
    showLamp(f.Shape_SoundOnOff, f.Label_SoundOnOff, v == 1);
    w.OptionGeluid(v).select();
}

void SettingsDialog::Check_SoundStartOnOff_Click(FormOptions& f) {
    const int v = f.Check_SoundStartOnOff.value();
    if (v == 0 || v == 1) showLamp(f.Shape_SoundStartOnOff, f.Label_SoundStartOnOff, v == 1);
}

void SettingsDialog::HScroll_BinaryToggle_Change(FormOptions& f) {
    f.Label_BinaryToggle.Caption = std::to_string(f.HScroll_BinaryToggle.value());
}

void SettingsDialog::HScroll_BinaryToggle_Scroll(FormOptions& f) { HScroll_BinaryToggle_Change(f); }

void SettingsDialog::CMD_Info_Click() {
    prog.rt.msgBox("When the analog input value reaches this value, the input will light up!", MsgInformation,
                   "Info");
}

void SettingsDialog::CMD_Info_ToggleValue_Click() {
    prog.rt.msgBox(
        "When the new analog input value difference is less then set here, the input won't change!",
        MsgInformation, "Info");
}

void SettingsDialog::HScroll_Toggle_Difference_Change(FormOptions& f) {
    const int v = f.HScroll_Toggle_Difference.value();
    f.Label_Toggle_Difference.Caption = std::to_string(v);
    if (w.Serialport.PortOpen()) w.Serialport.Output(protocol::ToggleDifferenceCommand(v));
    w.Label_StatusBalk(12).Caption = std::to_string(v);
}

void SettingsDialog::HScroll_Toggle_Difference_Scroll(FormOptions& f) {
    const std::string v = std::to_string(f.HScroll_Toggle_Difference.value());
    f.Label_Toggle_Difference.Caption = v;
    w.Label_StatusBalk(12).Caption = v;
}

void SettingsDialog::Check_Swap_Outputs_Click(FormOptions& f) {
    prog.mod.settings.SwapOutputs = static_cast<int16_t>(f.Check_Swap_Outputs.value());
    prog.mod.LedStatus = 0;
}

void SettingsDialog::CMD_Ledkleur_Click(FormOptions& f) {
    ArduinoNano& nano = prog.nano;
    if (nano.TM1638V11) return;
    nano.TM1638LedRed = !nano.TM1638LedRed;
    f.CMD_Ledkleur.BackColor = nano.TM1638LedRed ? kTM1638LedRed : kTM1638LedGreen;
    w.ResetLeds();
}

void SettingsDialog::CMD_TM1638v1_1_Click(FormOptions& f) {
    ArduinoNano& nano = prog.nano;
    const BoardKind& kind = boardKind(nano.InterfaceKind);
    if (kind.secondVersionPicture) {
        nano.TM1638V11 = !nano.TM1638V11;
        f.CMD_TM1638v1_1.Caption = nano.TM1638V11 ? kTM1638V11Caption : kTM1638V13Caption;
        w.IMG_Interface.Picture =
            prog.picture(nano.TM1638V11 ? kind.boardPicture : kind.secondVersionPicture);
    }
    // Version 1.1 boards have red LEDs only.
    if (nano.TM1638V11 && !nano.TM1638LedRed) {
        f.CMD_Ledkleur.BackColor = kTM1638LedRed;
        nano.TM1638LedRed = true;
        w.ResetLeds();
    }
}

}  // namespace qv
