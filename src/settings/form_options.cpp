#include "settings/form_options.h"

#include <initializer_list>
#include <stdexcept>

#include "link/protocol.h"
#include "panel/form_quorvane.h"
#include "platform/numbers.h"
#include "settings/settings_file.h"

namespace qv {

namespace {

enum Page { PageColors, PageSounds, PageInput, PageOutput, PageInfo };

constexpr Color kDarkBlueText = 0x400000;
constexpr Color kLedGreen = 0x40FF40;
constexpr Color kLedRed = 0x4040FF;
constexpr double kSampleFont = 9.75;
constexpr int kEsc = 27;
// Characters a TM1638 display shows.
constexpr size_t kDisplayLength = 8;

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
    l.font.Size = kSampleFont;
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

// Check box values the dialog accepts: clear or ticked.
int checkValue(int16_t v) {
    if (v != 0 && v != 1) throw std::out_of_range("check box value");
    return v;
}

// The first `count` characters of a UTF-8 text: a cut by bytes could split a character
// and leave bytes that are no text at all in the settings file.
std::string firstCharacters(const std::string& text, size_t count) {
    size_t end = 0;
    for (size_t seen = 0; end < text.size(); ++end) {
        const bool continuation = (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80;
        if (!continuation && seen++ == count) break;
    }
    return text.substr(0, end);
}

void showLamp(Shape& lamp, Label& text, bool on) {
    lamp.FillColor = on ? kGood : kBad;
    text.Caption = on ? "ON" : "OFF";
}

}  // namespace

FormOptions::FormOptions(Program& p)
    : Form(p.rt, "FormOptions"),
      prog(p),
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
    Label_A0.font.Size = kSampleFont;
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
    scrollRange(HScroll_BinaryToggle, 1024, 0);
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
    scrollRange(HScroll_Toggle_Difference, 512, 2);
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
    caption(CMD_TM1638v1_1, "TM1638 V1.1");
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

