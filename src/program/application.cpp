#include "program/application.h"

#include "link/timings.h"
#include "windows/form_options.h"
#include "windows/form_quorvane.h"
#include "windows/form_show_image.h"
#include "windows/form_zoeken.h"
#include "windows/pictures.h"

namespace qv {

Application::Application(Runtime& r) : Program(r) {
    wireMainWindow();
    onOptionsLoad = [this](FormOptions& f) { wireOptions(f); };
    onOptionsUnload = [this](FormOptions&) { settingsDialog.Form_Unload(); };
    onZoekenLoad = [this](FormZoeken& z) { wireZoeken(z); };
    onShowImageLoad = [this](FormShowImage& f) { wireShowImage(f); };
}

void Application::wireMainWindow() {
    FormQuorvane& w = quorvane();
    FormQuorvane::Operations& ops = w.ops;
    ops.ResetLeds = [this] { leds.ResetLeds(); };
    ops.SpeelEffect = [this](int16_t n) { effectPlayer.SpeelEffect(n); };
    ops.LeesEffect = [this] { effectReader.LeesEffect(); };
    ops.InlezenSettings = [this] { settingsStore.InlezenSettings(); };
    ops.SetStandard = [this] { settingsStore.SetStandard(); };
    ops.ReloadPos = [this] { resizer.ReloadPos(); };
    ops.Form_Load = [this] { Form_Load(); };
    ops.Form_Unload = [this] { Form_Unload(); };
    ops.ShowAnalogReport = [this](int panel, const std::string& field) {
        return inputs.ShowAnalogReport(panel, field);
    };
    ops.ShowDigitalReport = [this](int16_t mask) { return inputs.ShowDigitalReport(mask); };
    ops.PlaySoundIfOn = [this](const std::string& name) { sounds.playSoundIfOn(name); };
    w.onResize = [this] { resizer.Form_Resize(); };

    w.Image_Info.onClick = [this] { infoBox.Image_Info_Click(); };
    for (int n = 1; n <= 8; ++n) {
        w.CMD_LumiLed(n).onClick = [this, n] { leds.CMD_LumiLed_Click(n); };
        w.IMGDrukknop(n).onClick = [this, n] { inputs.IMGDrukknop_Click(n); };
    }
    w.IMG_Interface.onClick = [this] { photograph.IMG_Interface_Click(); };
    w.ComboBaudRate.onClick = [this] { connection.ComboBaudRate_Click(); };
    w.CMD_ZoekPoorten.onClick = [this] { discovery.CMD_ZoekPoorten_Click(); };
    w.CMD_Verbind.onClick = [this] { connection.CMD_Verbind_Click(); };
    w.File_List_Effecten.onClick = [this] { effectReader.File_List_Effecten_Click(); };
    w.CMD_Animatie.onClick = [this] { effectPlayer.CMD_Animatie_Click(); };
    w.Check_Auto_volgende_Effect.onClick = [this] { effectPlayer.Check_Auto_volgende_Effect_Click(); };
    for (int i = 0; i <= 1; ++i) w.OptionGeluid(i).onClick = [this, i] { sounds.OptionGeluid_Click(i); };
    w.CMD_Settings.onClick = [this] { settingsDialog.CMD_Settings_Click(); };
    w.CMD_Close.onClick = [this] { CMD_Close_Click(); };
    w.Timer_CheckInterface.setInterval(kIdentificationMs);
    w.Timer_CheckInterface.onTimer = [this] { identification.Timer_CheckInterface_Timer(); };
    w.TimerLeesIngangen.setInterval(kPollIntervalMs);
    w.TimerLeesIngangen.onTimer = [this] { polling.TimerLeesIngangen_Timer(); };
    w.Serialport.OnComm = [this] { polling.Serialport_OnComm(); };
    w.Serialport.OnLost = [this](const std::string& reason) { connection.Serialport_Lost(reason); };
    w.Serialport.OnFailed = [this](const std::string& reason) { connection.Serialport_Failed(reason); };
}

void Application::wireOptions(FormOptions& f) {
    f.ops.SaveSettings = [this, &f] { settingsStore.SaveSettings(f); };
    f.ops.SetStandardColors = [this, &f] { settingsDialog.SetStandardColors(f); };
    f.ops.SaveSettingsToArduino = [this, &f] { boardPush.SaveSettingsToArduino(f); };
    f.onKeyPress = [this](int keyAscii) { settingsDialog.Form_KeyPress(keyAscii); };
    f.onCloseRequest = [this] { unloadOptions(); };

    SettingsDialog& d = settingsDialog;
    f.cmdOK.onClick = [this, &f] { boardPush.cmdOK_Click(f); };
    f.cmdCancel.onClick = [&d] { d.cmdCancel_Click(); };
    f.cmdApply.onClick = [this, &f] { boardPush.cmdApply_Click(f); };
    f.CMD_LedColor.onClick = [&d, &f] { d.CMD_LedColor_Click(f); };
    f.CMD_InputBinaryColor.onClick = [&d, &f] { d.CMD_InputBinaryColor_Click(f); };
    f.CMD_InputAnalogColor.onClick = [&d, &f] { d.CMD_InputAnalogColor_Click(f); };
    f.CMD_InputDisabledColor.onClick = [&d, &f] { d.CMD_InputDisabledColor_Click(f); };
    f.CMD_Sandard_Colors.onClick = [&d, &f] { d.CMD_Sandard_Colors_Click(f); };
    f.Check_SoundStartOnOff.onClick = [&d, &f] { d.Check_SoundStartOnOff_Click(f); };
    f.Check_SoundOnOff.onClick = [&d, &f] { d.Check_SoundOnOff_Click(f); };
    f.HScroll_BinaryToggle.onChange = [&d, &f] { d.HScroll_BinaryToggle_Change(f); };
    f.HScroll_BinaryToggle.onScroll = [&d, &f] { d.HScroll_BinaryToggle_Scroll(f); };
    f.CMD_Info.onClick = [&d] { d.CMD_Info_Click(); };
    f.HScroll_Toggle_Difference.onChange = [&d, &f] { d.HScroll_Toggle_Difference_Change(f); };
    f.HScroll_Toggle_Difference.onScroll = [&d, &f] { d.HScroll_Toggle_Difference_Scroll(f); };
    f.CMD_Info_ToggleValue.onClick = [&d] { d.CMD_Info_ToggleValue_Click(); };
    f.Check_Swap_Outputs.onClick = [&d, &f] { d.Check_Swap_Outputs_Click(f); };
    f.CMD_Connected_Text.onClick = [this, &f] { boardPush.CMD_Connected_Text_Click(f); };
    f.CMD_TM1638v1_1.onClick = [&d, &f] { d.CMD_TM1638v1_1_Click(f); };
    f.CMD_Ledkleur.onClick = [&d, &f] { d.CMD_Ledkleur_Click(f); };

    d.Form_Load(f);
}

void Application::wireZoeken(FormZoeken& z) {
    z.onActivate = [this, &z] { searchWindow.Form_Activate(z); };
    z.Timer_Zoeken.setInterval(kSearchStepMs);
    z.Timer_Zoeken.onTimer = [this, &z] { searchWindow.Timer_Zoeken_Timer(z); };
}

void Application::wireShowImage(FormShowImage& f) {
    f.onKeyPress = [this, &f](int keyAscii) { photograph.Form_KeyPress(f, keyAscii); };
    f.Image_PCB.onClick = [this, &f] { photograph.Image_PCB_Click(f); };
    photograph.Form_Load(f);
}

void Application::Form_Load() {
    FormQuorvane& w = quorvane();
    w.AnalogPollIndex = 0;
    // The full scale of a bar is the design width, taken before the bars are emptied.
    w.AnalogBarWidth = w.Shape_Ingang(1).Width;
    for (int n = 1; n <= 8; ++n) w.Shape_Ingang(n).Width = 15;

    nano.TM1638V11 = true;
    nano.TM1638LedRed = true;
    w.InlezenSettings();
    // Loading the settings dialog while reading may have touched the board flags.
    nano.TM1638V11 = true;
    nano.TM1638LedRed = true;

    w.drawBanner();
    discovery.startupProbe();
    discovery.fillBaudList();
    nano.PushButtonKind = PushButtonTrimmer;
    sounds.startupSoundStep();
    effectReader.startupEffects();
    w.IMG_Interface.Picture = picture(pictures::kNanoSmall);
    // Last, so the recorded layout is the one the user first sees.
    w.ReloadPos();
}

void Application::CMD_Close_Click() {
    FormQuorvane& w = quorvane();
    // The caption, not the port, tells whether a connection is under way: it reads
    // "Disconnect" from the start of a connect to the end of the disconnect's wait.
    if (w.CMD_Verbind.Caption == kDisconnectCaption) {
        rt.msgBox("Please disconnect before closing.", MsgOkOnly, kAppTitle);
        return;
    }
    w.ResetLeds();
    rt.quit();
}

void Application::Form_Unload() {
    // The program ends at once, and the port with it, whatever the line has taken.
    quorvane().Serialport.closeSoon();
    quorvane().ResetLeds();
    rt.quit();
}

}  // namespace qv
