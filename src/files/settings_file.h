// Settings.txt: the per-user settings file, and where it lives.
//
// Sixteen items, one a line, each line ended by CR LF, bytes kept as they are (the file
// is in the user's 8-bit code page; nothing here converts it). Reading is forgiving in
// the way the file has always been read (a number that is no number reads 0, header
// texts are not compared), but a number that does not fit its field, or a file that
// ends early, makes the whole file unreadable so that the caller can fall back to the
// standard values.
#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "files/settings_record.h"
#include "platform/result.h"
#include "platform/runtime.h"

namespace qv {

// True when `path` names an existing folder.
bool FolderExists(const std::string& path);

// A colour setting as the colour number the windows take (0 to &HFFFFFF); a failure for
// a value no colour control accepts.
Result<int32_t> settingColor(double value);

namespace settings_file {

inline constexpr int kItemCount = 16;
inline constexpr const char* kTitleLine = "Settings for Quorvane";
inline constexpr const char* kSecondLine = "Settings of the board test panel";

// <home>/<executable name>, and Settings.txt inside it.
std::string folderPath(const Environment& env);
std::string filePath(const Environment& env);

// Reads the stored fields of `rec` from the file; a failure says what was wrong with an
// unreadable file (for tests, never shown to the user). Fields are taken in file order
// as they are read, so after a failure the fields before the faulty item hold what was
// read. The stream is read only as far as the end of the 16th item; 16 items that take
// more than 1 MB make the file unreadable.
Result<> read(std::istream& in, SettingsRecord& rec);
Result<> read(const std::string& bytes, SettingsRecord& rec);

// The whole file for `rec`.
std::string write(const SettingsRecord& rec);

// Replaces the file at `path` with `bytes` in one step: the bytes go to a new file
// beside it, which is renamed over the old one only once it is complete, so a failure
// at any point leaves the old file as it was. A file without any write permission bit
// is refused, whoever runs the program, because that is how a user marks the settings
// "read only". The folder is not created. A symbolic link is followed: the file it
// names is replaced and the link stays. Temporary files that a killed save left beside
// the file are removed. A file size limit makes the save fail rather than end the
// program. A failure holds the system's error text and number.
Result<> save(const std::string& path, const std::string& bytes);

// The message shown when a save failed.
std::string saveErrorMessage(const Failure& f);

}  // namespace settings_file
}  // namespace qv