    cmdOK.onClick = [this] { cmdOK_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    cmdApply.onClick = [this] { cmdApply_Click(); };
    CMD_LedColor.onClick = [this] { CMD_LedColor_Click(); };
    CMD_InputBinaryColor.onClick = [this] { CMD_InputBinaryColor_Click(); };
    CMD_InputAnalogColor.onClick = [this] { CMD_InputAnalogColor_Click(); };
    CMD_InputDisabledColor.onClick = [this] { CMD_InputDisabledColor_Click(); };
    CMD_Sandard_Colors.onClick = [this] { CMD_Sandard_Colors_Click(); };
    Check_SoundStartOnOff.onClick = [this] { Check_SoundStartOnOff_Click(); };
    Check_SoundOnOff.onClick = [this] { Check_SoundOnOff_Click(); };
    HScroll_BinaryToggle.onChange = [this] { HScroll_BinaryToggle_Change(); };
    HScroll_BinaryToggle.onScroll = [this] { HScroll_BinaryToggle_Scroll(); };
    CMD_Info.onClick = [this] { CMD_Info_Click(); };
    HScroll_Toggle_Difference.onChange = [this] { HScroll_Toggle_Difference_Change(); };
    HScroll_Toggle_Difference.onScroll = [this] { HScroll_Toggle_Difference_Scroll(); };
    CMD_Info_ToggleValue.onClick = [this] { CMD_Info_ToggleValue_Click(); };
    Check_Swap_Outputs.onClick = [this] { Check_Swap_Outputs_Click(); };
    CMD_Connected_Text.onClick = [this] { CMD_Connected_Text_Click(); };
    CMD_TM1638v1_1.onClick = [this] { CMD_TM1638v1_1_Click(); };
    CMD_Ledkleur.onClick = [this] { CMD_Ledkleur_Click(); };
    onCloseRequest = [this] { prog.unloadOptions(); };
}

FormOptions::~FormOptions() = default;

// --- loading and unloading --------------------------------------------------------------

// Fills the controls from the settings record. A value a control cannot take throws
// (std::out_of_range), as the controls refuse it; only a settings file can hold such a
// value, and the settings reader treats that as a corrupt file.
void FormOptions::Form_Load() {
    const SettingsRecord& rec = prog.mod.settings;

    Shape_LedColor.FillColor = settingColor(rec.LedColor);
    Label_LumiLed.BackColor = Shape_LedColor.FillColor;
    Shape_InputBinaryColor.FillColor = settingColor(rec.InputBinaryColor);
    Label_Drukknop.BackColor = Shape_InputBinaryColor.FillColor;
    HScroll_BinaryToggle.setValue(rec.BinaryToggleValue);
    const auto difference = toInt16(rec.ToggleDifference);
    if (!difference) throw std::out_of_range("toggle difference");
    HScroll_Toggle_Difference.setValue(*difference);
    Shape_InputAnalogColor.FillColor = settingColor(rec.InputAnalogColor);
    Shape_Ingang.FillColor = Shape_InputAnalogColor.FillColor;
    Shape_InputDisabledColor.FillColor = settingColor(rec.InputDisabledColor);
    Label_InputDisabledColor.BackColor = Shape_InputDisabledColor.FillColor;
    prog.mod.PreviousDisabledColor = rec.InputDisabledColor;
    Check_SoundOnOff.setValue(checkValue(rec.SoundOnOff));
    Check_SoundStartOnOff.setValue(checkValue(rec.SoundStartOnOff));
    Check_Swap_Outputs.setValue(checkValue(rec.SwapOutputs));
    Text_Connected.Text = rec.ConnectedText;
    Label_Map.Caption = prog.rt.env().programFolder + "/ino/";
    Label_Version.Caption = "Version " + std::to_string(kVersion.major) + "." +
                            std::to_string(kVersion.minor) + "." + std::to_string(kVersion.revision);
    CMD_TM1638v1_1.Caption = prog.nano.TM1638V11 ? "TM1638 V1.1" : "TM1638 V1.3";
    if (!prog.nano.TM1638LedRed) CMD_Ledkleur.BackColor = kLedGreen;
}

void FormOptions::Form_Unload() { prog.quorvane().Enabled = true; }

void FormOptions::Form_KeyPress(int keyAscii) {
    if (keyAscii == kEsc) cmdCancel_Click();
}

// --- saving --------------------------------------------------------------------------------

void FormOptions::SaveSettings() {
    SettingsRecord& rec = prog.mod.settings;
    rec.LedColor = Shape_LedColor.FillColor;
    rec.InputBinaryColor = Shape_InputBinaryColor.FillColor;
    rec.BinaryToggleValue = static_cast<int16_t>(HScroll_BinaryToggle.value());
    rec.ToggleDifference = static_cast<float>(HScroll_Toggle_Difference.value());
    rec.InputAnalogColor = Shape_InputAnalogColor.FillColor;
    rec.InputDisabledColor = Shape_InputDisabledColor.FillColor;
    rec.SoundOnOff = static_cast<int16_t>(Check_SoundOnOff.value());
    rec.SoundStartOnOff = static_cast<int16_t>(Check_SoundStartOnOff.value());

    const std::string path = settings_file::filePath(prog.rt.env());
    if (const auto error = settings_file::save(path, settings_file::write(rec)))
        prog.rt.msgBox(settings_file::saveErrorMessage(*error), MsgOkOnly, kAppTitle);

    FormQuorvane& w = prog.quorvane();
    for (int i = 1; i <= 5; ++i) {
        w.Shape_Ingang(i).FillColor = FormQuorvane::colorOf(rec.InputAnalogColor);
        Label& input = w.Label_Drukknop(i);
        if (input.BackColor == kWindowBack) continue;
        const bool disabled = static_cast<double>(input.BackColor) == prog.mod.PreviousDisabledColor;
        input.BackColor = FormQuorvane::colorOf(disabled ? rec.InputDisabledColor : rec.InputBinaryColor);
    }
    w.ResetLeds();
}

void FormOptions::SetStandardColors() {
    Shape_LedColor.FillColor = kStandardLedColor;
    Label_LumiLed.BackColor = kStandardLedColor;
    Shape_InputBinaryColor.FillColor = kStandardInputBinaryColor;
    Label_Drukknop.BackColor = kStandardInputBinaryColor;
    Shape_InputAnalogColor.FillColor = kStandardInputAnalogColor;
    Shape_Ingang.FillColor = kStandardInputAnalogColor;
    Shape_InputDisabledColor.FillColor = kStandardInputDisabledColor;
    Label_InputDisabledColor.BackColor = kStandardInputDisabledColor;
}

// The board is sent the settings with the polling paused, 0.2 s apart; these waits
// deliberately process no events, so nothing else reaches the line in between.
void FormOptions::SaveSettingsToArduino() {
    Runtime& rt = prog.rt;
    FormQuorvane& w = prog.quorvane();
    if (w.Serialport.PortOpen()) {
        w.TimerLeesIngangen.setEnabled(false);
        rt.waitNoEvents(0.2);
        w.Serialport.Output(protocol::ToggleDifferenceCommand(HScroll_Toggle_Difference.value()));
        const int16_t kind = prog.nano.InterfaceKind;
        if (kind == InterfaceAdaFruit || kind == InterfaceTM1638) {
            const SettingsRecord& rec = prog.mod.settings;
            w.Serialport.Output(protocol::LedRedCommand(rec.LedRed));
            rt.waitNoEvents(0.2);
            w.Serialport.Output(protocol::LedGreenCommand(rec.LedGreen));
            rt.waitNoEvents(0.2);
            w.Serialport.Output(protocol::LedBlueCommand(rec.LedBlue));
            rt.waitNoEvents(0.2);
        }
    }
    SaveSettings();
    rt.waitNoEvents(0.2);
    w.TimerLeesIngangen.setEnabled(true);
}

void FormOptions::cmdApply_Click() { SaveSettingsToArduino(); }

void FormOptions::cmdOK_Click() {
    SaveSettingsToArduino();
    prog.unloadOptions();
}

void FormOptions::cmdCancel_Click() { prog.unloadOptions(); }

// --- "Colors" page ---------------------------------------------------------------------------

void FormOptions::chooseColor(Shape& carrier, Color& sample, bool ledColor) {
    const Color initial = chooserColor_.value_or(carrier.FillColor);
    const std::optional<int> chosen = prog.rt.chooseColor(initial);
    if (!chosen) return;
    chooserColor_ = *chosen;
    carrier.FillColor = *chosen;
    sample = *chosen;
    if (ledColor) {
        SettingsRecord& rec = prog.mod.settings;
        rec.LedRed = static_cast<int16_t>(Label_LumiLed.BackColor & 0xFF);
        rec.LedGreen = static_cast<int16_t>((Label_LumiLed.BackColor >> 8) & 0xFF);
        rec.LedBlue = static_cast<int16_t>((Label_LumiLed.BackColor >> 16) & 0xFF);
        prog.mod.LedStatus = 0;
    }
}

void FormOptions::CMD_LedColor_Click() { chooseColor(Shape_LedColor, Label_LumiLed.BackColor, true); }

void FormOptions::CMD_InputBinaryColor_Click() {
    chooseColor(Shape_InputBinaryColor, Label_Drukknop.BackColor, false);
}

void FormOptions::CMD_InputAnalogColor_Click() {
    chooseColor(Shape_InputAnalogColor, Shape_Ingang.FillColor, false);
}

void FormOptions::CMD_InputDisabledColor_Click() {
    chooseColor(Shape_InputDisabledColor, Label_InputDisabledColor.BackColor, false);
}

void FormOptions::CMD_Sandard_Colors_Click() { SetStandardColors(); }

// --- "Sounds" page ----------------------------------------------------------------------------

void FormOptions::Check_SoundOnOff_Click() {
    const int v = Check_SoundOnOff.value();
    showLamp(Shape_SoundOnOff, Label_SoundOnOff, v == 1);
    prog.quorvane().OptionGeluid(v).select();
}

void FormOptions::Check_SoundStartOnOff_Click() {
    const int v = Check_SoundStartOnOff.value();
    if (v == 0 || v == 1) showLamp(Shape_SoundStartOnOff, Label_SoundStartOnOff, v == 1);
}

// --- "Input" page -----------------------------------------------------------------------------

void FormOptions::HScroll_BinaryToggle_Change() {
    Label_BinaryToggle.Caption = decimal(HScroll_BinaryToggle.value());
}

void FormOptions::HScroll_BinaryToggle_Scroll() { HScroll_BinaryToggle_Change(); }

void FormOptions::CMD_Info_Click() {
    prog.rt.msgBox("When the analog input value reaches this value, the input will light up!", MsgInformation,
                   "Info");
}

void FormOptions::CMD_Info_ToggleValue_Click() {
    prog.rt.msgBox(
        "When the new analog input value difference is less then set here, the input won't change!",
        MsgInformation, "Info");
}

void FormOptions::HScroll_Toggle_Difference_Change() {
    const int v = HScroll_Toggle_Difference.value();
    Label_Toggle_Difference.Caption = decimal(v);
    FormQuorvane& w = prog.quorvane();
    if (w.Serialport.PortOpen()) w.Serialport.Output(protocol::ToggleDifferenceCommand(v));
    w.Label_StatusBalk(12).Caption = decimal(v);
}

// While the thumb is dragged the value only shows; the board hears the value it is let go at.
void FormOptions::HScroll_Toggle_Difference_Scroll() {
    const std::string v = decimal(HScroll_Toggle_Difference.value());
    Label_Toggle_Difference.Caption = v;
    prog.quorvane().Label_StatusBalk(12).Caption = v;
}

// --- "Output" page ----------------------------------------------------------------------------

void FormOptions::Check_Swap_Outputs_Click() {
    prog.mod.settings.SwapOutputs = static_cast<int16_t>(Check_Swap_Outputs.value());
    prog.mod.LedStatus = 0;
}

void FormOptions::CMD_Connected_Text_Click() {
    SettingsRecord& rec = prog.mod.settings;
    rec.ConnectedText = firstCharacters(Text_Connected.Text, kDisplayLength);
    FormQuorvane& w = prog.quorvane();
    if (!w.Serialport.PortOpen() || prog.nano.InterfaceKind != InterfaceTM1638) return;
    w.TimerLeesIngangen.setEnabled(false);
    w.Serialport.Output(protocol::DisplayTextCommand(rec.ConnectedText));
    prog.rt.wait(2.0);
    w.TimerLeesIngangen.setEnabled(true);
}

void FormOptions::CMD_Ledkleur_Click() {
    ArduinoNano& nano = prog.nano;
    if (nano.TM1638V11) return;
    nano.TM1638LedRed = !nano.TM1638LedRed;
    CMD_Ledkleur.BackColor = nano.TM1638LedRed ? kLedRed : kLedGreen;
    prog.quorvane().ResetLeds();
}

void FormOptions::CMD_TM1638v1_1_Click() {
    ArduinoNano& nano = prog.nano;
    FormQuorvane& w = prog.quorvane();
    if (nano.InterfaceKind == InterfaceTM1638) {
        nano.TM1638V11 = !nano.TM1638V11;
        CMD_TM1638v1_1.Caption = nano.TM1638V11 ? "TM1638 V1.1" : "TM1638 V1.3";
        w.IMG_Interface.Picture = prog.picture(nano.TM1638V11 ? "Img tm1638-1.bmp" : "Img tm1638-3.bmp");
    }
    // Version 1.1 boards have red LEDs only.
    if (nano.TM1638V11 && !nano.TM1638LedRed) {
        CMD_Ledkleur.BackColor = kLedRed;
        nano.TM1638LedRed = true;
        w.ResetLeds();
    }
}

}  // namespace qv
