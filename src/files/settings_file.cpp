#include "files/settings_file.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <sstream>

#include "board/decimal_field.h"
#include "files/item_reader.h"
#include "platform/numbers.h"

namespace qv {

bool FolderExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

Result<int32_t> settingColor(double value) {
    const auto c = toInt32(value);
    if (!c || *c < 0 || *c > 0xFFFFFF) return Failure{"not a colour number"};
    return *c;
}

namespace settings_file {

std::string folderPath(const Environment& env) { return env.homeFolder + "/" + env.exeName; }

std::string filePath(const Environment& env) { return folderPath(env) + "/Settings.txt"; }

namespace {

// A settings file is a few hundred bytes; its sixteen items never need more than this.
constexpr size_t kReadBudget = 1 << 20;

// Reads the items into the fields they stand for, in file order. The first faulty item
// ends the reading: neither it nor any later item reaches its field.
class FieldReader {
public:
    explicit FieldReader(std::istream& in) : items_(in, kReadBudget, ItemReader::Quotes::DoubledIsOne) {}

    // A header item, read and dropped.
    void skip() { next(); }
    void text(std::string& field) {
        if (auto item = next()) field = std::move(*item);
    }
    void number(double& field) {
        if (auto v = nextNumber()) field = *v;
    }
    void int16(int16_t& field) {
        const auto v = nextNumber();
        if (!v) return;
        const auto r = toInt16(*v);
        if (!r) {
            refuse("item " + std::to_string(line_) + " does not fit a 16-bit field");
            return;
        }
        field = *r;
    }
    void single(float& field) {
        const auto v = nextNumber();
        if (!v) return;
        if (std::fabs(*v) > static_cast<double>(std::numeric_limits<float>::max())) {
            refuse("item " + std::to_string(line_) + " does not fit a single");
            return;
        }
        field = static_cast<float>(*v);
    }

    Result<> result() const {
        if (failure_) return *failure_;
        return Done{};
    }

private:
    std::optional<std::string> next() {
        if (failure_) return std::nullopt;
        ++line_;
        auto item = items_.next();
        if (items_.failed()) return refuse("the file cannot be read");
        if (items_.overBudget()) return refuse("its first 16 items take more than 1 MB");
        if (!item) return refuse("the file ends before item " + std::to_string(line_));
        return item;
    }
    std::optional<double> nextNumber() {
        const auto item = next();
        if (!item) return std::nullopt;
        return decimalField(*item);
    }
    std::nullopt_t refuse(std::string why) {
        failure_ = Failure{std::move(why)};
        return std::nullopt;
    }

