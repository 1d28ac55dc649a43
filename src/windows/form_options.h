// The settings dialog "Settings / Info": five pages on a tab control, each setting
// being edited held by one control (its carrier), samples of the colours, and the
// buttons that store the settings and send them to the board.
#pragma once

#include <functional>
#include <optional>

#include "platform/controls.h"
#include "platform/runtime.h"

namespace qv {

// The board-version button's caption: the version of the TM1638 board in use.
inline constexpr const char* kTM1638V11Caption = "TM1638 V1.1";
inline constexpr const char* kTM1638V13Caption = "TM1638 V1.3";
// The LED colour button's colours for a TM1638 V1.3 board.
inline constexpr Color kTM1638LedRed = 0x4040FF;
inline constexpr Color kTM1638LedGreen = 0x40FF40;

class FormOptions : public Form {
public:
    explicit FormOptions(Runtime& rt);
    ~FormOptions() override;

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

    // The colour the chooser last returned while this dialog has been loaded: it opens
    // on it again.
    std::optional<Color> chooserColor;

    // Public operations, in slot order. Each runs the settings code hooked in by the
    // program's wiring.
    struct Operations {
        std::function<void()> SaveSettings;
        std::function<void()> SetStandardColors;
        std::function<void()> SaveSettingsToArduino;
    } ops;
    void SaveSettings() { ops.SaveSettings(); }
    void SetStandardColors() { ops.SetStandardColors(); }
    void SaveSettingsToArduino() { ops.SaveSettingsToArduino(); }
};

}  // namespace qv
