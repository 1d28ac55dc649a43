// What the LED row shows and which mask bit an LED drives: shared by the LED buttons and
// the effect player, so that both light the same pictures and bits.
#pragma once

#include <cstdint>

namespace qv {

// The button pictures of one sketch's LEDs; empty names mean the sketch has none.
struct LedPictures {
    const char* dark = nullptr;
    const char* lit = nullptr;
    bool setsBackground = false;  // the picture's black parts show the LED colour
};

LedPictures ledPictures(int16_t interfaceKind, bool tm1638Red);

// The bit of LED `led` (1..8) in the mask, or 0 when the swap setting maps it to none.
int16_t ledWeight(int led, int16_t swapOutputs);

}  // namespace qv