    ItemReader items_;
    int line_ = 0;
    std::optional<Failure> failure_;
};

template <class T>
std::string shortest(T v) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

// A blank (or the minus sign), the digits, a blank.
template <class T>
std::string number(T v) {
    const bool negative = std::signbit(v) && v != 0;
    const T magnitude = negative ? -v : v;
    std::string digits;
    if (std::isfinite(magnitude) && magnitude == std::floor(magnitude) && magnitude < 1e15)
        digits = std::to_string(static_cast<long long>(magnitude));
    else
        digits = shortest(magnitude);
    return (negative ? "-" : " ") + digits + " ";
}

// Texts go out as they are; only a text that would not read back as itself (a comma,
// a line end, a leading blank or quote) is put in quotes.
std::string text(const std::string& t) {
    const bool needsQuotes = !t.empty() && (isBlank(t.front()) || t.front() == '"' ||
                                            t.find_first_of(",\r\n") != std::string::npos);
    if (!needsQuotes) return t;
    std::string out = "\"";
    for (char c : t) {
        if (c == '"') out.push_back('"');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

Failure fromErrno(int err) { return Failure{.reason = std::strerror(err), .errorNumber = err}; }

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

Result<> read(const std::string& bytes, SettingsRecord& rec) {
    std::istringstream in(bytes);
    return read(in, rec);
}

Result<> read(std::istream& file, SettingsRecord& rec) {
    FieldReader in(file);
    in.skip();
    in.skip();
    in.skip();
    in.number(rec.LedColor);
    in.number(rec.InputBinaryColor);
    in.int16(rec.BinaryToggleValue);
    in.single(rec.ToggleDifference);
    in.number(rec.InputAnalogColor);
    in.number(rec.InputDisabledColor);
    in.skip();
    in.int16(rec.SoundOnOff);
    in.int16(rec.SoundStartOnOff);
    in.skip();
    in.int16(rec.SwapOutputs);
    in.skip();
    in.text(rec.ConnectedText);
    return in.result();
}

std::string write(const SettingsRecord& rec) {
    const std::string items[kItemCount] = {
        kTitleLine,
        kSecondLine,
        "- Colors",
        number(rec.LedColor),
        number(rec.InputBinaryColor),
        number(static_cast<double>(rec.BinaryToggleValue)),
        number(rec.ToggleDifference),
        number(rec.InputAnalogColor),
        number(rec.InputDisabledColor),
        "- Sounds",
        number(static_cast<double>(rec.SoundOnOff)),
        number(static_cast<double>(rec.SoundStartOnOff)),
        "- Output",
        number(static_cast<double>(rec.SwapOutputs)),
        "- Displaytext",
        text(rec.ConnectedText),
    };
    std::string out;
    for (const std::string& item : items) out += item + "\r\n";
    return out;
}

namespace {

namespace fs = std::filesystem;

// A file size limit would end the program in the middle of a save, without a word;
// while the signal is ignored, a write past the limit fails (EFBIG) as on a full disk.
class FileSizeLimitFailsWrites {
public:
    FileSizeLimitFailsWrites() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        sigemptyset(&ignore.sa_mask);
        ::sigaction(SIGXFSZ, &ignore, &previous_);
    }
    ~FileSizeLimitFailsWrites() { ::sigaction(SIGXFSZ, &previous_, nullptr); }
    FileSizeLimitFailsWrites(const FileSizeLimitFailsWrites&) = delete;
    FileSizeLimitFailsWrites& operator=(const FileSizeLimitFailsWrites&) = delete;

private:
    struct sigaction previous_ {};
};

// As many links as the system itself follows in one path.
constexpr int kMaxLinks = 40;

// The file `path` stands for: a symbolic link is followed to the file it names (which
// need not exist yet), so that the save replaces that file and the link stays.
std::optional<fs::path> followLinks(const std::string& path, int& err) {
    std::error_code ec;
    fs::path file = fs::absolute(path, ec);
    if (ec) file = path;
    for (int links = 0;; ++links) {
        if (fs::symlink_status(file, ec).type() != fs::file_type::symlink) return file;
        if (links == kMaxLinks) break;
        const fs::path next = fs::read_symlink(file, ec);
        if (ec) break;
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    err = ec ? ec.value() : ELOOP;
    return std::nullopt;
}

// The random part mkstemp puts at the end of a temporary file's name.
bool isTempSuffix(std::string_view s) {
    return s.size() == 6 && std::all_of(s.begin(), s.end(), [](char c) {
               return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
           });
}

// Removes the temporary files of saves that were killed before their rename: regular
// files in `folder` named `prefix` and six letters or digits, as the save names them.
void removeLeftovers(const fs::path& folder, const std::string& prefix) {
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
        const std::string name = e.path().filename().string();
        if (!name.starts_with(prefix) || !isTempSuffix(std::string_view(name).substr(prefix.size())))
            continue;
        if (e.symlink_status(ec).type() == fs::file_type::regular) fs::remove(e.path(), ec);
    }
}

// Rewrites an existing file where it stands: not atomic, but all a folder that takes no
// new files allows.
Result<> rewriteInPlace(const std::string& path, const std::string& bytes) {
    // The file is emptied first, so a write the file size limit would stop must not start.
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY &&
        bytes.size() > limit.rlim_cur)
        return fromErrno(EFBIG);
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return fromErrno(errno);
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        return fromErrno(err);
    }
    if (::close(fd) != 0) return fromErrno(errno);
    return Done{};
}

}  // namespace

Result<> save(const std::string& path, const std::string& bytes) {
    int linkError = 0;
    const std::optional<fs::path> target = followLinks(path, linkError);
    if (!target) return fromErrno(linkError);
    const std::string file = target->string();
    const FileSizeLimitFailsWrites noSignal;

    mode_t mode = S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
    bool exists = false;
    struct stat st {};
    if (::stat(file.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return fromErrno(EISDIR);
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(file.c_str(), W_OK) != 0)
            return fromErrno(EACCES);
        mode = st.st_mode & 07777;
        exists = true;
    }

    const std::string tempPrefix = "." + target->filename().string() + ".";
    removeLeftovers(target->parent_path(), tempPrefix);
    std::string temp = (target->parent_path() / (tempPrefix + "XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        const int err = errno;
        // The user may write the file but not add one beside it.
        if (exists && (err == EACCES || err == EPERM)) return rewriteInPlace(file, bytes);
        return fromErrno(err);
    }

    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        return fromErrno(err);
    };
    if (::fchmod(fd, mode) != 0) return fail(errno);
    if (!writeAll(fd, bytes)) return fail(errno);
    if (::fsync(fd) != 0) return fail(errno);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return fromErrno(err);
    }
    if (::rename(temp.c_str(), file.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return fromErrno(err);
    }
    // Make the rename itself survive a power loss; a folder that cannot be synced still
    // holds the complete file.
    const int dir = ::open(target->parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return Done{};
}

std::string saveErrorMessage(const Failure& f) {
    return "An error has been found.\r\rDescription is: " + f.reason +
           "\rError number: " + std::to_string(f.errorNumber) +
           "\r\rChanged settings are not saved.\r\rMake sure 'Settings.txt' is not read only.";
}

}  // namespace settings_file
}  // namespace qv
