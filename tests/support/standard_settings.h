// The settings file with the standard values, as the program writes it: one copy in
// tests/data/Settings.txt, which the tests, the benchmarks and the benchmark scripts share.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace qv::test {

// Its sixteen lines, without line ends.
std::vector<std::string> standardSettingsLines();

// Writes <home>/Quorvane/Settings.txt from `lines` (CR LF added).
void writeSettingsLines(const std::filesystem::path& home, const std::vector<std::string>& lines);

// Writes <home>/Quorvane/Settings.txt with the standard values but the sounds as given.
void writeStandardSettings(const std::filesystem::path& home, bool soundOn, bool startSound);

}  // namespace qv::test
