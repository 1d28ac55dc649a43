// Settings.txt: reading, writing and replacing the file.
#include "files/settings_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "support/rig.h"

namespace qv::test {
namespace {

std::string join(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

// The standard file with line `n` (1-based) replaced.
std::string withLine(int n, const std::string& text) {
    auto lines = standardSettingsLines();
    lines[static_cast<size_t>(n - 1)] = text;
    return join(lines);
}

SettingsRecord readOk(const std::string& bytes) {
    SettingsRecord rec;
    std::string why;
    const Result<> r = settings_file::read(bytes, rec);
    EXPECT_TRUE(r) << r.error();
    return rec;
}

bool readable(const std::string& bytes) {
    SettingsRecord rec;
    return bool(settings_file::read(bytes, rec));
}

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SettingsFile, StandardRecordRoundTripsByteForByte) {
    const std::string file = join(standardSettingsLines());
    const SettingsRecord rec = readOk(file);
    EXPECT_EQ(rec.LedColor, 255);
    EXPECT_EQ(rec.InputBinaryColor, 8454016);
    EXPECT_EQ(rec.BinaryToggleValue, 512);
    EXPECT_EQ(rec.ToggleDifference, 2.0f);
    EXPECT_EQ(rec.InputAnalogColor, 8454143);
    EXPECT_EQ(rec.InputDisabledColor, 8421631);
    EXPECT_EQ(rec.SoundOnOff, 1);
    EXPECT_EQ(rec.SoundStartOnOff, 1);
    EXPECT_EQ(rec.SwapOutputs, 0);
    EXPECT_EQ(rec.ConnectedText, "ARDUINO ") << "the trailing blank survives";
    EXPECT_EQ(settings_file::write(rec), file);
}

TEST(SettingsFile, NumbersAreReadForgivingly) {
    EXPECT_EQ(readOk(withLine(6, "letters")).BinaryToggleValue, 0);
    EXPECT_EQ(readOk(withLine(6, "12abc")).BinaryToggleValue, 12);
    EXPECT_EQ(readOk(withLine(6, "")).BinaryToggleValue, 0);
    EXPECT_EQ(readOk(withLine(6, "   -7   ")).BinaryToggleValue, -7);
    EXPECT_EQ(readOk(withLine(6, "1025")).BinaryToggleValue, 1025) << "range is the dialog's business";
    EXPECT_EQ(readOk(withLine(7, "2.5")).ToggleDifference, 2.5f);
    EXPECT_EQ(readOk(withLine(11, "2")).SoundOnOff, 2);
}

TEST(SettingsFile, NumbersThatDoNotFitTheirFieldMakeTheFileUnreadable) {
    EXPECT_FALSE(readable(withLine(6, "32768")));
    EXPECT_FALSE(readable(withLine(11, "-40000")));
    EXPECT_FALSE(readable(withLine(14, "1e6")));
    EXPECT_FALSE(readable(withLine(7, "1e39")));
    EXPECT_TRUE(readable(withLine(4, "1e300"))) << "a colour is a double";
}

TEST(SettingsFile, ItemsEndAtLineEndsAndCommas) {
    EXPECT_EQ(readOk(withLine(16, "HELLO,WORLD")).ConnectedText, "HELLO");
    EXPECT_EQ(readOk(withLine(16, "")).ConnectedText, "");
    EXPECT_EQ(readOk(withLine(16, "\"A,B\"")).ConnectedText, "A,B");
    EXPECT_EQ(readOk(withLine(2, "Another header of mine")).LedColor, 255);

    // What follows a comma is the next item, so every later item moves up one line.
    const SettingsRecord shifted = readOk(withLine(14, "1,extra"));
    EXPECT_EQ(shifted.SwapOutputs, 1);
    EXPECT_EQ(shifted.ConnectedText, "- Displaytext");
}

TEST(SettingsFile, LengthOfTheFile) {
    auto lines = standardSettingsLines();
    lines.pop_back();
    SettingsRecord rec;
    EXPECT_FALSE(settings_file::read(join(lines), rec)) << "15 lines";
    EXPECT_EQ(rec.SwapOutputs, 0);
    EXPECT_EQ(rec.LedColor, 255) << "items before the end are taken as read";

    auto longer = standardSettingsLines();
    longer.push_back("a 17th line, ignored");
    EXPECT_EQ(readOk(join(longer)).ConnectedText, "ARDUINO ");

    std::string noFinalLineEnd = join(standardSettingsLines());
    noFinalLineEnd.resize(noFinalLineEnd.size() - 2);
    EXPECT_EQ(readOk(noFinalLineEnd).ConnectedText, "ARDUINO ");
}

TEST(SettingsFile, ReadingStopsAtTheEndOfTheSixteenthLine) {
    const std::string file = join(standardSettingsLines());
    std::istringstream tail(file + std::string(8 << 20, 'x'));
    SettingsRecord rec;
    EXPECT_TRUE(settings_file::read(tail, rec));
    EXPECT_EQ(tail.tellg(), static_cast<std::streamoff>(file.size()))
        << "nothing after the 16th line is read";

    // One huge line is read no further than a settings file can reach.
    std::istringstream huge(withLine(16, std::string(8 << 20, 'x')));
    EXPECT_FALSE(settings_file::read(huge, rec));
    EXPECT_LE(huge.tellg(), std::streamoff{1 << 20});
}

TEST(SettingsFile, WrittenTextsReadBackAsThemselves) {
    SettingsRecord rec = readOk(join(standardSettingsLines()));
    for (const std::string text : {"A,B", "  lead", "\"quoted\"", "say \"hi\"", "", "\xe9t\xe9"}) {
        rec.ConnectedText = text;
        EXPECT_EQ(readOk(settings_file::write(rec)).ConnectedText, text);
    }
    rec.ConnectedText = "plain";
    rec.SwapOutputs = -3;
    rec.ToggleDifference = 2.5f;
    const std::string out = settings_file::write(rec);
    EXPECT_NE(out.find("\r\n-3 \r\n"), std::string::npos);
    EXPECT_NE(out.find("\r\n 2.5 \r\n"), std::string::npos);
    EXPECT_NE(out.find("\r\nplain\r\n"), std::string::npos);
}

class SettingsSave : public ::testing::Test {
protected:
    TempDir dir;
    std::string path = dir.file("Settings.txt");
    std::string old = join(standardSettingsLines());
    std::string fresh = withLine(16, "NEW");

