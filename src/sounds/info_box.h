// The info box: maker, version, build date, the connected sketch and where the settings
// are kept.
#pragma once

#include "windows/program_part.h"

namespace qv {

class InfoBox : public ProgramPart {
public:
    explicit InfoBox(Program& p) : ProgramPart(p) {}

    void Image_Info_Click();
};

}  // namespace qv
