#include "link/protocol.h"
#include "panel/form_quorvane.h"
#include "panel/led_row.h"

namespace qv {

namespace {

constexpr const char* kSoundLedOn = "SndSwitch01";
constexpr const char* kSoundLedOff = "SndSwitch02";

}  // namespace

LedPictures ledPictures(int16_t kind, bool tm1638Red) {
    switch (kind) {
        case InterfaceAdaFruit:
            return {"Img AdaFruitled.bmp", "Img AdaFruitled Aan.bmp", true};
        case InterfaceLumiLeds:
            return {"Img Lumiled.bmp", "Img Lumiled Aan.bmp", false};
        case InterfaceTM1638:
            return tm1638Red ? LedPictures{"Img Led.bmp", "Img Led Aan.bmp", false}
                             : LedPictures{"Img Led Groen.bmp", "Img Led Aan Groen.bmp", false};
        default:
            return {};
    }
}

int16_t ledWeight(int led, int16_t swapOutputs) {
    switch (swapOutputs) {
        case 0:
            return static_cast<int16_t>(1 << (led - 1));
        case 1:
            return static_cast<int16_t>(1 << (8 - led));
        default:
            return 0;
    }
}


bool FormQuorvane::ledLit(int led) const {
    return LedLit[static_cast<size_t>(led)] || Label_LumiLed(led).BackColor != kWindowBack;
}

void FormQuorvane::CMD_LumiLed_Click(int Index) {
    if (CMD_Animatie.Caption != "Start") return;

    ModuleQuorvane& mod = prog.mod;
    const ArduinoNano& nano = prog.nano;
    Label& label = Label_LumiLed(Index);
    CommandButton& button = CMD_LumiLed(Index);
    const int32_t ledColor = colorOf(mod.settings.LedColor);
    const bool goesOn = !ledLit(Index);
    const LedPictures pictures = ledPictures(nano.InterfaceKind, nano.TM1638LedRed);

    LedLit[Index] = goesOn;
    label.BackColor = goesOn ? ledColor : kWindowBack;
    if (pictures.lit) {
        button.Picture = prog.picture(goesOn ? pictures.lit : pictures.dark);
        if (pictures.setsBackground) button.BackColor = goesOn ? ledColor : kWhite;
    }
    // Setting or clearing the bit, rather than adding or subtracting its weight, keeps
    // the mask within one byte whatever the labels show.
    const int16_t weight = ledWeight(Index, mod.settings.SwapOutputs);
    mod.LedStatus = static_cast<int16_t>(goesOn ? (mod.LedStatus | weight) : (mod.LedStatus & ~weight));

    if (Serialport.PortOpen()) {
        const int m = mod.LedStatus;
        switch (nano.InterfaceKind) {
        case InterfaceAdaFruit:
            Serialport.Output(protocol::LedRedCommand(mod.settings.LedRed));
            Serialport.Output(protocol::LedGreenCommand(mod.settings.LedGreen));
            Serialport.Output(protocol::LedBlueCommand(mod.settings.LedBlue));
            Serialport.Output(protocol::LedMaskCommand(m));
            break;
        case InterfaceLumiLeds:
            Serialport.Output(protocol::SecondLedMaskCommand(m));
            break;
        case InterfaceTM1638:
            // The V1.3 board drives its red LEDs from the second mask.
            if (!nano.TM1638V11 && nano.TM1638LedRed)
                Serialport.Output(protocol::SecondLedMaskCommand(m));
            else
                Serialport.Output(protocol::LedMaskCommand(m));
            break;
        default:
            break;
        }
    }

    if (soundsOn()) playSound(goesOn ? kSoundLedOn : kSoundLedOff);
}

void FormQuorvane::ResetLeds() {
    const int16_t kind = prog.nano.InterfaceKind;
    // Before any sketch is identified the buttons show the AdaFruit LED.
    const LedPictures pictures = ledPictures(kind == InterfaceNone ? static_cast<int16_t>(InterfaceAdaFruit) : kind,
                                             prog.nano.TM1638LedRed);
    for (int i = 1; i <= 8; ++i) {
        LedLit[i] = false;
        Label_LumiLed(i).BackColor = kWindowBack;
        if (pictures.dark) {
            CMD_LumiLed(i).Picture = prog.picture(pictures.dark);
            if (pictures.setsBackground) CMD_LumiLed(i).BackColor = kWhite;
        }
    }

    if (Serialport.PortOpen()) {
        if (kind == InterfaceAdaFruit) {
            Serialport.Output(protocol::LedMaskCommand(0));
        } else if (kind == InterfaceLumiLeds || kind == InterfaceTM1638) {
            Serialport.Output(protocol::LedMaskCommand(0));
            prog.rt.doEvents();
            // A handler run in the pause may have closed the port.
            if (Serialport.PortOpen()) Serialport.Output(protocol::SecondLedMaskCommand(0));
            prog.rt.doEvents();
        }
    }
    prog.mod.LedStatus = 0;
}

}  // namespace qv
