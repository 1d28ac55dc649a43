// The main window: the test panel and the frame of the whole program.
//
// This class holds the window's controls, their captions and geometry, and the window
// variables. Its behaviour lives in the subsystems (link, inputs, leds, effects,
// settings, sounds, view), each owning its handlers; the program's wiring hooks them to
// the controls' events and to the window's public operations below.
//
// Control and handler names keep the original's words. A short glossary:
//   Verbind connect, Verbinding connection, ZoekPoorten search ports, Poorten ports,
//   Zoeken search, LeesIngangen read inputs, Ingang input, Drukknop push button,
//   Geluid sound, Aan on, Kop header, Balk bar, Animatie animation, Effecten effects,
//   Auto volgende auto next, SpeelEffect play effect, LeesEffect read effect,
//   InlezenSettings read in settings, AantalKeerSpelen number of times to play,
//   Kader frame, Holder holder.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/runtime.h"
#include "platform/serial_port.h"

namespace qv {

// Captions that carry state: the connect button's says whether a connection is under
// way, the animation button's whether an effect plays.
inline constexpr const char* kConnectCaption = "Connect";
inline constexpr const char* kDisconnectCaption = "Disconnect";
inline constexpr const char* kStartCaption = "Start";
inline constexpr const char* kStopCaption = "Stop";
// An input label's tag: whether its input is read and shown.
inline constexpr const char* kInputEnabledTag = "True";
inline constexpr const char* kInputDisabledTag = "False";

class FormQuorvane : public Form {
public:
    explicit FormQuorvane(Runtime& rt);
    ~FormQuorvane() override;

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
    ControlArray<Shape> Shape_Ingang;      // 1..8, one in each analog box
    ControlArray<Label> Label_AIn;         // 1..8, one in each analog box
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
    // Whether LED output 1..8 is lit: by a click, an effect step, or a label not in the
    // window background.
    bool ledLit(int led) const;

    // --- public operations, in slot order, and the load events ---------------------------
    // Each runs the code of the subsystem that owns it, hooked in by the program's wiring.
    struct Operations {
        std::function<void()> ResetLeds;
        std::function<void(int16_t AantalKeerSpelen)> SpeelEffect;
        std::function<void()> LeesEffect;
        std::function<void()> InlezenSettings;
        std::function<void()> SetStandard;
        std::function<void()> ReloadPos;
        std::function<void()> Form_Load;
        std::function<void()> Form_Unload;
        // The input panels' displays of a report, for the receive handler: each returns
        // the name of the sound to play, or empty.
        std::function<std::string(int panel, const std::string& field)> ShowAnalogReport;
        std::function<std::string(int16_t mask)> ShowDigitalReport;
        // The sound rule: plays the named sound when sounds are on.
        std::function<void(const std::string& name)> PlaySoundIfOn;
    } ops;

    void ResetLeds() { ops.ResetLeds(); }
    void SpeelEffect(int16_t AantalKeerSpelen) { ops.SpeelEffect(AantalKeerSpelen); }
    void LeesEffect() { ops.LeesEffect(); }
    void InlezenSettings() { ops.InlezenSettings(); }
    void SetStandard() { ops.SetStandard(); }
    void ReloadPos() { ops.ReloadPos(); }
    void Form_Load() { ops.Form_Load(); }
    void Form_Unload() { ops.Form_Unload(); }

    // The title drawn on the header at start-up.
    void drawBanner();

    // Window background and colours taken from the settings record as colour numbers.
    static int32_t colorOf(double settingsColor);
};

}  // namespace qv
