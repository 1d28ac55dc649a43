// Connecting the real program to emulated boards, in real time: what reaches the board and
// when, what the window shows, and how a refused sketch and a vanished board end.
#include <gtest/gtest.h>

#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "link/timings.h"
#include "program_harness.h"

namespace qv::e2e {
namespace {

std::vector<std::string> texts(const std::vector<LogLine>& lines) {
    std::vector<std::string> t;
    for (const auto& l : lines) t.push_back(l.text);
    return t;
}

std::vector<LogLine> withoutPolls(const std::vector<LogLine>& lines) {
    std::vector<LogLine> out;
    std::copy_if(lines.begin(), lines.end(), std::back_inserter(out),
                 [](const LogLine& l) { return l.text != "5/"; });
    return out;
}

TEST(ProgramConnection, AdafruitBoardIsIdentifiedPolledShownAndDisconnected) {
    Scene scene;
    writeStandardSettings(scene.home(), false, false);
    const fs::path values = scene.script("values.txt", "0 analog 3 517\n");
    Emulator board(scene.config(), 3, {"--kind", "AT", "--values", "fixed", "--script", values.string()});
    ProgramRun run(scene.home());
    run.start();
    FormQuorvane& w = run.w();

    run.choosePort("Com 3");
    double clickedAt = 0;
    run.click("CMD_Verbind", [&] { clickedAt = steadySeconds(); });
    run.runFor(10.0);
    const double t0 = board.emuTime(clickedAt);

    // Identification 2 s after the click, the AdaFruit push at 5 s and, 2 s later, the
    // colours; from then on nothing but polls.
    const std::vector<LogLine> rx = board.received();
    ASSERT_GE(rx.size(), 6u) << "line: " << ::testing::PrintToString(texts(rx));
    EXPECT_EQ(texts({rx.begin(), rx.begin() + 5}),
              (std::vector<std::string>{"90/", "6/2/", "20/255/", "21/0/", "22/0/"}));
    EXPECT_NEAR(rx[0].t - t0, 2.0, 0.3);
    EXPECT_NEAR(rx[1].t - t0, 5.0, 0.3);
    EXPECT_NEAR(rx[1].t - rx[0].t, kIdentificationMs / 1000.0, 0.1) << "the identification time";
    EXPECT_NEAR(rx[2].t - rx[1].t, kWelcomeSeconds, 0.1) << "the wait before the colours";
    EXPECT_LT(rx[4].t - rx[2].t, 0.05) << "the three colours go together";
    std::printf("[ measured ] 90/ at %.3f s, 6/2/ at %.3f s, 20/255/ at %.3f s after the click\n",
                rx[0].t - t0, rx[1].t - t0, rx[2].t - t0);

    std::vector<double> pollTimes;
    for (size_t i = 5; i < rx.size(); ++i) {
        EXPECT_EQ(rx[i].text, "5/") << "at " << rx[i].t;
        if (rx[i].t <= rx[5].t + 2.0) pollTimes.push_back(rx[i].t);
    }
    ASSERT_GE(pollTimes.size(), 15u);
    std::vector<double> intervals;
    for (size_t i = 1; i < pollTimes.size(); ++i) intervals.push_back(pollTimes[i] - pollTimes[i - 1]);
    const double med = median(intervals);
    EXPECT_NEAR(med, kPollIntervalMs / 1000.0, 0.010);
    std::printf(
        "[ measured ] first poll %.3f s after the colours; poll interval median %.1f ms, min %.1f, max "
        "%.1f\n",
        rx[5].t - rx[4].t, med * 1000, *std::min_element(intervals.begin(), intervals.end()) * 1000,
        *std::max_element(intervals.begin(), intervals.end()) * 1000);

    // The panels show what the board reports, channel n on panel n + 1.
    EXPECT_EQ(w.Label_StatusBalk(1).Caption, "Connected");
    EXPECT_EQ(run.labelShown("Label_StatusBalk(1)"), "Connected");
    const int expected[] = {100, 300, 500, 517, 900};
    for (int panel = 1; panel <= 5; ++panel) {
        const int v = expected[panel - 1];
        EXPECT_EQ(w.Label_AIn(panel).Caption, std::to_string(v)) << "panel " << panel;
        EXPECT_EQ(run.labelShown("Label_AIn(" + std::to_string(panel) + ")"), std::to_string(v));
        EXPECT_NEAR(w.Shape_Ingang(panel).Width, v * w.AnalogBarWidth / 1023.0, 0.01) << "panel " << panel;
    }

    // Disconnect: the LEDs dark, the display text, polls for the 2 s, then the port closes.
    size_t mark = 0;
    run.click("CMD_Verbind", [&] { mark = board.lineCount(); });
    std::optional<bool> openDuringWait;
    run.after(1.7, [&] { openDuringWait = w.Serialport.PortOpen(); });
    run.runFor(2.3);
    EXPECT_EQ(openDuringWait, std::optional<bool>(true)) << "the port stays open through the closing wait";
    EXPECT_FALSE(w.Serialport.PortOpen());
    EXPECT_EQ(w.CMD_Verbind.Caption, "Connect");
    EXPECT_EQ(w.Label_StatusBalk(1).Caption, "Not connected");
    EXPECT_EQ(run.labelShown("Label_StatusBalk(1)"), "Not connected");

    const std::vector<LogLine> closing = withoutPolls(board.receivedAfter(mark));
    ASSERT_EQ(texts(closing), (std::vector<std::string>{"1/0/", "9/ in out /"}));
    const std::vector<LogLine> all = board.receivedAfter(mark);
    EXPECT_LT(all.back().t - closing[1].t, 2.05) << "nothing reaches the board once the port is closed";
    EXPECT_TRUE(run.messages().empty());
}

TEST(ProgramConnection, QuillastraSketchIsNamedAndThePortClosedAgain) {
    Scene scene;
    writeStandardSettings(scene.home(), false, false);
    Emulator board(scene.config(), 3, {"--kind", "AC"});
    ProgramRun run(scene.home());
    run.start();
    run.choosePort("Com 3");
    double clickedAt = 0;
    run.click("CMD_Verbind", [&] { clickedAt = steadySeconds(); });
    ASSERT_TRUE(run.runUntil([&] { return !run.messages().empty(); }, 8.0));
    const double shownAfter = steadySeconds() - clickedAt;

    EXPECT_EQ(run.messages().front().title, "Quorvane");
    EXPECT_EQ(run.messages().front().text,
              "An Arduino was found on com port 3!\nThe loaded .ino is for AdaFruit Quillastra.");
    EXPECT_NEAR(shownAfter, 5.0, 0.4);
    FormQuorvane& w = run.w();
    EXPECT_FALSE(w.Serialport.PortOpen());
    EXPECT_EQ(w.CMD_Verbind.Caption, "Connect");
    EXPECT_EQ(w.Label_StatusBalk(1).Caption, "Not connected");
    EXPECT_EQ(run.prog().nano.InterfaceKind, 2);
    run.runFor(0.5);
    EXPECT_EQ(texts(board.received()), std::vector<std::string>{"90/"})
        << "a refused sketch gets nothing more";
    EXPECT_EQ(run.messages().size(), 1u);
}

TEST(ProgramConnection, BoardVanishingWhilePolledEndsTheConnectionWithoutSpinning) {
    Scene scene;
    writeStandardSettings(scene.home(), false, false);
    // Polling starts about 7 s after the click, which follows the emulator's start closely;
    // the rest leaves room for a loaded machine.
    const double unplugAt = 10.0;
    Emulator board(scene.config(), 3, {"--kind", "AT", "--unplug-after", std::to_string(unplugAt)});
    ProgramRun run(scene.home());
    run.start();
    run.choosePort("Com 3");
    run.click("CMD_Verbind");
    // Looked at shortly before the unplug: at its very moment the program may already have
    // seen it.
    run.runUntilSteady(board.steadyTime(unplugAt - 0.5));
    FormQuorvane& w = run.w();
    ASSERT_EQ(w.Label_StatusBalk(1).Caption, "Connected")
        << "the test needs the board to vanish while polled"
        << (run.messages().empty() ? std::string() : "; message: " + run.messages()[0].text);

    const double cpu0 = processCpuSeconds(), wall0 = steadySeconds();
    run.runFor(2.5);
    const double cpu = processCpuSeconds() - cpu0, wall = steadySeconds() - wall0;
    EXPECT_LT(wall, 3.0) << "the program went on running its event loop";
    EXPECT_LT(cpu / wall, 0.10) << "CPU " << cpu << " s in " << wall << " s";
    std::printf("[ measured ] CPU after the unplug: %.1f ms in %.2f s\n", cpu * 1000, wall);

    EXPECT_FALSE(board.running());
    std::size_t polls = 0;
    for (const auto& l : board.received()) polls += l.text == "5/";
    EXPECT_GE(polls, 5u);
    EXPECT_FALSE(w.Serialport.PortOpen());
    EXPECT_EQ(w.CMD_Verbind.Caption, "Connect");
    EXPECT_EQ(w.Label_StatusBalk(1).Caption, "Not connected");
    ASSERT_EQ(run.messages().size(), 1u);
    EXPECT_EQ(run.messages()[0].title, "Quorvane");
    EXPECT_NE(run.messages()[0].text.find("COM3"), std::string::npos) << run.messages()[0].text;
}

// Closing the window ends the process, so the program runs in a child of the test, which
// starts afresh rather than forking a process that has threads of its own.
TEST(ProgramConnectionDeathTest, ClosingTheMainWindowWhileNotConnectedEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            auto scene = std::make_unique<Scene>();
            writeStandardSettings(scene->home(), false, false);
            ProgramRun run(scene->home());
            run.start();
            run.runFor(0.2);
            scene.reset();  // an ending process leaves no folders behind
            run.window()->close();
            run.runFor(2.0);
            std::fprintf(stderr, "the program still runs\n");
            std::_Exit(3);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace qv::e2e
