// Sound through a private PulseAudio server with a null sink: what the sink's monitor
// records proves that a sound really played, and when it stopped.
#include "platform/qt/qt_sound.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/qt/qt_runtime.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

constexpr int kRate = 22050;  // the recording, mono 16-bit

// A WAV tone of `seconds`, written under a name without extension, as the sounds are.
void writeTone(const fs::path& path, double seconds) {
    const auto n = static_cast<uint32_t>(seconds * kRate);
    std::ofstream f(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    f.write("RIFF", 4);
    u32(36 + n * 2);
    f.write("WAVEfmt ", 8);
    u32(16);
    u16(1);
    u16(1);
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    f.write("data", 4);
    u32(n * 2);
    for (uint32_t i = 0; i < n; ++i)
        u16(static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(i * 0.125))));
}

class QtSoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("pulseaudio").isEmpty() ||
            QStandardPaths::findExecutable("parec").isEmpty()) {
            GTEST_SKIP() << "PulseAudio is not installed";
        }
        dir_ = temp_.path();
        fs::permissions(dir_, fs::perms::owner_all);
        // Qt's audio backend connects on first use, so the server must be chosen before.
        setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
        setenv("PULSE_SERVER", ("unix:" + (dir_ / "pulse" / "native").string()).c_str(), 1);
        const int rc = QProcess::execute(
            "pulseaudio", {"-D", "-n", "--exit-idle-time=-1", "--load=module-native-protocol-unix",
                           "--load=module-null-sink sink_name=ci"});
        ASSERT_EQ(rc, 0) << "the sound server did not start";
        std::ifstream pidFile(dir_ / "pulse" / "pid");
        pidFile >> serverPid_;
    }

    void TearDown() override {
        if (recorder_.state() != QProcess::NotRunning) {
            recorder_.kill();
            recorder_.waitForFinished();
        }
        if (serverPid_ > 0) ::kill(serverPid_, SIGTERM);
    }

    void startRecording() {
        recorder_.setStandardOutputFile(QString::fromStdString((dir_ / "rec.raw").string()));
        recorder_.start("parec", {"-d", "ci.monitor", "--format=s16le", "--rate=22050", "--channels=1",
                                  "--latency-msec=20"});
        ASSERT_TRUE(recorder_.waitForStarted());
    }

    // The recorder takes a while to connect; the recording's clock starts with its data.
    void awaitRecording(QtRuntime& rt) {
        const double giveUp = rt.now() + 10;
        std::error_code ec;
        while (fs::file_size(dir_ / "rec.raw", ec) == 0 && rt.now() < giveUp) rt.wait(0.02);
    }

    // Peak level of each tenth of a second recorded.
    std::vector<int> stopRecording() {
        recorder_.terminate();
        recorder_.waitForFinished();
        std::ifstream f(dir_ / "rec.raw", std::ios::binary);
        std::vector<int> peaks;
        int16_t s = 0;
        int count = 0, peak = 0;
        while (f.read(reinterpret_cast<char*>(&s), 2)) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
            if (++count == kRate / 10) {
                peaks.push_back(peak);
                count = peak = 0;
            }
        }
        return peaks;
    }

    test::TempDir temp_;  // the server may still be removing its socket when it goes
    fs::path dir_;
    pid_t serverPid_ = 0;
    QProcess recorder_;
};

TEST_F(QtSoundTest, PlaysAFileWithoutExtensionUntilStopped) {
    QtRuntime rt(Environment{});
    ASSERT_EQ(rt.audioOutputCount(), 1);
    writeTone(dir_ / "SndTone", 4.0);

    startRecording();
    awaitRecording(rt);
    rt.wait(0.3);
    rt.playSound((dir_ / "Missing").string());  // skipped, silently
    rt.playSound((dir_ / "SndTone").string());
    // The first sound of a process may start up to a second late.
    rt.wait(2.0);
    rt.stopSound();
    rt.wait(3.0);
    const std::vector<int> peaks = stopRecording();

    ASSERT_GE(peaks.size(), 50u);
    // Loud between the start and the stop; silent well before the 4 s tone would end.
    EXPECT_GT(*std::max_element(peaks.begin() + 5, peaks.begin() + 23), 4000);
    EXPECT_EQ(*std::max_element(peaks.begin() + 30, peaks.begin() + 45), 0);
}

