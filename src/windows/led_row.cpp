#include "windows/led_row.h"

#include "board/protocol.h"
#include "windows/form_quorvane.h"
#include "windows/program.h"

namespace qv {

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

bool showLed(Program& prog, FormQuorvane& w, int led, bool lit, const LedLook& look, int32_t ledColor) {
    bool changed = false;
    const auto set = [&changed](auto& field, const auto& value) {
        if (field == value) return;
        field = value;
        changed = true;
    };
    w.LedLit[static_cast<size_t>(led)] = lit;
    set(w.Label_LumiLed(led).BackColor, lit ? ledColor : kWindowBack);
    if (look.lit) {
        CommandButton& button = w.CMD_LumiLed(led);
        set(button.Picture, prog.picture(lit ? look.lit : look.dark));
        if (look.setsBackground) set(button.BackColor, lit ? ledColor : kWhite);
    }
    return changed;
}

std::string maskCommand(MaskCommand how, const ArduinoNano& nano, int mask) {
    switch (how) {
        case MaskCommand::None:
            return {};
        case MaskCommand::First:
            return protocol::LedMaskCommand(mask);
        case MaskCommand::Second:
            return protocol::SecondLedMaskCommand(mask);
        case MaskCommand::ByTM1638:
            // The V1.3 board drives its red LEDs from the second mask.
            if (!nano.TM1638V11 && nano.TM1638LedRed) return protocol::SecondLedMaskCommand(mask);
            return protocol::LedMaskCommand(mask);
    }
    return {};
}

}  // namespace qv
