#include "platform/com_names.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace qv {

std::string comTableDevice(int n) {
    auto dev = [](const char* base, int k) { return std::string("/dev/") + base + std::to_string(k); };
    if (n >= 1 && n <= 4) return dev("ttyS", n - 1);
    if (n >= 5 && n <= 12) return dev("ttyUSB", n - 5);
    if (n >= 13 && n <= 16) return dev("ttyACM", n - 13);
    if (n >= 17 && n <= 44) return dev("ttyS", n - 17 + 4);
    if (n >= 45 && n <= 150) return dev("ttyUSB", n - 45 + 8);
    if (n >= 151 && n <= 255) return dev("ttyACM", n - 151 + 4);
    return {};
}

std::string comLinksFolder(const std::string& exeName) {
    std::string base;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x) {
        base = x;
    } else if (const char* h = std::getenv("HOME"); h && *h) {
        base = std::string(h) + "/.config";
    } else {
        return {};
    }
    return base + "/" + exeName + "/ports";
}

Result<std::string> comDevicePath(int n, const std::string& linksFolder) {
    if (!linksFolder.empty()) {
        const std::filesystem::path link = std::filesystem::path(linksFolder) / ("COM" + std::to_string(n));
        std::error_code ec;
        if (std::filesystem::is_symlink(link, ec) || std::filesystem::exists(link, ec)) return link.string();
    }
    std::string device = comTableDevice(n);
    if (device.empty()) return Failure{"COM" + std::to_string(n) + " names no device", true};
    return device;
}

bool deviceOpens(const std::string& path) {
    if (path.empty()) return false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat st {};
    bool usable = ::fstat(fd, &st) == 0 && S_ISCHR(st.st_mode);
    // The kernel keeps ttyS nodes for UARTs that are not there; they open, but their
    // port type reads "unknown". Devices that do not answer the ioctl (USB adapters,
    // pseudo-terminals) count as present.
    serial_struct ss{};
    if (usable && ::ioctl(fd, TIOCGSERIAL, &ss) == 0 && ss.type == PORT_UNKNOWN) usable = false;
    ::close(fd);
    return usable;
}

}  // namespace qv
