// The serial connection on QSerialPort, against a pseudo-terminal standing in for the
// board: a link COMn in the per-user links folder points the port number at its slave.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/qt/qt_runtime.h"
#include "platform/serial_port.h"
#include "support/cpu_time.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// User-mode CPU of the calling thread: a loop spinning on the event queue shows here,
// while the kernel's own work on the terminal line (which a loaded machine stretches)
// does not.
double threadUserSeconds() { return test::threadUserSystemSeconds().first; }

int openFdCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

class QtSerialTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = temp_.path();
        if (const char* old = std::getenv("XDG_CONFIG_HOME")) oldConfig_ = old;
        setenv("XDG_CONFIG_HOME", dir_.c_str(), 1);
        links_ = dir_ / "QuorvaneTest" / "ports";
        fs::create_directories(links_);

        int slave = -1;
        char name[256] = {};
        ASSERT_EQ(openpty(&master_, &slave, name, nullptr, nullptr), 0);
        ::close(slave);
        fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
        link(3, name);
    }

    void TearDown() override {
        if (master_ >= 0) ::close(master_);
        if (oldConfig_.empty()) {
            unsetenv("XDG_CONFIG_HOME");
        } else {
            setenv("XDG_CONFIG_HOME", oldConfig_.c_str(), 1);
        }
    }

    void link(int n, const fs::path& target) {
        fs::create_symlink(target, links_ / ("COM" + std::to_string(n)));
    }

    static Environment environment() {
        Environment e;
        e.exeName = "QuorvaneTest";
        return e;
    }

    // What the board reads, waiting up to `timeout` seconds for `n` bytes.
    std::string farRead(size_t n, int timeoutMs = 1000) {
        std::string got;
        while (got.size() < n) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, timeoutMs) <= 0) break;
            char buf[256];
            const ssize_t r = ::read(master_, buf, sizeof buf);
            if (r <= 0) break;
            got.append(buf, static_cast<size_t>(r));
        }
        return got;
    }

    void farSend(const std::string& s) {
        ASSERT_EQ(::write(master_, s.data(), s.size()), static_cast<ssize_t>(s.size()));
    }

    test::TempDir temp_;
    fs::path dir_, links_;
    std::string oldConfig_;
    int master_ = -1;
};

TEST_F(QtSerialTest, WritesEachCommandAsItsBytesWithoutTheEventLoop) {
    QtRuntime rt(environment());
    auto opened = rt.openSerial(3, LineSettings{115200});
    ASSERT_TRUE(opened) << opened.error();
    auto& conn = *opened;
    // No event processing between the write and the read: a settings push sleeps
    // without events and its bytes must still leave.
    conn->write("90/");
    EXPECT_EQ(farRead(3), "90/");
    conn->write("5/");
    conn->write("1/255/");
    EXPECT_EQ(farRead(8), "5/1/255/");
}

TEST_F(QtSerialTest, RaisesOneReceiveEventPerArrivalWithExactCounts) {
    QtRuntime rt(environment());
    auto opened = rt.openSerial(3, LineSettings{115200});
    ASSERT_TRUE(opened) << opened.error();
    auto& conn = *opened;
    int events = 0;
    conn->onReceive = [&] { ++events; };

    farSend("AT");
    rt.wait(0.1);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(conn->bytesAvailable(), 2);
    EXPECT_EQ(conn->readAll(), "AT");
    EXPECT_EQ(conn->bytesAvailable(), 0);

    farSend("DI5");
    rt.wait(0.1);
    EXPECT_EQ(events, 2);
    EXPECT_EQ(conn->readAll(), "DI5");
}

TEST_F(QtSerialTest, ArrivalDuringAHandlersWaitRaisesItsOwnEvent) {
    QtRuntime rt(environment());
    SerialPort port(rt);
    port.CommPort = 3;
    const auto opened = port.openPort();
    ASSERT_TRUE(opened) << opened.error();
    int events = 0, eventsAfterWait = 0;
    std::string second;
    port.OnComm = [&] {
        if (++events == 1) {
            port.Input();
            farSend("A1/512");
            rt.wait(0.2);
            eventsAfterWait = events;
        } else {
            second = port.Input();
        }
    };
    farSend("AT");
    rt.wait(0.4);
    EXPECT_EQ(eventsAfterWait, 2);
    EXPECT_EQ(second, "A1/512");
}

