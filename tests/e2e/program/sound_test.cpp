// Real sound: the built program, run as a child process, plays its start sound into a
// private PulseAudio server's null sink, whose monitor is recorded; with no server to reach
// it counts no audio output and stays silent.
#include <gtest/gtest.h>
#include <signal.h>

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <thread>

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
        server.start("pulseaudio", {"-D", "-n", "--exit-idle-time=-1", "--load=module-native-protocol-unix",
                                    "--load=module-null-sink sink_name=ci"});
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

    // The loudest sample recorded.
    int stopRecording() {
        recorder_.terminate();
        recorder_.waitForFinished(3000);
        std::ifstream f(work_.path() / "rec.raw", std::ios::binary);
        int peak = 0;
        int16_t s = 0;
        while (f.read(reinterpret_cast<char*>(&s), 2)) peak = std::max(peak, std::abs(static_cast<int>(s)));
        return peak;
    }

    // The built program with the start sound on, for `seconds`, then ended.
    void runProgram(QProcessEnvironment env, double seconds) {
        writeSettings(home_.path(), true, true);
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

    TempFolder runtime_, work_, home_, config_;
    fs::path noSpawn_ = work_.path() / "client.conf";
    pid_t serverPid_ = 0;
    QProcess recorder_, program_;
};

TEST_F(ProgramSound, StartSoundReachesTheAudioServer) {
    startRecording();
    runProgram(serverEnvironment(), 3.0);
    const int peak = stopRecording();
    EXPECT_GT(peak, 1000) << "nothing audible was recorded from the start sound";
    std::printf("[ measured ] start sound peak %d of 32767\n", peak);
}

TEST_F(ProgramSound, WithoutAReachableServerThereIsNoOutputAndNoSound) {
    QProcessEnvironment unreachable = serverEnvironment();
    unreachable.insert("PULSE_SERVER", "unix:/nonexistent");
    startRecording();
    runProgram(unreachable, 3.0);
    EXPECT_EQ(stopRecording(), 0);

    // The same environment in this process: the runtime counts no audio output, which is
    // what keeps the program from playing.
    qputenv("PULSE_SERVER", "unix:/nonexistent");
    qputenv("PULSE_CLIENTCONFIG", QByteArray::fromStdString(noSpawn_.string()));
    QtRuntime rt(Environment{});
    EXPECT_EQ(rt.audioOutputCount(), 0);
}

}  // namespace
}  // namespace qv::e2e
