#include "settings/form_options.h"

namespace qv {

// PLACEHOLDER: to be implemented
FormOptions::FormOptions(Program& p) : Form(p.rt, "FormOptions"), prog(p), SSTab_Options(add<TabControl>("SSTab_Options")), cmdOK(add<CommandButton>("cmdOK")), cmdCancel(add<CommandButton>("cmdCancel")), cmdApply(add<CommandButton>("cmdApply")), Label2(add<Label>("Label2")), Shape_LedColor(add<Shape>("Shape_LedColor")), CMD_LedColor(add<CommandButton>("CMD_LedColor")), Label_LumiLed(add<Label>("Label_LumiLed")), Shape_InputBinaryColor(add<Shape>("Shape_InputBinaryColor")), CMD_InputBinaryColor(add<CommandButton>("CMD_InputBinaryColor")), Label_Drukknop(add<Label>("Label_Drukknop")), Shape_InputAnalogColor(add<Shape>("Shape_InputAnalogColor")), CMD_InputAnalogColor(add<CommandButton>("CMD_InputAnalogColor")), Picture_A0(add<PictureBox>("Picture_A0")), Shape_Ingang(add<Shape>("Shape_Ingang")), Label_A0(add<Label>("Label_A0")), Shape_InputDisabledColor(add<Shape>("Shape_InputDisabledColor")), CMD_InputDisabledColor(add<CommandButton>("CMD_InputDisabledColor")), Label_InputDisabledColor(add<Label>("Label_InputDisabledColor")), CMD_Sandard_Colors(add<CommandButton>("CMD_Sandard_Colors")), Check_SoundStartOnOff(add<CheckBox>("Check_SoundStartOnOff")), Shape_SoundStartOnOff(add<Shape>("Shape_SoundStartOnOff")), Label_SoundStartOnOff(add<Label>("Label_SoundStartOnOff")), Check_SoundOnOff(add<CheckBox>("Check_SoundOnOff")), Shape_SoundOnOff(add<Shape>("Shape_SoundOnOff")), Label_SoundOnOff(add<Label>("Label_SoundOnOff")), Frame1(add<Frame>("Frame1")), Label_Info_BinaryToggle(add<Label>("Label_Info_BinaryToggle")), HScroll_BinaryToggle(add<ScrollBar>("HScroll_BinaryToggle", false)), Frame_BinaryToggle(add<Frame>("Frame_BinaryToggle")), Label_BinaryToggle(add<Label>("Label_BinaryToggle")), CMD_Info(add<CommandButton>("CMD_Info")), Label_Drukknop_Toggle(add<Label>("Label_Drukknop_Toggle")), Frame3(add<Frame>("Frame3")), Label4(add<Label>("Label4")), HScroll_Toggle_Difference(add<ScrollBar>("HScroll_Toggle_Difference", false)), Frame4(add<Frame>("Frame4")), Label_Toggle_Difference(add<Label>("Label_Toggle_Difference")), CMD_Info_ToggleValue(add<CommandButton>("CMD_Info_ToggleValue")), Frame2(add<Frame>("Frame2")), Label3(add<Label>("Label3")), Label5(add<Label>("Label5")), Check_Swap_Outputs(add<CheckBox>("Check_Swap_Outputs")), Label6(add<Label>("Label6")), CMD_Connected_Text(add<CommandButton>("CMD_Connected_Text")), Text_Connected(add<TextBox>("Text_Connected")), CMD_TM1638v1_1(add<CommandButton>("CMD_TM1638v1_1")), CMD_Ledkleur(add<CommandButton>("CMD_Ledkleur")), Label_Info(add<Label>("Label_Info")), Label1(add<Label>("Label1")), Label_Map(add<Label>("Label_Map")), Label_Version(add<Label>("Label_Version")) {}
FormOptions::~FormOptions() = default;
void FormOptions::SaveSettings() {}
void FormOptions::SetStandardColors() {}
void FormOptions::SaveSettingsToArduino() {}
void FormOptions::Form_Load() {}
void FormOptions::Form_Unload() {}
void FormOptions::Form_KeyPress(int) {}
void FormOptions::CMD_LedColor_Click() {}
void FormOptions::CMD_InputBinaryColor_Click() {}
void FormOptions::CMD_InputAnalogColor_Click() {}
void FormOptions::CMD_InputDisabledColor_Click() {}
void FormOptions::CMD_Sandard_Colors_Click() {}
void FormOptions::Check_SoundOnOff_Click() {}
void FormOptions::Check_SoundStartOnOff_Click() {}
void FormOptions::HScroll_BinaryToggle_Change() {}
void FormOptions::HScroll_BinaryToggle_Scroll() {}
void FormOptions::CMD_Info_Click() {}
void FormOptions::CMD_Info_ToggleValue_Click() {}
void FormOptions::HScroll_Toggle_Difference_Change() {}
void FormOptions::HScroll_Toggle_Difference_Scroll() {}
void FormOptions::cmdApply_Click() {}
void FormOptions::cmdOK_Click() {}
void FormOptions::cmdCancel_Click() {}
void FormOptions::Check_Swap_Outputs_Click() {}
void FormOptions::CMD_Connected_Text_Click() {}
void FormOptions::CMD_Ledkleur_Click() {}
void FormOptions::CMD_TM1638v1_1_Click() {}

}  // namespace qv
