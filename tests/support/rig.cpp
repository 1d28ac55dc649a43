#include "support/rig.h"

namespace qv::test {

Rig::Rig() {
    rt.environment.homeFolder = home.path().string();
    rt.environment.programFolder = program.path().string();
    rt.environment.exeName = "Quorvane";
    rt.environment.loginName = "kim";
    for (const char* d : {"Effects", "Pictures", "Sounds", "ino"})
        std::filesystem::create_directories(program.path() / d);
}

Rig::~Rig() { prog.reset(); }

std::string Rig::settingsPath() const { return home.file("Quorvane/Settings.txt"); }

void Rig::writeSettingsLines(const std::vector<std::string>& lines) const {
    test::writeSettingsLines(home.path(), lines);
}

void Rig::writeStandardSettings() const { writeSettingsLines(standardSettingsLines()); }

FormQuorvane& Rig::start() {
    prog = std::make_unique<Application>(rt);
    prog->quorvane().Form_Load();
    prog->quorvane().Show();
    return prog->quorvane();
}

sim::SketchBoard& Rig::board(int port, const std::string& code) {
    boards_.push_back(std::make_unique<sim::SketchBoard>(code));
    rt.existingPorts.insert(port);
    rt.boards[port] = boards_.back().get();
    return *boards_.back();
}

void Rig::connect(int port, double runSeconds) {
    rt.choose(w().ComboPoorten, "Com " + std::to_string(port));
    const double t0 = rt.now();
    rt.click(w().CMD_Verbind);
    rt.runUntil(t0 + runSeconds);
}

}  // namespace qv::test
