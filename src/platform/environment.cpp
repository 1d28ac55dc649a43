#include "platform/environment.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace qv {

namespace {

// The running executable's file, from the link the kernel keeps for it.
Result<std::filesystem::path> executableFile() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return Failure{"the program's own file cannot be found: " + ec.message()};
    return exe;
}

}  // namespace

std::string cutLoginName(const std::string& name) { return name.substr(0, 24); }

Environment systemEnvironment() {
    Environment e;
    if (const auto exe = executableFile()) {
        e.programFolder = exe->parent_path().string();
        e.exeName = exe->stem().string();
    } else {
        // Without it, the program runs from where it was started, under its own name.
        std::error_code ec;
        e.programFolder = std::filesystem::current_path(ec).string();
        e.exeName = "Quorvane";
    }
    const struct passwd* pw = ::getpwuid(::getuid());
    if (const char* h = std::getenv("HOME"); h && *h) {
        e.homeFolder = h;
    } else if (pw && pw->pw_dir) {
        e.homeFolder = pw->pw_dir;
    }
    if (pw && pw->pw_name) e.loginName = cutLoginName(pw->pw_name);
    return e;
}

}  // namespace qv
