#include "settings/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <sstream>
#include <stdexcept>

#include "platform/item_reader.h"
#include "platform/numbers.h"

namespace qv {

bool FolderExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

int32_t settingColor(double value) {
    const auto c = toInt32(value);
    if (!c || *c < 0 || *c > 0xFFFFFF) throw std::out_of_range("not a colour number");
    return *c;
}

namespace settings_file {

std::string folderPath(const Environment& env) { return env.homeFolder + "/" + env.exeName; }

std::string filePath(const Environment& env) { return folderPath(env) + "/Settings.txt"; }

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

struct Unreadable {
    std::string why;
};

// A settings file is a few hundred bytes; its sixteen items never need more than this.
constexpr size_t kReadBudget = 1 << 20;

class FieldReader {
public:
    explicit FieldReader(std::istream& in) : items_(in, kReadBudget, ItemReader::Quotes::DoubledIsOne) {}

    std::string text() {
        ++line_;
        auto item = items_.next();
        if (items_.failed()) throw Unreadable{"the file cannot be read"};
        if (items_.overBudget()) throw Unreadable{"its first 16 items take more than 1 MB"};
        if (!item) throw Unreadable{"the file ends before item " + std::to_string(line_)};
        return *item;
    }
    double number() { return decimalField(text()); }
    int16_t int16() {
        const double v = number();
        const auto r = toInt16(v);
        if (!r) throw Unreadable{"item " + std::to_string(line_) + " does not fit a 16-bit field"};
        return *r;
    }
    float single() {
        const double v = number();
        if (std::fabs(v) > static_cast<double>(std::numeric_limits<float>::max()))
            throw Unreadable{"item " + std::to_string(line_) + " does not fit a single"};
        return static_cast<float>(v);
    }

private:
    ItemReader items_;
    int line_ = 0;
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
        digits = decimal(static_cast<long long>(magnitude));
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

WriteError fromErrno(int err) { return WriteError{err, std::strerror(err)}; }

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

bool read(const std::string& bytes, SettingsRecord& rec, std::string* why) {
    std::istringstream in(bytes);
    return read(in, rec, why);
}

bool read(std::istream& file, SettingsRecord& rec, std::string* why) {
    FieldReader in(file);
    try {
        in.text();
        in.text();
        in.text();
        rec.LedColor = in.number();
        rec.InputBinaryColor = in.number();
        rec.BinaryToggleValue = in.int16();
        rec.ToggleDifference = in.single();
        rec.InputAnalogColor = in.number();
        rec.InputDisabledColor = in.number();
        in.text();
        rec.SoundOnOff = in.int16();
        rec.SoundStartOnOff = in.int16();
        in.text();
        rec.SwapOutputs = in.int16();
        in.text();
        rec.ConnectedText = in.text();
    } catch (const Unreadable& e) {
        if (why) *why = e.why;
        return false;
    }
    return true;
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

// Rewrites an existing file where it stands: not atomic, but all a folder that takes no
// new files allows.
std::optional<WriteError> rewriteInPlace(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) return fromErrno(errno);
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int err = errno;
        ::close(fd);
        return fromErrno(err);
    }
    if (::close(fd) != 0) return fromErrno(errno);
    return std::nullopt;
}

std::optional<WriteError> save(const std::string& path, const std::string& bytes) {
    mode_t mode = S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH;
    bool exists = false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return fromErrno(EISDIR);
        if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0)
            return fromErrno(EACCES);
        mode = st.st_mode & 07777;
        exists = true;
    }

    std::error_code ec;
    std::filesystem::path target = std::filesystem::absolute(path, ec);
    if (ec) target = path;
    std::string temp = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        const int err = errno;
        // The user may write the file but not add one beside it.
        if (exists && (err == EACCES || err == EPERM)) return rewriteInPlace(path, bytes);
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
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return fromErrno(err);
    }
    // Make the rename itself survive a power loss; a folder that cannot be synced still
    // holds the complete file.
    const int dir = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return std::nullopt;
}

std::string saveErrorMessage(const WriteError& e) {
    return "An error has been found.\r\rDescription is: " + e.description +
           "\rError number: " + std::to_string(e.number) +
           "\r\rChanged settings are not saved.\r\rMake sure 'Settings.txt' is not read only.";
}

}  // namespace settings_file
}  // namespace qv
