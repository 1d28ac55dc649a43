#include "windows/form_options.h"

#include <initializer_list>

#include "files/settings_record.h"
#include "windows/colors.h"

namespace qv {

namespace {

enum Page { PageColors, PageSounds, PageInput, PageOutput, PageInfo };

constexpr Color kDarkBlueText = 0x400000;
constexpr double kSampleFont = 9.75;

void onPage(int page, std::initializer_list<Control*> controls) {
    for (Control* c : controls) c->tabPage = page;
}

void caption(Control& c, const char* text) { c.Caption = text; }

// A bordered, centred sample of how a colour looks on the main window.
void sample(Label& l, const char* text, Color fore = kBlack) {
    l.Caption = text;
    l.BackColor = kWindowBack;
    l.ForeColor = fore;
    l.BorderSingle = true;
    l.Alignment = Align::Center;
    l.font.edit().Size = kSampleFont;
}

void swatch(Shape& s, Color fill, const char* name) {
    s.FillColor = fill;
    s.FillSolid = true;
    s.accessibleName = name;
}

void lampText(Label& l) {
    l.Caption = "OFF";
    l.Transparent = true;
    l.Alignment = Align::Center;
}

void scrollRange(ScrollBar& s, int max, int value) {
    s.Min = 0;
    s.Max = max;
    s.SmallChange = 1;
    s.LargeChange = 10;
    s.initValue(value);
}

}  // namespace

FormOptions::FormOptions(Runtime& rt)
    : Form(rt, "FormOptions"),
      SSTab_Options(add<TabControl>("SSTab_Options")),
      cmdOK(add<CommandButton>("cmdOK")),
      cmdCancel(add<CommandButton>("cmdCancel")),
      cmdApply(add<CommandButton>("cmdApply")),
      Label2(add<Label>("Label2", -1, &SSTab_Options)),
      Shape_LedColor(add<Shape>("Shape_LedColor", -1, &SSTab_Options)),
      CMD_LedColor(add<CommandButton>("CMD_LedColor", -1, &SSTab_Options)),
      Label_LumiLed(add<Label>("Label_LumiLed", -1, &SSTab_Options)),
      Shape_InputBinaryColor(add<Shape>("Shape_InputBinaryColor", -1, &SSTab_Options)),
      CMD_InputBinaryColor(add<CommandButton>("CMD_InputBinaryColor", -1, &SSTab_Options)),
      Label_Drukknop(add<Label>("Label_Drukknop", -1, &SSTab_Options)),
      Shape_InputAnalogColor(add<Shape>("Shape_InputAnalogColor", -1, &SSTab_Options)),
      CMD_InputAnalogColor(add<CommandButton>("CMD_InputAnalogColor", -1, &SSTab_Options)),
      Picture_A0(add<PictureBox>("Picture_A0", -1, &SSTab_Options)),
      Shape_Ingang(add<Shape>("Shape_Ingang", -1, &Picture_A0)),
      Label_A0(add<Label>("Label_A0", -1, &Picture_A0)),
      Shape_InputDisabledColor(add<Shape>("Shape_InputDisabledColor", -1, &SSTab_Options)),
      CMD_InputDisabledColor(add<CommandButton>("CMD_InputDisabledColor", -1, &SSTab_Options)),
      Label_InputDisabledColor(add<Label>("Label_InputDisabledColor", -1, &SSTab_Options)),
      CMD_Sandard_Colors(add<CommandButton>("CMD_Sandard_Colors", -1, &SSTab_Options)),
      Check_SoundStartOnOff(add<CheckBox>("Check_SoundStartOnOff", -1, &SSTab_Options)),
      Shape_SoundStartOnOff(add<Shape>("Shape_SoundStartOnOff", -1, &SSTab_Options)),
      Label_SoundStartOnOff(add<Label>("Label_SoundStartOnOff", -1, &SSTab_Options)),
      Check_SoundOnOff(add<CheckBox>("Check_SoundOnOff", -1, &SSTab_Options)),
      Shape_SoundOnOff(add<Shape>("Shape_SoundOnOff", -1, &SSTab_Options)),
      Label_SoundOnOff(add<Label>("Label_SoundOnOff", -1, &SSTab_Options)),
      Frame1(add<Frame>("Frame1", -1, &SSTab_Options)),
      Label_Info_BinaryToggle(add<Label>("Label_Info_BinaryToggle", -1, &Frame1)),
      HScroll_BinaryToggle(add<ScrollBar>("HScroll_BinaryToggle", false, -1, &Frame1)),
      Frame_BinaryToggle(add<Frame>("Frame_BinaryToggle", -1, &Frame1)),
      Label_BinaryToggle(add<Label>("Label_BinaryToggle", -1, &Frame_BinaryToggle)),
      CMD_Info(add<CommandButton>("CMD_Info", -1, &Frame1)),
      Label_Drukknop_Toggle(add<Label>("Label_Drukknop_Toggle", -1, &Frame1)),
      Frame3(add<Frame>("Frame3", -1, &SSTab_Options)),
      Label4(add<Label>("Label4", -1, &Frame3)),
      HScroll_Toggle_Difference(add<ScrollBar>("HScroll_Toggle_Difference", false, -1, &Frame3)),
      Frame4(add<Frame>("Frame4", -1, &Frame3)),
      Label_Toggle_Difference(add<Label>("Label_Toggle_Difference", -1, &Frame4)),
      CMD_Info_ToggleValue(add<CommandButton>("CMD_Info_ToggleValue", -1, &Frame3)),
      Frame2(add<Frame>("Frame2", -1, &SSTab_Options)),
      Label3(add<Label>("Label3", -1, &Frame2)),
      Label5(add<Label>("Label5", -1, &SSTab_Options)),
      Check_Swap_Outputs(add<CheckBox>("Check_Swap_Outputs", -1, &SSTab_Options)),
      Label6(add<Label>("Label6", -1, &SSTab_Options)),
      CMD_Connected_Text(add<CommandButton>("CMD_Connected_Text", -1, &SSTab_Options)),
      Text_Connected(add<TextBox>("Text_Connected", -1, &SSTab_Options)),
      CMD_TM1638v1_1(add<CommandButton>("CMD_TM1638v1_1", -1, &SSTab_Options)),
      CMD_Ledkleur(add<CommandButton>("CMD_Ledkleur", -1, &SSTab_Options)),
      Label_Info(add<Label>("Label_Info", -1, &SSTab_Options)),
      Label1(add<Label>("Label1", -1, &SSTab_Options)),
      Label_Map(add<Label>("Label_Map", -1, &SSTab_Options)),
      Label_Version(add<Label>("Label_Version", -1, &SSTab_Options)) {
    Caption = "Settings / Info";
    Border = FormBorder::FixedDialog;
    ClientWidth = 6405;
    ClientHeight = 4905;
    BackColor = kButtonFace;
    accessibleName = "Settings / Info";

    SSTab_Options.Move(120, 60, 6135, 4215);
    SSTab_Options.tabs = {"Colors", "Sounds", "Input", "Output", "Info"};
    SSTab_Options.TabHeight = 520;
    SSTab_Options.BackColor = kButtonFace;
    SSTab_Options.Tab = PageOutput;

    cmdOK.Move(2790, 4440, 1095, 375);
    caption(cmdOK, "OK");
    firstInTabOrder = &cmdOK;
    cmdCancel.Move(3960, 4455, 1095, 375);
    caption(cmdCancel, "Cancel");
    cmdApply.Move(5160, 4455, 1095, 375);
    caption(cmdApply, "Apply");

    // "Colors" page.
    onPage(PageColors, {&Label2, &Shape_LedColor, &CMD_LedColor, &Label_LumiLed, &Shape_InputBinaryColor,
                        &CMD_InputBinaryColor, &Label_Drukknop, &Shape_InputAnalogColor,
                        &CMD_InputAnalogColor, &Picture_A0, &Shape_InputDisabledColor,
                        &CMD_InputDisabledColor, &Label_InputDisabledColor, &CMD_Sandard_Colors});
    Label2.Move(360, 720, 2295, 255);
    caption(Label2, "Select output and input colors");
    Label2.Alignment = Align::Center;
    Shape_LedColor.Move(360, 1200, 495, 315);
    swatch(Shape_LedColor, 0xFF, "LED output colour");
    CMD_LedColor.Move(960, 1200, 2100, 315);
    caption(CMD_LedColor, "Led Output Color");
    Label_LumiLed.Move(3240, 1200, 1485, 315);
    sample(Label_LumiLed, "D2 - E1");
    Shape_InputBinaryColor.Move(360, 1800, 495, 315);
    swatch(Shape_InputBinaryColor, 0x80FF80, "Binary input colour");
    CMD_InputBinaryColor.Move(960, 1800, 2100, 315);
    caption(CMD_InputBinaryColor, "Binary Input Color");
    Label_Drukknop.Move(3240, 1800, 1500, 315);
    sample(Label_Drukknop, "A0 - S1", kDarkBlueText);
    Shape_InputAnalogColor.Move(360, 2400, 495, 315);
    swatch(Shape_InputAnalogColor, 0x80FFFF, "Analog input colour");
    CMD_InputAnalogColor.Move(960, 2400, 2100, 315);
    caption(CMD_InputAnalogColor, "Analog Input Color");
    Picture_A0.Move(3240, 2400, 1500, 315);
    Picture_A0.BackColor = kWindowBack;
    Picture_A0.BorderSingle = true;
    Shape_Ingang.Move(0, 0, 1005, 270);
    swatch(Shape_Ingang, 0x80FFFF, "Analog bar sample");
    Shape_Ingang.BorderVisible = false;
    Label_A0.Move(480, 0, 495, 255);
    Label_A0.Caption = "0";
    Label_A0.Transparent = true;
    Label_A0.Alignment = Align::Center;
    Label_A0.font.edit().Size = kSampleFont;
    Shape_InputDisabledColor.Move(360, 3000, 495, 315);
    swatch(Shape_InputDisabledColor, 0x8080FF, "Disabled input colour");
    CMD_InputDisabledColor.Move(960, 3000, 2100, 315);
    caption(CMD_InputDisabledColor, "Disabled Input Color");
    Label_InputDisabledColor.Move(3240, 3000, 1500, 315);
    sample(Label_InputDisabledColor, "A0 - S1", kDarkBlueText);
    CMD_Sandard_Colors.Move(4560, 3600, 1335, 375);
    caption(CMD_Sandard_Colors, "Set Standard");

    // "Sounds" page.
    onPage(PageSounds, {&Check_SoundStartOnOff, &Shape_SoundStartOnOff, &Label_SoundStartOnOff,
                        &Check_SoundOnOff, &Shape_SoundOnOff, &Label_SoundOnOff});
    Check_SoundStartOnOff.Move(360, 1080, 1935, 375);
    caption(Check_SoundStartOnOff, "Sound On Start");
    Check_SoundStartOnOff.Graphical = true;
    Shape_SoundStartOnOff.Move(2400, 1065, 495, 375);
    swatch(Shape_SoundStartOnOff, kBad, "Start sound lamp");
    Label_SoundStartOnOff.Move(2460, 1125, 375, 255);
    lampText(Label_SoundStartOnOff);
    Check_SoundOnOff.Move(360, 1680, 1935, 375);
    caption(Check_SoundOnOff, "Sounds");
    Check_SoundOnOff.Graphical = true;
    Shape_SoundOnOff.Move(2400, 1680, 495, 375);
    swatch(Shape_SoundOnOff, kBad, "Sounds lamp");
    Label_SoundOnOff.Move(2460, 1740, 375, 255);
    lampText(Label_SoundOnOff);

    // "Input" page.
    onPage(PageInput, {&Frame1, &Frame3, &Frame2});
    Frame1.Move(240, 600, 2775, 2295);
    Label_Info_BinaryToggle.Move(120, 240, 2535, 375);
    caption(Label_Info_BinaryToggle, "Binary Input Toggle Value.");
    Label_Info_BinaryToggle.Alignment = Align::Center;
    HScroll_BinaryToggle.Move(240, 720, 1455, 375);
    scrollRange(HScroll_BinaryToggle, kMaxBinaryToggleValue, 0);
    HScroll_BinaryToggle.accessibleName = "Binary input toggle value";
    Frame_BinaryToggle.Move(1800, 630, 855, 480);
    Label_BinaryToggle.Move(120, 150, 615, 255);
    caption(Label_BinaryToggle, "-");
    Label_BinaryToggle.Alignment = Align::Center;
    CMD_Info.Move(240, 1200, 1455, 375);
    caption(CMD_Info, "Info");
    Label_Drukknop_Toggle.Move(240, 1680, 1500, 315);
    sample(Label_Drukknop_Toggle, "A0 - S1", kDarkBlueText);
    Frame3.Move(3120, 600, 2775, 2295);
    Label4.Move(120, 240, 2535, 375);
    caption(Label4, "Input Toggle Difference.");
    Label4.Alignment = Align::Center;
    HScroll_Toggle_Difference.Move(270, 720, 1455, 375);
    scrollRange(HScroll_Toggle_Difference, kMaxToggleDifference, 2);
    HScroll_Toggle_Difference.accessibleName = "Input toggle difference";
    Frame4.Move(1800, 630, 855, 480);
    Label_Toggle_Difference.Move(120, 150, 615, 255);
    caption(Label_Toggle_Difference, "-");
    Label_Toggle_Difference.Alignment = Align::Center;
    CMD_Info_ToggleValue.Move(240, 1200, 1455, 375);
    caption(CMD_Info_ToggleValue, "Info");
    Frame2.Move(240, 3000, 5655, 975);
    Label3.Move(240, 240, 5175, 495);
    caption(Label3,
            "By clicking the switch on the main screen you can enable or disable reading that input.");

    // "Output" page.
    onPage(PageOutput, {&Label5, &Check_Swap_Outputs, &Label6, &CMD_Connected_Text, &Text_Connected,
                        &CMD_TM1638v1_1, &CMD_Ledkleur});
    Label5.Move(510, 720, 5175, 255);
    caption(Label5, "When enabled Led 1 turns to Led 8, Led 2 turns to led 7...");
    Check_Swap_Outputs.Move(480, 1200, 1695, 375);
    caption(Check_Swap_Outputs, "Swap Outputs");
    Check_Swap_Outputs.Graphical = true;
    Label6.Move(510, 1950, 5175, 255);
    caption(Label6, "This text will be shown when connected with TM1638");
    CMD_Connected_Text.Move(480, 2340, 2355, 405);
    caption(CMD_Connected_Text, "Set Connected text");
    Text_Connected.Move(2910, 2370, 2295, 405);
    Text_Connected.BackColor = kWhite;
    Text_Connected.accessibleName = "Connected text";
    CMD_TM1638v1_1.Move(465, 3240, 2205, 420);
    caption(CMD_TM1638v1_1, kTM1638V11Caption);
    CMD_TM1638v1_1.Graphical = true;
    CMD_Ledkleur.Move(3000, 3255, 1965, 420);
    caption(CMD_Ledkleur, "Ledcolor");
    CMD_Ledkleur.Graphical = true;
    CMD_Ledkleur.BackColor = 0xFF;

    // "Info" page.
    onPage(PageInfo, {&Label_Info, &Label1, &Label_Map, &Label_Version});
    Label_Info.Move(240, 960, 5295, 255);
    caption(Label_Info, "Software to test a specific use of the Arduino Nano.");
    Label1.Move(240, 1320, 5235, 465);
    caption(Label1, "The specific .ino file for the Arduino can be found in the program file map...");
    Label_Map.Move(240, 1890, 5055, 495);
    Label_Version.Move(240, 2490, 5055, 255);
}

FormOptions::~FormOptions() = default;

}  // namespace qv
