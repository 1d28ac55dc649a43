// The board's side of the line, shared by the board emulator and the benchmarks' board:
// where one command of the program ends, and writing a reply whole.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <string>

namespace board {

// Length of the first complete command in `buf` ("<n>/" or "<n>/<field>/"; 90, 5 and 7
// carry no field), 0 while it is incomplete.
inline size_t commandLength(const std::string& buf) {
    const size_t slash = buf.find('/');
    if (slash == std::string::npos) return 0;
    const std::string code = buf.substr(0, slash);
    if (code == "90" || code == "5" || code == "7") return slash + 1;
    const size_t end = buf.find('/', slash + 1);
    return end == std::string::npos ? 0 : end + 1;
}

// Writes all of `s` to `fd`; gives up when the line is gone.
inline void writeAll(int fd, const std::string& s) {
    size_t off = 0;
    while (off < s.size()) {
        const ssize_t n = ::write(fd, s.data() + off, s.size() - off);
        if (n <= 0) return;
        off += static_cast<size_t>(n);
    }
}

}  // namespace board
