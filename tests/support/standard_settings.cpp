#include "support/standard_settings.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace qv::test {

namespace fs = std::filesystem;

std::vector<std::string> standardSettingsLines() {
    std::ifstream in(fs::path(QUORVANE_TEST_DATA) / "Settings.txt", std::ios::binary);
    if (!in) throw std::runtime_error("the standard settings file is missing");
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

void writeSettingsLines(const fs::path& home, const std::vector<std::string>& lines) {
    fs::create_directories(home / "Quorvane");
    std::ofstream out(home / "Quorvane" / "Settings.txt", std::ios::binary);
    for (const auto& l : lines) out << l << "\r\n";
}

void writeStandardSettings(const fs::path& home, bool soundOn, bool startSound) {
    std::vector<std::string> lines = standardSettingsLines();
    lines.at(10) = soundOn ? " 1 " : " 0 ";
    lines.at(11) = startSound ? " 1 " : " 0 ";
    writeSettingsLines(home, lines);
}

}  // namespace qv::test
