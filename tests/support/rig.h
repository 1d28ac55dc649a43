// A test rig: the whole program on the simulated runtime, with its own temporary home
// and program folders.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "program/application.h"
#include "support/sim_runtime.h"
#include "support/standard_settings.h"
#include "support/temp_dir.h"
#include "windows/form_options.h"
#include "windows/form_quorvane.h"
#include "windows/form_zoeken.h"

namespace qv::test {

class Rig {
public:
    Rig();
    ~Rig();

    TempDir home;
    TempDir program;  // holds Effects/, Pictures/, Sounds/, ino/
    sim::SimRuntime rt;
    std::unique_ptr<Application> prog;

    // The settings file the program reads: <home>/<exe>/Settings.txt.
    std::string settingsPath() const;
    // Writes a settings file with the standard values (so start-up shows no message).
    void writeStandardSettings() const;
    // Writes the settings file from 16 lines (CR LF added).
    void writeSettingsLines(const std::vector<std::string>& lines) const;

    // Creates the program and runs the main window's start-up, then shows it.
    FormQuorvane& start();
    FormQuorvane& w() { return prog->quorvane(); }

    // Attaches a sketch board to COMn and makes the port exist.
    sim::SketchBoard& board(int port, const std::string& code);
    // Picks "Com n" in the port list and clicks "Connect"; runs until `seconds` after it.
    void connect(int port, double runSeconds);

private:
    std::vector<std::unique_ptr<sim::SketchBoard>> boards_;
};

}  // namespace qv::test
