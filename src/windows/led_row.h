// What the LED row shows and which mask bit an LED drives: shared by the LED buttons and
// the effect player, so that both light the same pictures and bits and drive a TM1638
// board's LEDs through the same mask.
#pragma once

#include <cstdint>
#include <string>

namespace qv {

class FormQuorvane;
class Program;
struct ArduinoNano;

// The button pictures of one sketch's LEDs; empty names mean the sketch has none.
struct LedPictures {
    const char* dark = nullptr;
    const char* lit = nullptr;
    bool setsBackground = false;  // the picture's black parts show the LED colour
};

LedPictures ledPictures(int16_t interfaceKind, bool tm1638Red);

// The bit of LED `led` (1..8) in the mask, or 0 when the swap setting maps it to none.
int16_t ledWeight(int led, int16_t swapOutputs);

// Shows LED `led` (1..8) lit or dark: its label in `ledColor` or the window background,
// its lit state, and the button's picture (and background) from `pictures`. True when
// anything on screen changed.
bool showLed(Program& prog, FormQuorvane& w, int led, bool lit, const LedPictures& pictures,
             int32_t ledColor);

// The mask command for a TM1638 board: the V1.3 board drives its red LEDs from the
// second mask.
std::string tm1638MaskCommand(const ArduinoNano& nano, int mask);

}  // namespace qv
