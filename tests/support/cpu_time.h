// CPU time, in seconds, for the tests and the benchmarks that look for work the program
// should not be doing.
#pragma once

#include <sys/resource.h>
#include <time.h>

#include <utility>

namespace qv::test {

// Every thread of this process.
inline double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// The calling thread.
inline double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// The calling thread's user and system time. A loop spinning on the event queue shows in
// the user time, while the kernel's own work on a terminal line (which a loaded machine
// stretches) shows in the system time.
inline std::pair<double, double> threadUserSystemSeconds() {
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    const auto sec = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return {sec(u.ru_utime), sec(u.ru_stime)};
}

}  // namespace qv::test