// The server's playback streams now.
int serverStreams() {
    QProcess pactl;
    pactl.start("pactl", {"list", "short", "sink-inputs"});
    pactl.waitForFinished();
    return static_cast<int>(pactl.readAllStandardOutput().count('\n'));
}

// Sounds asked for faster than they end replace each other: the server never holds more
// than the one playing and one going, and once the last ends, nothing plays on.
TEST_F(QtSoundTest, ABurstOfSoundsLeavesTheLastAlone) {
    if (QStandardPaths::findExecutable("pactl").isEmpty()) GTEST_SKIP() << "pactl is not installed";
    QtRuntime rt(Environment{});
    writeTone(dir_ / "SndLong", 3.0);
    writeTone(dir_ / "SndShort", 0.3);

    startRecording();
    awaitRecording(rt);
    const double recorded = rt.now();
    int mostStreams = 0;
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 50; ++j) {
            rt.playSound((dir_ / "SndLong").string());
            rt.wait(0.002);
        }
        mostStreams = std::max(mostStreams, serverStreams());
    }
    rt.playSound((dir_ / "SndShort").string());
    const auto last = static_cast<size_t>((rt.now() - recorded) * 10);
    rt.wait(3.0);
    mostStreams = std::max(mostStreams, serverStreams());
    const std::vector<int> peaks = stopRecording();

    EXPECT_LE(mostStreams, 2);
    ASSERT_GE(peaks.size(), last + 25);
    // The last sound is heard, and nothing is from a second after it.
    const auto from = peaks.begin() + static_cast<long>(last);
    EXPECT_GT(*std::max_element(from, from + 5), 4000);
    EXPECT_EQ(*std::max_element(from + 10, from + 25), 0);
}

TEST_F(QtSoundTest, CountsInItsOwnProcessWhenTheHelperCannotStart) {
    QtSound sound((dir_ / "missing-helper").string());
    EXPECT_EQ(sound.outputCount(), 1);
}

int openFdCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator("/proc/self/fd")) ++n;
    return n;
}

// The pid that a helper script wrote, once it has.
pid_t helperPid(const fs::path& pidFile) {
    pid_t pid = 0;
    for (int i = 0; i < 200 && pid == 0; ++i) {
        std::ifstream(pidFile) >> pid;
        if (pid == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return pid;
}

// A counting helper that never answers is killed and reaped, and nothing of it stays open,
// both when its answer is asked for (none, within the bound) and when it never is.
TEST(QtSoundCount, AHelperThatHangsIsKilledAndReaped) {
    test::TempDir temp;
    const fs::path helper = temp.path() / "hangs";
    std::ofstream(helper) << "#!/bin/sh\necho $$ > \"$0.pid\"\nexec sleep 30\n";
    fs::permissions(helper, fs::perms::owner_all);
    const fs::path pidFile = helper.string() + ".pid";
    const int fds = openFdCount();

    {
        QtSound sound(helper.string());
        const auto asked = std::chrono::steady_clock::now();
        EXPECT_EQ(sound.outputCount(), 0);
        EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(2));
        const pid_t pid = helperPid(pidFile);
        ASSERT_GT(pid, 0);
        // Neither running nor a zombie: a zombie still takes signals.
        EXPECT_EQ(::kill(pid, 0), -1);
        EXPECT_EQ(errno, ESRCH);
        EXPECT_EQ(openFdCount(), fds);
    }

    fs::remove(pidFile);
    pid_t pid = 0;
    std::chrono::steady_clock::time_point gone;
    {
        QtSound sound(helper.string());
        pid = helperPid(pidFile);
        gone = std::chrono::steady_clock::now();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - gone, std::chrono::seconds(1));
    ASSERT_GT(pid, 0);
    EXPECT_EQ(::kill(pid, 0), -1);
    EXPECT_EQ(errno, ESRCH);
    EXPECT_EQ(openFdCount(), fds);
}

}  // namespace
}  // namespace qv
