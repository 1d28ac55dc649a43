// The settings dialog's pages: loading the dialog from the settings record, the colour,
// sound, input and output settings being edited, and the main window's button that
// opens the dialog.
#pragma once

#include "files/settings_record.h"
#include "platform/controls.h"
#include "platform/result.h"
#include "windows/form_options.h"
#include "windows/program_part.h"

namespace qv {

// Whether the dialog's controls take every value of `rec`: the colours, the scroll bars'
// ranges, the check boxes' 0 or 1. Only a settings file can hold a value they refuse, and
// the settings reader treats that as a corrupt file.
Result<> dialogTakes(const SettingsRecord& rec);

class SettingsDialog : public ProgramPart {
public:
    explicit SettingsDialog(Program& p) : ProgramPart(p) {}

    void CMD_Settings_Click();

    // Fills the controls from the settings record, which dialogTakes has passed: a value a
    // control cannot take throws InvalidValue, as the controls refuse it.
    void Form_Load(FormOptions& f);
    void Form_Unload();
    void Form_KeyPress(int keyAscii);
    void cmdCancel_Click();

    void SetStandardColors(FormOptions& f);
    void CMD_LedColor_Click(FormOptions& f);
    void CMD_InputBinaryColor_Click(FormOptions& f);
    void CMD_InputAnalogColor_Click(FormOptions& f);
    void CMD_InputDisabledColor_Click(FormOptions& f);
    void CMD_Sandard_Colors_Click(FormOptions& f);
    void Check_SoundOnOff_Click(FormOptions& f);
    void Check_SoundStartOnOff_Click(FormOptions& f);
    void HScroll_BinaryToggle_Change(FormOptions& f);
    void HScroll_BinaryToggle_Scroll(FormOptions& f);
    void CMD_Info_Click();
    void CMD_Info_ToggleValue_Click();
    void HScroll_Toggle_Difference_Change(FormOptions& f);
    void HScroll_Toggle_Difference_Scroll(FormOptions& f);
    void Check_Swap_Outputs_Click(FormOptions& f);
    void CMD_Ledkleur_Click(FormOptions& f);
    void CMD_TM1638v1_1_Click(FormOptions& f);

private:
    // One colour chooser serves the four colour buttons.
    void chooseColor(FormOptions& f, Shape& carrier, Prop<Color>& sample, bool ledColor);
};

}  // namespace qv