TEST_F(QtSerialTest, AHandlerMayCloseThePortItIsCalledFor) {
    QtRuntime rt(environment());
    SerialPort port(rt);
    port.CommPort = 3;
    const auto opened = port.openPort();
    ASSERT_TRUE(opened) << opened.error();
    int events = 0;
    port.OnComm = [&] {
        ++events;
        port.closePort();
    };
    farSend("AT");
    rt.wait(0.1);
    EXPECT_EQ(events, 1);
    EXPECT_FALSE(port.PortOpen());
}

TEST_F(QtSerialTest, VanishedFarEndClosesThePortOnceWithoutBurningTheCpu) {
    QtRuntime rt(environment());
    SerialPort port(rt);
    port.CommPort = 3;
    const auto opened = port.openPort();
    ASSERT_TRUE(opened) << opened.error();
    int lost = 0;
    std::string reason;
    port.OnLost = [&](const std::string& r) {
        ++lost;
        reason = r;
    };
    rt.wait(0.1);
    ASSERT_EQ(lost, 0);
    ASSERT_TRUE(port.PortOpen());

    ::close(master_);
    master_ = -1;
    const double cpu = test::processCpuSeconds();
    rt.wait(0.5);
    EXPECT_LT(test::processCpuSeconds() - cpu, 0.1);
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(port.PortOpen());
    port.Output("9/");  // dropped, no crash
    EXPECT_EQ(port.InBufferCount(), 0);
}

TEST_F(QtSerialTest, WritesOutpacingASlowReaderWaitForItInOrderWithEventsGoingOn) {
    QtRuntime rt(environment());
    SerialPort port(rt);
    port.CommPort = 3;
    const auto opened = port.openPort();
    ASSERT_TRUE(opened) << opened.error();
    std::string ended;
    port.OnLost = [&](const std::string& r) { ended = "lost: " + r; };
    port.OnFailed = [&](const std::string& r) { ended = "failed: " + r; };
    int ticks = 0;
    const int timer = rt.startTimer(10, [&] { ++ticks; });

    // A board taking about 400 KB a second, far less than the writer offers.
    std::atomic<bool> done{false};
    std::atomic<size_t> taken{0};
    std::string got;
    std::thread board([&] {
        char buf[512];
        while (!done) {
            pollfd p{master_, POLLIN, 0};
            if (::poll(&p, 1, 10) <= 0) continue;
            const ssize_t r = ::read(master_, buf, sizeof buf);
            if (r > 0) {
                got.append(buf, static_cast<size_t>(r));
                taken += static_cast<size_t>(r);
            }
            ::usleep(1000);
        }
    });
    std::string sent;
    const double wall = rt.now(), cpu = threadUserSeconds();
    for (int i = 0; i < 100000 && port.PortOpen(); ++i) {
        const std::string frame = "1/" + std::to_string(i % 256) + "/";
        port.Output(frame);
        sent += frame;
    }
    const double writing = rt.now() - wall, writingCpu = threadUserSeconds() - cpu;
    // Only what the line and its kernel buffers hold was still to go.
    EXPECT_GE(taken + 150000, sent.size());
    for (const double end = rt.now() + 10; taken < sent.size() && rt.now() < end;) rt.wait(0.05);
    done = true;
    board.join();
    rt.stopTimer(timer);

    EXPECT_EQ(ended, "");
    EXPECT_TRUE(port.PortOpen());
    EXPECT_TRUE(got == sent) << got.size() << " of " << sent.size() << " bytes, in order or not";
    EXPECT_GE(ticks, static_cast<int>(writing / 0.01 / 2));
    EXPECT_LT(writingCpu, 0.6 * writing);
}

