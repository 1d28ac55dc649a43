// The search window's behaviour: its mode at each activation and the picture that its
// timer reveals (searching) or wipes (closing).
#pragma once

#include "windows/form_zoeken.h"
#include "windows/program_part.h"

namespace qv {

class SearchWindow : public ProgramPart {
public:
    explicit SearchWindow(Program& p) : ProgramPart(p) {}

    void Form_Activate(FormZoeken& z);
    void Timer_Zoeken_Timer(FormZoeken& z);
};

}  // namespace qv
