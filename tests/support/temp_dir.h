// A folder under the system's temporary folder, removed with everything in it when the
// object goes (also after a test took away its own permissions).
#pragma once

#include <filesystem>
#include <string>

namespace qv::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path of `rel` inside, as the program's own strings spell it.
    std::string file(const std::string& rel) const { return path_.string() + "/" + rel; }
    // Writes `content` to `rel` inside, making the folders on the way.
    void write(const std::string& rel, const std::string& content) const;

private:
    std::filesystem::path path_;
};

}  // namespace qv::test
