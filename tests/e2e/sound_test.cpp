// Real sound: the program plays into a private PulseAudio server's null sink, whose monitor
// is recorded, and each sound must be heard for as long as its file lasts; with no server to
// reach it counts no audio output and stays silent.
#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/qt/qt_runtime.h"
#include "program_harness.h"

namespace qv::e2e {
namespace {

class ProgramSound : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("pulseaudio").isEmpty() ||
            QStandardPaths::findExecutable("parec").isEmpty())
            GTEST_SKIP() << "pulseaudio or parec is not installed";
        fs::permissions(runtime_.path(), fs::perms::owner_all);
        std::ofstream(noSpawn_) << "autospawn = no\n";
        QProcessEnvironment env = serverEnvironment();
        QProcess server;
        server.setProcessEnvironment(env);
        // Without rewinds: a sink that rewinds to mix a new sound in early sends its monitor
        // the same stretch twice and the recording loses parts of short sounds.
        server.start("pulseaudio", {"-D", "-n", "--exit-idle-time=-1", "--load=module-native-protocol-unix",
                                    "--load=module-null-sink sink_name=ci norewinds=1"});
        ASSERT_TRUE(server.waitForFinished(10000));
        ASSERT_EQ(server.exitCode(), 0)
            << "the sound server did not start: " << server.readAllStandardError().toStdString();
        std::ifstream(runtime_.path() / "pulse" / "pid") >> serverPid_;
    }

    void TearDown() override {
        for (QProcess* p : {&program_, &recorder_}) {
            if (p->state() == QProcess::NotRunning) continue;
            p->kill();
            p->waitForFinished(3000);
        }
        if (serverPid_ > 0) ::kill(serverPid_, SIGTERM);
    }

    // The environment that reaches the private server.
    QProcessEnvironment serverEnvironment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime_.path().string()));
        env.insert("PULSE_SERVER",
                   QString::fromStdString("unix:" + (runtime_.path() / "pulse" / "native").string()));
        env.insert("PULSE_CLIENTCONFIG", QString::fromStdString(noSpawn_.string()));
        return env;
    }

    void startRecording() {
        recorder_.setProcessEnvironment(serverEnvironment());
        recorder_.setStandardOutputFile(QString::fromStdString((work_.path() / "rec.raw").string()));
        recorder_.start("parec", {"-d", "ci.monitor", "--raw", "--format=s16le", "--channels=1",
                                  "--rate=22050", "--latency-msec=20"});
        ASSERT_TRUE(recorder_.waitForStarted());
    }

    // The seconds that each sound recorded lasts, from its first loud sample to its last; a
    // quiet stretch of over 20 ms ends a sound. The program's sounds are steady tones.
    std::vector<double> stopRecording() {
        recorder_.terminate();
        recorder_.waitForFinished(3000);
        std::ifstream f(work_.path() / "rec.raw", std::ios::binary);
        constexpr int kLoud = 1000, kGap = kRate / 50;
        std::vector<double> sounds;
        long i = 0, first = -1, last = -1;
        int16_t s = 0;
        for (; f.read(reinterpret_cast<char*>(&s), 2); ++i) {
            if (std::abs(static_cast<int>(s)) < kLoud) continue;
            if (first >= 0 && i - last > kGap) {
                sounds.push_back(static_cast<double>(last - first + 1) / kRate);
                first = -1;
            }
            if (first < 0) first = i;
            last = i;
        }
        if (first >= 0) sounds.push_back(static_cast<double>(last - first + 1) / kRate);
        return sounds;
    }

    // The length of a sound file of the program (mono 16-bit WAV with the plain header).
    static double fileSeconds(const std::string& name) {
        return static_cast<double>(fs::file_size(fs::path(QUORVANE_PROGRAM_FOLDER) / "Sounds" / name) - 44) /
               (2 * kRate);
    }

    // The built program with the start sound on, for `seconds`, then ended.
    void runProgram(QProcessEnvironment env, double seconds) {
        writeStandardSettings(home_.path(), true, true);
        env.insert("HOME", QString::fromStdString(home_.path().string()));
        env.insert("XDG_CONFIG_HOME", QString::fromStdString(config_.path().string()));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program_.setProcessEnvironment(env);
        program_.setProcessChannelMode(QProcess::ForwardedChannels);
        program_.start(QStringLiteral(QUORVANE_EXECUTABLE), {});
        ASSERT_TRUE(program_.waitForStarted(5000));
        EXPECT_FALSE(program_.waitForFinished(static_cast<int>(seconds * 1000)))
            << "the program ended by itself";
        program_.kill();
        program_.waitForFinished(3000);
    }

    static constexpr int kRate = 22050;  // the sounds' rate, and the recording's
    TempDir runtime_, work_, home_, config_;
    fs::path noSpawn_ = work_.path() / "client.conf";
    pid_t serverPid_ = 0;
    QProcess recorder_, program_;
};

