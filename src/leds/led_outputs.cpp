#include "leds/led_outputs.h"

#include "board/protocol.h"
#include "windows/led_row.h"

namespace qv {

namespace {

constexpr const char* kSoundLedOn = "SndSwitch01";
constexpr const char* kSoundLedOff = "SndSwitch02";

}  // namespace

void LedOutputs::CMD_LumiLed_Click(int Index) {
    if (w.CMD_Animatie.Caption != kStartCaption) return;

    ModuleQuorvane& mod = prog.mod;
    const ArduinoNano& nano = prog.nano;
    const int32_t ledColor = FormQuorvane::colorOf(mod.settings.LedColor);
    const bool goesOn = !w.ledLit(Index);
    const LedPictures pictures = ledPictures(nano.InterfaceKind, nano.TM1638LedRed);

    showLed(prog, w, Index, goesOn, pictures, ledColor);
    // Setting or clearing the bit, rather than adding or subtracting its weight, keeps
    // the mask within one byte whatever the labels show.
    const int16_t weight = ledWeight(Index, mod.settings.SwapOutputs);
    mod.LedStatus = static_cast<int16_t>(goesOn ? (mod.LedStatus | weight) : (mod.LedStatus & ~weight));

    if (w.Serialport.PortOpen()) {
        const int m = mod.LedStatus;
        switch (nano.InterfaceKind) {
            case InterfaceAdaFruit:
                w.Serialport.Output(protocol::LedRedCommand(mod.settings.LedRed));
                w.Serialport.Output(protocol::LedGreenCommand(mod.settings.LedGreen));
                w.Serialport.Output(protocol::LedBlueCommand(mod.settings.LedBlue));
                w.Serialport.Output(protocol::LedMaskCommand(m));
                break;
            case InterfaceLumiLeds:
                w.Serialport.Output(protocol::SecondLedMaskCommand(m));
                break;
            case InterfaceTM1638:
                w.Serialport.Output(tm1638MaskCommand(nano, m));
                break;
            default:
                break;
        }
    }

    w.ops.PlaySoundIfOn(goesOn ? kSoundLedOn : kSoundLedOff);
}

void LedOutputs::ResetLeds() {
    const int16_t kind = prog.nano.InterfaceKind;
    // Before any sketch is identified the buttons show the AdaFruit LED.
    const LedPictures pictures = ledPictures(
        kind == InterfaceNone ? static_cast<int16_t>(InterfaceAdaFruit) : kind, prog.nano.TM1638LedRed);
    for (int i = 1; i <= 8; ++i) showLed(prog, w, i, false, pictures, kWindowBack);

    if (w.Serialport.PortOpen()) {
        if (kind == InterfaceAdaFruit) {
            w.Serialport.Output(protocol::LedMaskCommand(0));
        } else if (kind == InterfaceLumiLeds || kind == InterfaceTM1638) {
            w.Serialport.Output(protocol::LedMaskCommand(0));
            prog.rt.doEvents();
            // A handler run in the pause may have closed the port.
            if (w.Serialport.PortOpen()) w.Serialport.Output(protocol::SecondLedMaskCommand(0));
            prog.rt.doEvents();
        }
    }
    prog.mod.LedStatus = 0;
}

}  // namespace qv
