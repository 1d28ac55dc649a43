// The settings record's store: reading the settings file at start-up, the standard
// values, and saving what the dialog shows.
#pragma once

#include "windows/form_options.h"
#include "windows/program_part.h"

namespace qv {

class SettingsStore : public ProgramPart {
public:
    explicit SettingsStore(Program& p) : ProgramPart(p) {}

    void InlezenSettings();
    void SetStandard();
    void SaveSettings(FormOptions& f);
};

}  // namespace qv