    void expectOnlyTheFile() {
        int entries = 0;
        for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
        EXPECT_EQ(entries, 1) << "no temporary file is left behind";
    }
};

TEST_F(SettingsSave, ReplacesTheFile) {
    dir.write("Settings.txt", old);
    EXPECT_TRUE(settings_file::save(path, fresh));
    EXPECT_EQ(slurp(path), fresh);
    expectOnlyTheFile();
}

TEST_F(SettingsSave, ReadOnlyFileIsRefusedForEveryUser) {
    dir.write("Settings.txt", old);
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    const auto err = settings_file::save(path, fresh);
    ASSERT_FALSE(err);
    EXPECT_EQ(err.failure().errorNumber, 13);
    EXPECT_EQ(err.error(), "Permission denied");
    EXPECT_EQ(slurp(path), old);
    expectOnlyTheFile();
}

TEST_F(SettingsSave, AFolderThatTakesNoNewFilesStillLetsItsFileBeRewritten) {
    namespace fs = std::filesystem;
    dir.write("Settings.txt", old);
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    const fs::perms folder = fs::status(dir.path()).permissions();
    fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    // Root may add files to any folder, so the save runs as an ordinary user then.
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(2);
            std::_Exit(settings_file::save(path, fresh) ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    fs::permissions(dir.path(), folder);
    EXPECT_EQ(slurp(path), fresh);
    expectOnlyTheFile();
}

TEST_F(SettingsSave, FailuresLeaveTheOldFile) {
    const auto missing = settings_file::save(dir.file("no such folder/Settings.txt"), fresh);
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.failure().errorNumber, ENOENT);

    std::filesystem::create_directory(path);
    const auto isDir = settings_file::save(path, fresh);
    ASSERT_FALSE(isDir);
    EXPECT_EQ(isDir.failure().errorNumber, EISDIR);
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(SettingsSave, FailureWhileWritingLeavesTheOldFileWhole) {
    dir.write("Settings.txt", old);
    // A file size limit makes the write fail part-way, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 20;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    const auto err = settings_file::save(path, fresh);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    ASSERT_FALSE(err);
    EXPECT_EQ(err.failure().errorNumber, EFBIG);
    EXPECT_EQ(slurp(path), old);
    expectOnlyTheFile();
}

TEST_F(SettingsSave, AFileSizeLimitFailsTheSaveWithoutEndingTheProgram) {
    dir.write("Settings.txt", old);
    EXPECT_EXIT(
        {
            std::signal(SIGXFSZ, SIG_DFL);
            rlimit tiny{};
            getrlimit(RLIMIT_FSIZE, &tiny);
            tiny.rlim_cur = 20;
            setrlimit(RLIMIT_FSIZE, &tiny);
            const auto err = settings_file::save(path, fresh);
            std::_Exit(!err && err.failure().errorNumber == EFBIG ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(slurp(path), old);
    expectOnlyTheFile();
}

TEST_F(SettingsSave, TemporaryFilesOfAKilledSaveAreRemovedByTheNext) {
    namespace fs = std::filesystem;
    dir.write("Settings.txt", old);
    dir.write(".Settings.txt.a1B2c3", "half a file");
    dir.write(".Settings.txt.mine", "not a temporary name");
    dir.write("notes.txt", "someone else's");
    fs::create_symlink("notes.txt", dir.file(".Settings.txt.Z9y8X7"));
    EXPECT_TRUE(settings_file::save(path, fresh));
    EXPECT_EQ(slurp(path), fresh);
    EXPECT_FALSE(fs::exists(dir.file(".Settings.txt.a1B2c3")));
    EXPECT_TRUE(fs::exists(dir.file(".Settings.txt.mine")));
    EXPECT_TRUE(fs::is_symlink(dir.file(".Settings.txt.Z9y8X7"))) << "only regular files are removed";
    EXPECT_EQ(slurp(dir.file("notes.txt")), "someone else's");
}

TEST_F(SettingsSave, ALinkStaysAndTheFileItNamesIsReplaced) {
    namespace fs = std::filesystem;
    dir.write("kept/Settings.txt", old);
    fs::create_symlink("kept/Settings.txt", path);
    EXPECT_TRUE(settings_file::save(path, fresh));
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(slurp(dir.file("kept/Settings.txt")), fresh);
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.file("kept"))) ++entries;
    EXPECT_EQ(entries, 1) << "the temporary file was renamed onto the linked file";
}

TEST(SettingsSaveMessage, NamesTheErrorAndTheFile) {
    EXPECT_EQ(settings_file::saveErrorMessage({.reason = "Permission denied", .errorNumber = 13}),
              "An error has been found.\r\rDescription is: Permission denied\rError number: 13\r\r"
              "Changed settings are not saved.\r\rMake sure 'Settings.txt' is not read only.");
}

}  // namespace
}  // namespace qv::test
