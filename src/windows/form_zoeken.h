// The search window: shown while a connection opens, is identified or closes; a header
// word and a board picture revealed (searching) or wiped (closing) step by step by a timer.
#pragma once

#include "platform/controls.h"
#include "platform/runtime.h"

namespace qv {

class FormZoeken : public Form {
public:
    explicit FormZoeken(Runtime& rt);
    ~FormZoeken() override;

    Label& Label_Kop;
    Label& Label2;
    PictureBox& Picture_Arduino;
    Timer& Timer_Zoeken;

    // Width change per tick: kSearchStep searching, kCloseStep closing, 0 until first
    // activated.
    int16_t WidthStep = 0;
    static constexpr int16_t kSearchStep = 10;
    static constexpr int16_t kCloseStep = -30;
    static constexpr double kPictureFullWidth = 3510;
    static constexpr Color kHeaderText = 0xFFC0C0;
};

}  // namespace qv
