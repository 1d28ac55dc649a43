// The main window: the test panel and the frame of the whole program.
//
// One class holds the window's controls, its event handlers and its public
// operations. The handlers are spread over the subsystem folders, one file per piece:
//   panel/form_quorvane.cpp      controls and layout
//   panel/main_window.cpp        start-up, banner, close rules, settings button
//   panel/led_outputs.cpp        LED clicks and ResetLeds
//   panel/input_panels.cpp       analog and key reports, enable toggle
//   panel/sounds.cpp             sound rule, sound option, info box
//   panel/resizer.cpp            layout record and proportional resizing
//   link/port_discovery.cpp      port probe and "Find Com"
//   link/connection.cpp          connect and disconnect sequences
//   link/polling.cpp             polling tick and receive handler
//   link/identification.cpp      identification decision
//   effects/effect_reader.cpp    effect list and reader
//   effects/effect_player.cpp    effect player and play controller
//   settings/settings_store.cpp  reading the settings at start-up
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "panel/program.h"
#include "platform/controls.h"
#include "platform/serial_port.h"

namespace qv {

// The phase of the connection, read from the controls that carry it.
enum class ConnectionState { NotConnected, Opening, Identifying, Connected, Closing };

class FormQuorvane : public Form {
public:
    explicit FormQuorvane(Program& prog);
    ~FormQuorvane() override;

    Program& prog;

    // --- controls, in creation order -------------------------------------------------
    PictureBox& PictureHolder;
    PictureBox& Picture_Kop;
    Image& Image_Info;
    ControlArray<CommandButton> CMD_LumiLed;  // 1..8
    ControlArray<Label> Label_LumiLed;        // 1..8
    Frame& Frame1;
    Image& IMG_Interface;
    Frame& Frame_Verbinding;
    Label& Label_Interface_Verbinding;
    ComboBox& ComboPoorten;
    ComboBox& ComboBaudRate;
    CommandButton& CMD_ZoekPoorten;
    CommandButton& CMD_Verbind;
    Frame& Frame4;
    Label& Label_Animaties;
    FileListBox& File_List_Effecten;
    ScrollBar& VScrollSpeed;
    CommandButton& CMD_Animatie;
    CheckBox& Check_Auto_volgende_Effect;
    Frame& FrameVUmeterKader;
    Label& Label2;
    ControlArray<OptionButton> OptionGeluid;  // 0 off, 1 on
    Frame& Frame3;
    CommandButton& CMD_Settings;
    CommandButton& CMD_Close;
    ControlArray<PictureBox> Picture_Drukknop_Holder;  // 1..8
    ControlArray<Image> IMGDrukknop;                   // 1..8, one in each holder
    ControlArray<Label> Label_Drukknop;                // 1..8
    // The eight analog boxes, columns 1..8 (Picture_A0, Picture_A1, Picture_A2(0),
    // Picture_A3(0), Picture_A4(0), Picture_A2(1), Picture_A3(1), Picture_A4(1)).
    std::array<PictureBox*, 9> analogBox{};
    ControlArray<Shape> Shape_Ingang;  // 1..8, one in each analog box
    ControlArray<Label> Label_AIn;     // 1..8, one in each analog box
    ControlArray<Label> Label_StatusBalk;  // 0..12
    Timer& Timer_CheckInterface;
    Timer& TimerLeesIngangen;
    SerialPort Serialport;

    // --- window variables ----------------------------------------------------------------
    int16_t AnalogPollIndex = 0;
    double AnalogBarWidth = 0;
    int16_t LastInputValue = 0;
    // The layout recorded once at the end of start-up: one record per control in
    // collection order, then one for the window's outer geometry (no control).
    struct SavedPlacement {
        Control* Ctl = nullptr;
        float Left = 0, Top = 0, Width = 0, Height = 0;
        int16_t FontSize = 0;
    };
    std::vector<SavedPlacement> SavedLayout;
    // Lit state of LED outputs 1..8 as set by a click, kept beside the label colour
    // because a lit label in the colour of the window background looks dark. Whoever
    // darkens or lights the LED labels keeps it in step (ResetLeds clears it).
    std::array<bool, 9> LedLit{};

    // --- public operations, in slot order ------------------------------------------------
    void ResetLeds();
    void SpeelEffect(int16_t AantalKeerSpelen);
    void LeesEffect();
    void InlezenSettings();
    void SetStandard();
    void ReloadPos();

    // --- event handlers --------------------------------------------------------------------
    void Form_Load();
    void Form_Unload();
    void Form_Resize() override;
    void CMD_Close_Click();
    void CMD_Settings_Click();
    void CMD_ZoekPoorten_Click();
    void CMD_Verbind_Click();
    void ComboBaudRate_Click();
    void Timer_CheckInterface_Timer();
    void TimerLeesIngangen_Timer();
    void Serialport_OnComm();
    void CMD_LumiLed_Click(int Index);
    void IMGDrukknop_Click(int Index);
    void OptionGeluid_Click(int Index);
    void Image_Info_Click();
    void IMG_Interface_Click();
    void File_List_Effecten_Click();
    void CMD_Animatie_Click();
    void Check_Auto_volgende_Effect_Click();

    // --- pieces of the handlers, shared between files ---------------------------------------
    ConnectionState connectionState() const;
    // Start-up probe of COM1..COM255 and the baud list.
    void startupProbe();
    void probeLoop(int lastPort);
    void fillBaudList();
    void drawBanner();
    // Start-up sound step: counts the audio outputs, status cells 5 and 7, start sound.
    void startupSoundStep();
    // The effect list's start-up step: first file selected and read, or the panel disabled.
    void startupEffects();
    // The sound rule: plays Sounds/<name> asynchronously (callers test their condition).
    void playSound(const std::string& name);
    // True while sounds may play: the sound option is on and an audio output exists.
    bool soundsOn() const;
    // Shows an analog reading on panel 1..5; the sound name to play, or empty.
    std::string ShowAnalogReport(int panel, const std::string& field);
    // Shows a key mask on panels 1..8; the sound name to play, or empty.
    std::string ShowDigitalReport(int16_t mask);
    // The screen of the end of a disconnect: caption, port closed, polling off, status
    // cells, panels, board picture, baud list, search window (disconnect steps 9 to 14).
    void showDisconnectedScreen();
    // Its first part, shared with a failed identification: caption and picture of the
    // connect button, port closed, polling off, status cells 1 and 10.
    void showPortClosed();
    // The serial device vanished while the port was open.
    void Serialport_Lost(const std::string& reason);
    // A write to the port failed with the device still there.
    void Serialport_Failed(const std::string& reason);
    // The port closed under the connection: the disconnected screen and `message`.
    void portEnded(const std::string& message);

    // Window background and colours taken from the settings record as colour numbers.
    static int32_t colorOf(double settingsColor);

private:
    void connectSequence();
    void disconnectSequence();

    // The effect file last refused by LeesEffect with its reason, until a file loads.
    std::string refusedEffect_;
    bool effectLoaded_ = false;
    // Receive handlers running inside one another's drains.
    int receiveDepth_ = 0;
};

}  // namespace qv
