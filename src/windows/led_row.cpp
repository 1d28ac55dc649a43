#include "windows/led_row.h"

#include "board/protocol.h"
#include "windows/form_quorvane.h"
#include "windows/pictures.h"
#include "windows/program.h"

namespace qv {

LedPictures ledPictures(int16_t kind, bool tm1638Red) {
    switch (kind) {
        case InterfaceAdaFruit:
            return {pictures::kAdaFruitLed, "Img AdaFruitled Aan.bmp", true};
        case InterfaceLumiLeds:
            return {pictures::kLumiLed, "Img Lumiled Aan.bmp", false};
        case InterfaceTM1638:
            return tm1638Red ? LedPictures{pictures::kLed, "Img Led Aan.bmp", false}
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

bool showLed(Program& prog, FormQuorvane& w, int led, bool lit, const LedPictures& pictures,
             int32_t ledColor) {
    bool changed = false;
    const auto set = [&changed](auto& field, const auto& value) {
        if (field == value) return;
        field = value;
        changed = true;
    };
    w.LedLit[static_cast<size_t>(led)] = lit;
    set(w.Label_LumiLed(led).BackColor, lit ? ledColor : kWindowBack);
    if (pictures.lit) {
        CommandButton& button = w.CMD_LumiLed(led);
        set(button.Picture, prog.picture(lit ? pictures.lit : pictures.dark));
        if (pictures.setsBackground) set(button.BackColor, lit ? ledColor : kWhite);
    }
    return changed;
}

std::string tm1638MaskCommand(const ArduinoNano& nano, int mask) {
    if (!nano.TM1638V11 && nano.TM1638LedRed) return protocol::SecondLedMaskCommand(mask);
    return protocol::LedMaskCommand(mask);
}

}  // namespace qv
