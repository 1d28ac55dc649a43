// Sound through a private PulseAudio server with a null sink: what the sink's monitor
// records proves that a sound really played, and when it stopped.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/types.h>

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
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

}  // namespace
}  // namespace qv
