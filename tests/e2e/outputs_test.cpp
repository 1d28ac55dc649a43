// The LED outputs of the real program on emulated boards: single LED clicks and an effect
// played in real time.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "program_harness.h"

namespace qv::e2e {
namespace {

// The commands logged after `mark`, polls left out.
std::vector<LogLine> commandsSince(const Emulator& board, size_t mark) {
    std::vector<LogLine> out;
    for (const auto& l : board.receivedAfter(mark))
        if (l.text != "5/" && l.text != "7/") out.push_back(l);
    return out;
}

std::vector<std::string> texts(const std::vector<LogLine>& lines) {
    std::vector<std::string> t;
    for (const auto& l : lines) t.push_back(l.text);
    return t;
}

// Connects on COM3 and runs until the connection stands.
void connect(ProgramRun& run) {
    run.start();
    run.choosePort("Com 3");
    run.click("CMD_Verbind");
    ASSERT_TRUE(run.runUntil([&] { return run.w().Label_StatusBalk(1).Caption == "Connected"; }, 7.0));
}

TEST(ProgramLeds, ClickOnAnAdafruitBoardSendsTheColourThenTheMask) {
    Scene scene;
    writeStandardSettings(scene.home(), false, false);
    Emulator board(scene.config(), 3, {"--kind", "AT"});
    ProgramRun run(scene.home());
    connect(run);
    run.runFor(2.3);  // past the colour push

    size_t mark = 0;
    run.click("CMD_LumiLed(1)", [&] { mark = board.lineCount(); });
    run.runFor(0.3);
    EXPECT_EQ(texts(commandsSince(board, mark)),
              (std::vector<std::string>{"20/255/", "21/0/", "22/0/", "1/1/"}));
    EXPECT_EQ(run.w().Label_LumiLed(1).BackColor, 255);
}

TEST(ProgramLeds, ClicksOnALumiLedsBoardAddUpInTheSecondMask) {
    Scene scene;
    writeStandardSettings(scene.home(), false, false);
    Emulator board(scene.config(), 3, {"--kind", "ET"});
    ProgramRun run(scene.home());
    connect(run);

    size_t mark = 0;
    run.click("CMD_LumiLed(3)", [&] { mark = board.lineCount(); });
    run.click("CMD_LumiLed(1)", {}, 0.2);
    run.runFor(0.5);
    EXPECT_EQ(texts(commandsSince(board, mark)), (std::vector<std::string>{"4/4/", "4/5/"}));
}

TEST(ProgramEffects, ChasePlaysStepByStepOnTheBoardAndStopDarkensIt) {
    Scene scene;
    writeStandardSettings(scene.home(), false, false);
    Emulator board(scene.config(), 3, {"--kind", "AT"});
    ProgramRun run(scene.home());
    connect(run);
    run.runFor(2.3);
    FormQuorvane& w = run.w();

    // Chase.led: timing 550, eight steps each lighting the next LED. The fastest speed
    // gives steps of about 0.11 s.
    run.chooseFile("Chase.led");
    ASSERT_EQ(w.File_List_Effecten.FileName(), "Chase.led");
    w.VScrollSpeed.setValue(w.VScrollSpeed.Min);
    const double step = 550.0 / (5050.0 - w.VScrollSpeed.value());

    size_t startMark = 0, stopMark = 0;
    bool started = false;
    run.click("CMD_Animatie", [&] {
        startMark = board.lineCount();
        started = true;
    });
    run.click(
        "CMD_Animatie", [&] { stopMark = board.lineCount(); }, 1.6);
    run.runFor(2.0);
    ASSERT_TRUE(started);
    ASSERT_GT(stopMark, startMark);
    EXPECT_EQ(w.CMD_Animatie.Caption, "Start");

    auto frames = [&](size_t mark) {
        std::vector<LogLine> f;
        for (const auto& l : commandsSince(board, mark))
            if (l.text.rfind("1/", 0) == 0) f.push_back(l);
        return f;
    };
    const std::vector<LogLine> sinceStart = frames(startMark), sinceStop = frames(stopMark);
    ASSERT_GT(sinceStart.size(), sinceStop.size());
    EXPECT_EQ(sinceStart.front().text, "1/0/") << "play starts from dark LEDs";
    ASSERT_FALSE(sinceStop.empty());
    EXPECT_EQ(sinceStop.front().text, "1/0/") << "the stop darkens the LEDs at once";
    EXPECT_EQ(sinceStop.back().text, "1/0/") << "play ends with dark LEDs";

    // The steps while playing: the lit LED walks 1, 2, 4, ... 128 and starts over.
    std::vector<LogLine> steps;
    for (size_t i = 0; i < sinceStart.size() - sinceStop.size(); ++i)
        if (sinceStart[i].text != "1/0/") steps.push_back(sinceStart[i]);
    ASSERT_GE(steps.size(), 12u) << ::testing::PrintToString(texts(sinceStart));
    int mask = 1;
    std::vector<double> intervals;
    for (size_t i = 0; i < steps.size(); ++i) {
        EXPECT_EQ(steps[i].text, "1/" + std::to_string(mask) + "/") << "step " << i;
        mask = mask == 128 ? 1 : mask * 2;
        if (i > 0) {
            intervals.push_back(steps[i].t - steps[i - 1].t);
            EXPECT_NEAR(intervals.back(), step, 0.030) << "step " << i;
        }
    }
    EXPECT_NEAR(median(intervals), step, 0.010);
    std::printf("[ measured ] effect step %.1f ms expected, median %.1f ms over %zu steps\n", step * 1000,
                median(intervals) * 1000, intervals.size());

    // After the stop at most the interrupted step's successor flashes once.
    size_t litAfterStop = 0;
    for (const auto& f : sinceStop) litAfterStop += f.text != "1/0/";
    EXPECT_LE(litAfterStop, 1u);
    for (int i = 1; i <= 8; ++i) EXPECT_EQ(w.Label_LumiLed(i).BackColor, kWindowBack) << "LED " << i;
    EXPECT_EQ(run.prog().mod.LedStatus, 0);
}

}  // namespace
}  // namespace qv::e2e
