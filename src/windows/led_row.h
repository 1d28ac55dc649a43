// What the LED row shows and which mask bit an LED drives: shared by the LED buttons and
// the effect player, so that both light the same pictures and bits and send a mask by the
// same commands.
#pragma once

#include <cstdint>
#include <string>

#include "board/board_kinds.h"

namespace qv {

class FormQuorvane;
class Program;
struct ArduinoNano;

// The bit of LED `led` (1..8) in the mask, or 0 when the swap setting maps it to none.
int16_t ledWeight(int led, int16_t swapOutputs);

// Shows LED `led` (1..8) lit or dark: its label in `ledColor` or the window background,
// its lit state, and the button's picture (and background) from `look`. True when
// anything on screen changed.
bool showLed(Program& prog, FormQuorvane& w, int led, bool lit, const LedLook& look, int32_t ledColor);

// The command that sends `mask` the way given, or empty for none.
std::string maskCommand(MaskCommand how, const ArduinoNano& nano, int mask);

}  // namespace qv