TEST_F(QtSerialTest, WritesInsideAWaitForAStalledLineNeverWaitThemselves) {
    QtRuntime rt(environment());
    SerialPort port(rt);
    port.CommPort = 3;
    const auto opened = port.openPort();
    ASSERT_TRUE(opened) << opened.error();
    int failed = 0, lost = 0;
    port.OnFailed = [&](const std::string&) { ++failed; };
    port.OnLost = [&](const std::string&) { ++lost; };
    // A burst of clicks while a writer waits for a line nobody reads, each a timer of its
    // own that writes once. Waits nesting one inside the other are cut short by closing
    // the port rather than left to wait for the line to be given up.
    constexpr int kClicks = 200;
    int deepest = 0, clicks = 0;
    std::vector<int> timers(kClicks);
    for (int i = 0; i < kClicks; ++i)
        timers[static_cast<size_t>(i)] = rt.startTimer(1, [&, i] {
            rt.stopTimer(timers[static_cast<size_t>(i)]);
            deepest = std::max(deepest, rt.nesting());
            ++clicks;
            if (rt.nesting() > 10) {
                port.closePort();
            } else {
                port.Output("1/255/2/255/3/255/4/170/");
            }
        });
    // More than the line and the kernel's buffers hold: the writer waits, and the clicks
    // run inside its wait.
    port.Output(std::string(1 << 20, 'x'));
    rt.wait(0.1);

    EXPECT_EQ(clicks, kClicks);
    EXPECT_LE(deepest, 2);
    EXPECT_EQ(failed, 1);
    EXPECT_EQ(lost, 0);
}

TEST_F(QtSerialTest, OpenFailuresGiveTheReason) {
    QtRuntime rt(environment());
    link(7, dir_ / "gone");
    const fs::path plain = dir_ / "plain";
    std::ofstream(plain) << "not a port";
    link(8, plain);

    const auto gone = rt.openSerial(7, LineSettings{115200});
    EXPECT_FALSE(gone);
    EXPECT_NE(gone.error().find("No such file or directory"), std::string::npos) << gone.error();

    const auto plainFile = rt.openSerial(8, LineSettings{115200});
    EXPECT_FALSE(plainFile);
    EXPECT_FALSE(plainFile.error().empty());

    auto first = rt.openSerial(3, LineSettings{115200});
    ASSERT_TRUE(first) << first.error();
    const auto held = rt.openSerial(3, LineSettings{115200});
    EXPECT_FALSE(held);
    EXPECT_EQ(held.error(), "the port is in use by another program");
    (*first)->close();
    const auto again = rt.openSerial(3, LineSettings{9600});
    EXPECT_TRUE(again) << again.error();
}

TEST_F(QtSerialTest, ADeviceHeldThroughOneNameIsInUseThroughAnother) {
    QtRuntime rt(environment());
    const fs::path device = fs::read_symlink(links_ / "COM3");
    link(4, device);
    const fs::path second = dir_ / "second-link";
    fs::create_symlink(device, second);
    link(5, second);

    auto first = rt.openSerial(3, LineSettings{115200});
    ASSERT_TRUE(first) << first.error();
    for (int n : {4, 5}) {
        const auto held = rt.openSerial(n, LineSettings{115200});
        EXPECT_FALSE(held) << n;
        EXPECT_EQ(held.error(), "the port is in use by another program") << n;
    }
    (*first)->close();
    const auto again = rt.openSerial(5, LineSettings{115200});
    EXPECT_TRUE(again) << again.error();
}

TEST_F(QtSerialTest, ComPortExistsFollowsTheLinksAndKeepsNothingOpen) {
    QtRuntime rt(environment());
    link(7, dir_ / "gone");
    const fs::path plain = dir_ / "plain";
    std::ofstream(plain) << "not a port";
    link(9, plain);

    const int fds = openFdCount();
    EXPECT_TRUE(rt.comPortExists(3));
    EXPECT_TRUE(rt.comPortExists(3));
    EXPECT_FALSE(rt.comPortExists(7));
    EXPECT_FALSE(rt.comPortExists(9));
    EXPECT_EQ(openFdCount(), fds);
}

}  // namespace
}  // namespace qv
