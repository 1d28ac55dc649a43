// The settings dialog "Settings / Info": five pages on a tab control, each setting
// being edited held by one control (its carrier), samples of the colours, and the
// buttons that store the settings and send them to the board.
#pragma once

#include <optional>

#include "panel/program.h"
#include "platform/controls.h"

namespace qv {

class FormOptions : public Form {
public:
    explicit FormOptions(Program& prog);
    ~FormOptions() override;

    Program& prog;

    TabControl& SSTab_Options;  // "Colors", "Sounds", "Input", "Output", "Info"
    CommandButton& cmdOK;
    CommandButton& cmdCancel;
    CommandButton& cmdApply;

    // "Colors" page.
    Label& Label2;
    Shape& Shape_LedColor;
    CommandButton& CMD_LedColor;
    Label& Label_LumiLed;
    Shape& Shape_InputBinaryColor;
    CommandButton& CMD_InputBinaryColor;
    Label& Label_Drukknop;
    Shape& Shape_InputAnalogColor;
    CommandButton& CMD_InputAnalogColor;
    PictureBox& Picture_A0;
    Shape& Shape_Ingang;
    Label& Label_A0;
    Shape& Shape_InputDisabledColor;
    CommandButton& CMD_InputDisabledColor;
    Label& Label_InputDisabledColor;
    CommandButton& CMD_Sandard_Colors;

    // "Sounds" page.
    CheckBox& Check_SoundStartOnOff;
    Shape& Shape_SoundStartOnOff;
    Label& Label_SoundStartOnOff;
    CheckBox& Check_SoundOnOff;
    Shape& Shape_SoundOnOff;
    Label& Label_SoundOnOff;

    // "Input" page.
    Frame& Frame1;
    Label& Label_Info_BinaryToggle;
    ScrollBar& HScroll_BinaryToggle;
    Frame& Frame_BinaryToggle;
    Label& Label_BinaryToggle;
    CommandButton& CMD_Info;
    Label& Label_Drukknop_Toggle;
    Frame& Frame3;
    Label& Label4;
    ScrollBar& HScroll_Toggle_Difference;
    Frame& Frame4;
    Label& Label_Toggle_Difference;
    CommandButton& CMD_Info_ToggleValue;
    Frame& Frame2;
    Label& Label3;

    // "Output" page.
    Label& Label5;
    CheckBox& Check_Swap_Outputs;
    Label& Label6;
    CommandButton& CMD_Connected_Text;
    TextBox& Text_Connected;
    CommandButton& CMD_TM1638v1_1;
    CommandButton& CMD_Ledkleur;

    // "Info" page.
    Label& Label_Info;
    Label& Label1;
    Label& Label_Map;
    Label& Label_Version;

    // Public operations, in slot order.
    void SaveSettings();
    void SetStandardColors();
    void SaveSettingsToArduino();

    // Event handlers.
    void Form_Load();
    void Form_Unload();
    void Form_KeyPress(int keyAscii) override;
    void CMD_LedColor_Click();
    void CMD_InputBinaryColor_Click();
    void CMD_InputAnalogColor_Click();
    void CMD_InputDisabledColor_Click();
    void CMD_Sandard_Colors_Click();
    void Check_SoundOnOff_Click();
    void Check_SoundStartOnOff_Click();
    void HScroll_BinaryToggle_Change();
    void HScroll_BinaryToggle_Scroll();
    void CMD_Info_Click();
    void CMD_Info_ToggleValue_Click();
    void HScroll_Toggle_Difference_Change();
    void HScroll_Toggle_Difference_Scroll();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    void Check_Swap_Outputs_Click();
    void CMD_Connected_Text_Click();
    void CMD_Ledkleur_Click();
    void CMD_TM1638v1_1_Click();

private:
    // One colour chooser serves the four colour buttons.
    void chooseColor(Shape& carrier, Color& sample, bool ledColor);

    // The colour the chooser last returned while this dialog has been loaded: it opens
    // on it again.
    std::optional<Color> chooserColor_;
};

}  // namespace qv
