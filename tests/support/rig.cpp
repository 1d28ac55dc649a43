#include "support/rig.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace qv::test {

TempDir::TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "quorvane-test-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    path_ = tmpl;
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

void TempDir::write(const std::string& rel, const std::string& content) const {
    const std::filesystem::path p = std::filesystem::path(path_) / rel;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary);
    out << content;
}

Rig::Rig() {
    rt.environment.homeFolder = home.path();
    rt.environment.programFolder = program.path();
    rt.environment.exeName = "Quorvane";
    rt.environment.loginName = "kim";
    for (const char* d : {"Effects", "Pictures", "Sounds", "ino"})
        std::filesystem::create_directories(std::filesystem::path(program.path()) / d);
}

Rig::~Rig() { prog.reset(); }

std::string Rig::settingsPath() const { return home.path() + "/Quorvane/Settings.txt"; }

void Rig::writeSettingsLines(const std::vector<std::string>& lines) const {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    home.write("Quorvane/Settings.txt", s);
}

std::vector<std::string> standardSettingsLines() {
    return {"Settings for Quorvane", "Settings of the board test panel", "- Colors", " 255 ", " 8454016 ",
            " 512 ", " 2 ", " 8454143 ", " 8421631 ", "- Sounds", " 1 ", " 1 ", "- Output", " 0 ",
            "- Displaytext", "ARDUINO "};
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
