// The settings dialog's pages: loading the dialog from the settings record, the colour,
// sound, input and output settings being edited, and the main window's button that
// opens the dialog.
#pragma once

#include "platform/controls.h"
#include "windows/form_options.h"
#include "windows/program_part.h"

namespace qv {

class SettingsDialog : public ProgramPart {
public:
    explicit SettingsDialog(Program& p) : ProgramPart(p) {}

    void CMD_Settings_Click();

    // Fills the controls from the settings record. A value a control cannot take throws
    // (std::out_of_range), as the controls refuse it; only a settings file can hold such
    // a value, and the settings reader treats that as a corrupt file.
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