TEST_F(ProgramSound, StartSoundIsHeardWhole) {
    startRecording();
    runProgram(serverEnvironment(), 3.0);
    const std::vector<double> sounds = stopRecording();
    ASSERT_EQ(sounds.size(), 1u) << "the start sound was not heard once";
    EXPECT_NEAR(sounds[0], fileSeconds("SndStart"), 0.010);
    std::printf("[ measured ] start sound heard %.1f ms\n", sounds[0] * 1000);
}

// One input of the board above its threshold sounds once when connected; then LED 1 is
// clicked six times, on and off.
TEST_F(ProgramSound, InputAndSwitchSoundsAreEachHeardWhole) {
    const QProcessEnvironment env = serverEnvironment();
    for (const char* name : {"XDG_RUNTIME_DIR", "PULSE_SERVER", "PULSE_CLIENTCONFIG"})
        qputenv(name, env.value(name).toLocal8Bit());
    Scene scene;
    writeStandardSettings(scene.home(), true, false);
    // Steady readings with only A3 (700) above the threshold of 512.
    Emulator board(scene.config(), 3,
                   {"--kind", "AT", "--script", scene.script("one.txt", "0 analog 4 100\n")});
    startRecording();
    ProgramRun run(scene.home());
    run.start();
    run.choosePort("Com 3");
    run.click("CMD_Verbind");
    ASSERT_TRUE(run.runUntil([&] { return run.w().Label_StatusBalk(1).Caption == "Connected"; }, 7.0));
    run.runFor(2.3);  // past the colour push, which the clicks would wait for
    for (int i = 0; i < 6; ++i) run.click("CMD_LumiLed(1)", {}, 0.3 * i);
    run.runFor(2.2);
    const std::vector<double> sounds = stopRecording();
    std::printf("[ measured ] sounds heard (ms):");
    for (double t : sounds) std::printf(" %.1f", t * 1000);
    std::printf("\n");

    const std::vector<double> files = {fileSeconds("SndBtn04"),    fileSeconds("SndSwitch01"),
                                       fileSeconds("SndSwitch02"), fileSeconds("SndSwitch01"),
                                       fileSeconds("SndSwitch02"), fileSeconds("SndSwitch01"),
                                       fileSeconds("SndSwitch02")};
    ASSERT_EQ(sounds.size(), files.size()) << "a sound was lost or heard in pieces";
    for (size_t i = 0; i < files.size(); ++i) EXPECT_NEAR(sounds[i], files[i], 0.010) << "sound " << i;
}

TEST_F(ProgramSound, WithoutAReachableServerThereIsNoOutputAndNoSound) {
    QProcessEnvironment unreachable = serverEnvironment();
    unreachable.insert("PULSE_SERVER", "unix:/nonexistent");
    startRecording();
    runProgram(unreachable, 3.0);
    EXPECT_TRUE(stopRecording().empty());

    // The same environment in this process: the runtime counts no audio output, which is
    // what keeps the program from playing.
    qputenv("PULSE_SERVER", "unix:/nonexistent");
    qputenv("PULSE_CLIENTCONFIG", QByteArray::fromStdString(noSpawn_.string()));
    QtRuntime rt(Environment{});
    EXPECT_EQ(rt.audioOutputCount(), 0);
}

}  // namespace
}  // namespace qv::e2e
