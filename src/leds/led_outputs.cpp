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
    const BoardKind& kind = boardKind(nano.InterfaceKind);
    const int32_t ledColor = FormQuorvane::colorOf(mod.settings.LedColor);
    const bool goesOn = !w.ledLit(Index);
    const LedLook look = kind.clickDrawsLeds ? ledLook(kind, nano.TM1638LedRed) : LedLook{};

    showLed(prog, w, Index, goesOn, look, ledColor);
    // Setting or clearing the bit, rather than adding or subtracting its weight, keeps
    // the mask within one byte whatever the labels show.
    const int16_t weight = ledWeight(Index, mod.settings.SwapOutputs);
    mod.LedStatus = static_cast<int16_t>(goesOn ? (mod.LedStatus | weight) : (mod.LedStatus & ~weight));

    if (w.Serialport.PortOpen()) {
        const int m = mod.LedStatus;
        if (kind.clickSendsColours) {
            w.Serialport.Output(protocol::LedRedCommand(mod.settings.LedRed));
            w.Serialport.Output(protocol::LedGreenCommand(mod.settings.LedGreen));
            w.Serialport.Output(protocol::LedBlueCommand(mod.settings.LedBlue));
        }
        const std::string mask = maskCommand(kind.clickMask, nano, m);
        if (!mask.empty()) w.Serialport.Output(mask);
    }

    w.ops.PlaySoundIfOn(goesOn ? kSoundLedOn : kSoundLedOff);
}

void LedOutputs::ResetLeds() {
    const BoardKind& kind = boardKind(prog.nano.InterfaceKind);
    const LedLook look = ledLook(kind, prog.nano.TM1638LedRed);
    for (int i = 1; i <= 8; ++i) showLed(prog, w, i, false, look, kWindowBack);

    if (w.Serialport.PortOpen()) {
        switch (kind.darken) {
            case DarkenFrames::None:
                break;
            case DarkenFrames::First:
                w.Serialport.Output(protocol::LedMaskCommand(0));
                break;
            case DarkenFrames::FirstThenSecond:
                w.Serialport.Output(protocol::LedMaskCommand(0));
                prog.rt.doEvents();
                // A handler run in the pause may have closed the port.
                if (w.Serialport.PortOpen()) w.Serialport.Output(protocol::SecondLedMaskCommand(0));
                prog.rt.doEvents();
                break;
        }
    }
    prog.mod.LedStatus = 0;
}

}  // namespace qv
