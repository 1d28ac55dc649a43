#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "support/rig.h"

namespace qv {
namespace {

class Effects : public ::testing::Test {
protected:
    test::Rig rig;

    void effect(const std::string& name, const std::string& content) {
        rig.program.write("Effects/" + name, content);
    }

    FormQuorvane& start() {
        rig.writeStandardSettings();
        FormQuorvane& w = rig.start();
        rig.prog->mod.settings.LedColor = 255;
        rig.prog->mod.settings.SwapOutputs = 0;
        return w;
    }

    // The port open to a board running the given sketch, without the connect sequence.
    void openPort(int16_t kind) {
        rig.board(3, "");
        rig.prog->nano.InterfaceKind = kind;
        rig.w().Serialport.CommPort = 3;
        ASSERT_TRUE(rig.w().Serialport.openPort());
    }

    // "t bytes" of every write from `from` on, times in tenths of a second.
    std::string transcript(size_t from = 0) const {
        std::string s;
        for (size_t i = from; i < rig.rt.writes.size(); ++i) {
            char t[32];
            std::snprintf(t, sizeof t, "%.1f ", rig.rt.writes[i].t);
            s += t + rig.rt.writes[i].bytes + " ";
        }
        return s;
    }

    // Plays the loaded effect once through the player alone.
    void playOnce(FormQuorvane& w) {
        w.CMD_Animatie.Caption = "Stop";
        w.SpeelEffect(1);
        w.CMD_Animatie.Caption = "Start";
    }

    void clickAt(double t, Control& c) {
        rig.rt.at(t, [this, &c] { rig.rt.click(c); });
    }

    std::vector<std::string> litLabels(FormQuorvane& w) {
        std::vector<std::string> lit;
        for (int i = 1; i <= 8; ++i)
            if (w.Label_LumiLed(i).BackColor != kWindowBack) lit.push_back(std::to_string(i));
        return lit;
    }
};

// --- reading effect files ---------------------------------------------------------------

TEST_F(Effects, StartUpReadsTheFirstFileAndAShorterFileKeepsHigherSlots) {
    effect("a.led", "550\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n");
    effect("b.LED", "275,x,y,z");
    FormQuorvane& w = start();
    const EffectData& fx = rig.prog->mod.effect;
    EXPECT_EQ(w.File_List_Effecten.ListCount(), 2);
    EXPECT_EQ(fx.EffectStepCount, 10);
    EXPECT_EQ(w.Label_Animaties.Caption, "Animation (s = 550)");

    w.File_List_Effecten.setListIndex(1);
    EXPECT_EQ(fx.EffectTiming, 275);
    EXPECT_EQ(fx.EffectStepCount, 3);
    EXPECT_EQ(w.Label_Animaties.Caption, "Animation (s = 275)");
    EXPECT_EQ(fx.EffectSteps[1], "x");
    EXPECT_EQ(fx.EffectSteps[3], "z");
    EXPECT_EQ(fx.EffectSteps[4], "4");
    EXPECT_EQ(fx.EffectSteps[10], "10");
    EXPECT_TRUE(rig.rt.messages.empty());
}

TEST_F(Effects, NoEffectFilesDisablesThePanel) {
    effect("readme.txt", "550\r\n+\r\n");
    FormQuorvane& w = start();
    EXPECT_FALSE(w.CMD_Animatie.Enabled);
    EXPECT_FALSE(w.Check_Auto_volgende_Effect.Enabled);
    EXPECT_FALSE(w.File_List_Effecten.Enabled);
    EXPECT_EQ(w.Label_Animaties.Caption, "No animations found");
}

TEST_F(Effects, RefusedFilesAreReportedOnceAndKeepThePreviousEffect) {
    effect("a.led", "550\r\n+\r\n++\r\n");
    effect("b.led", "");
    effect("c.led", "12x\r\n+\r\n");
    effect("d.led", "100\r\n+\r\n");
    FormQuorvane& w = start();
    std::filesystem::remove(rig.program.file("Effects/d.led"));
    for (int i : {1, 2, 3}) {
        w.File_List_Effecten.setListIndex(i);
        w.LeesEffect();  // as the auto-next advance reads it twice
        ASSERT_EQ(rig.rt.messages.size(), static_cast<size_t>(i));
        const sim::ShownMessage& m = rig.rt.messages.back();
        EXPECT_NE(m.text.find(w.File_List_Effecten.FileName()), std::string::npos) << m.text;
        EXPECT_EQ(m.style, MsgExclamation);
        EXPECT_EQ(m.title, kAppTitle);
        EXPECT_EQ(rig.prog->mod.effect.EffectTiming, 550);
        EXPECT_EQ(rig.prog->mod.effect.EffectStepCount, 2);
        EXPECT_EQ(w.Label_Animaties.Caption, "Animation (s = 550)");
        EXPECT_NE(m.text.find("\rThe animation loaded before stays in use."), std::string::npos) << m.text;
    }
}

TEST_F(Effects, ARefusedFirstFileAtStartUpSaysThatNoAnimationIsLoaded) {
    effect("a.led", "99999999999\r\n+\r\n");
    effect("b.led", "100\r\n+\r\n");
    start();
    ASSERT_EQ(rig.rt.messages.size(), 1u);
    const std::string& text = rig.rt.messages[0].text;
    EXPECT_NE(text.find("\"99999999999\", is no timing"), std::string::npos) << text;
    EXPECT_NE(text.find("\rNo animation is loaded."), std::string::npos) << text;
    EXPECT_EQ(rig.prog->mod.effect.EffectStepCount, 0);
}

// --- the player ---------------------------------------------------------------------------

TEST_F(Effects, StepTextsLightLedsAndSendTheMaskByTheSwapSetting) {
    effect("a.led", "550\r\n++++++++\r\n +\r\n--------+\r\n\r\n");
    FormQuorvane& w = start();
    openPort(InterfaceAdaFruit);
    playOnce(w);
    EXPECT_EQ(transcript(), "0.0 1/255/ 1.0 1/1/ 2.0 1/0/ 3.0 1/0/ ");

    rig.prog->mod.effect.EffectStepCount = 2;
    rig.prog->mod.settings.SwapOutputs = 1;
    size_t from = rig.rt.writes.size();
    playOnce(w);
    EXPECT_EQ(rig.rt.writes.back().bytes, "1/128/");
    EXPECT_EQ(rig.rt.writes[from].bytes, "1/255/");

    rig.prog->mod.settings.SwapOutputs = 2;
    from = rig.rt.writes.size();
    playOnce(w);
    EXPECT_EQ(rig.rt.writes.back().bytes, "1/0/");
    EXPECT_EQ(litLabels(w), std::vector<std::string>{"1"});
    EXPECT_EQ(w.Label_LumiLed(1).BackColor, 255);
    EXPECT_TRUE(w.LedLit[1]);
    EXPECT_FALSE(w.LedLit[2]);
    EXPECT_EQ(w.CMD_LumiLed(1).Picture, rig.prog->picture("Img AdaFruitled Aan.bmp"));
    EXPECT_EQ(w.CMD_LumiLed(1).BackColor, 255);
    EXPECT_EQ(w.CMD_LumiLed(2).Picture, rig.prog->picture("Img AdaFruitled.bmp"));
    EXPECT_EQ(w.CMD_LumiLed(2).BackColor, kWhite);
}

TEST_F(Effects, StepTimeFollowsTheSpeedBarAtEveryCheck) {
    effect("a.led", "550\r\n+\r\n++\r\n+++\r\n");
    FormQuorvane& w = start();
    openPort(InterfaceAdaFruit);
    playOnce(w);
    EXPECT_EQ(transcript(), "0.0 1/1/ 1.0 1/3/ 2.0 1/7/ ");

    w.VScrollSpeed.setValue(5000);
    size_t from = rig.rt.writes.size();
    const double t0 = rig.rt.now();
    playOnce(w);
    EXPECT_DOUBLE_EQ(rig.rt.writes[from + 1].t - t0, 11.0);
    EXPECT_DOUBLE_EQ(rig.rt.now() - t0, 33.0);

    // Back to the start value half-way through the first step: that step ends at 1 s.
    from = rig.rt.writes.size();
    const double t1 = rig.rt.now();
    rig.rt.at(t1 + 0.5, [&] { w.VScrollSpeed.setValue(4500); });
    playOnce(w);
    EXPECT_DOUBLE_EQ(rig.rt.writes[from + 1].t - t1, 1.0);
}

TEST_F(Effects, PicturesAndFramesFollowTheSketch) {
    effect("a.led", "550\r\n+\r\n");
    FormQuorvane& w = start();
    openPort(InterfaceTM1638);
    rig.prog->nano.TM1638V11 = false;
    playOnce(w);
    EXPECT_EQ(rig.rt.writes.back().bytes, "4/1/");
    EXPECT_EQ(w.CMD_LumiLed(1).Picture, rig.prog->picture("Img Led Aan.bmp"));
    EXPECT_EQ(w.CMD_LumiLed(8).Picture, rig.prog->picture("Img Led.bmp"));

    rig.prog->nano.TM1638LedRed = false;
    playOnce(w);
    EXPECT_EQ(rig.rt.writes.back().bytes, "1/1/");
    EXPECT_EQ(w.CMD_LumiLed(1).Picture, rig.prog->picture("Img Led Aan Groen.bmp"));
    EXPECT_EQ(w.CMD_LumiLed(8).Picture, rig.prog->picture("Img Led Groen.bmp"));

    // LumiLeds: labels and "1/" frames, the buttons keep their pictures.
    for (int i = 1; i <= 8; ++i) w.CMD_LumiLed(i).Picture = "design:unchanged";
    rig.prog->nano.InterfaceKind = InterfaceLumiLeds;
    playOnce(w);
    EXPECT_EQ(rig.rt.writes.back().bytes, "1/1/");
    EXPECT_EQ(w.CMD_LumiLed(1).Picture, "design:unchanged");
    EXPECT_EQ(litLabels(w), std::vector<std::string>{"1"});

    // No sketch, or a closed port: labels only.
    const size_t sent = rig.rt.writes.size();
    rig.prog->nano.InterfaceKind = InterfaceNone;
    w.Label_LumiLed(1).BackColor = kWindowBack;
    playOnce(w);
    EXPECT_EQ(litLabels(w), std::vector<std::string>{"1"});
    w.Serialport.closePort();
    rig.prog->nano.InterfaceKind = InterfaceLumiLeds;
    playOnce(w);
    EXPECT_EQ(rig.rt.writes.size(), sent);
    EXPECT_EQ(w.CMD_LumiLed(1).Picture, "design:unchanged");
}

// --- the play controller ----------------------------------------------------------------

TEST_F(Effects, AutoNextPlaysEveryFileFivePassesInTurnAndAStopKeepsTheSelection) {
    effect("a.led", "550\r\n+\r\n");
    effect("b.led", "550\r\n-+\r\n");
    effect("c.led", "550\r\n--+\r\n");
    FormQuorvane& w = start();
    openPort(InterfaceAdaFruit);
    w.Check_Auto_volgende_Effect.setValue(1);
    clickAt(16.5, w.CMD_Animatie);
    rig.rt.click(w.CMD_Animatie);

    std::string expected = "0.0 1/0/ ";
    const char* masks[] = {"1", "2", "4", "1", "1"};
    for (int s = 0; s <= 16; ++s) expected += std::to_string(s) + ".0 1/" + masks[s / 5] + "/ ";
    // The stop darkens at once; the next step still shows when the step's time is up.
    expected += "16.5 1/0/ 17.0 1/1/ 17.0 1/0/ ";
    EXPECT_EQ(transcript(), expected);
    EXPECT_EQ(w.File_List_Effecten.listIndex(), 0);
    EXPECT_EQ(w.CMD_Animatie.Caption, "Start");
    EXPECT_TRUE(litLabels(w).empty());
    EXPECT_EQ(rig.prog->mod.LedStatus, 0);
}

TEST_F(Effects, AutoNextWithOneFilePlaysItOverAndOver) {
    effect("a.led", "550\r\n+\r\n");
    FormQuorvane& w = start();
    openPort(InterfaceAdaFruit);
    w.Check_Auto_volgende_Effect.setValue(1);
    clickAt(12.5, w.CMD_Animatie);
    rig.rt.click(w.CMD_Animatie);
    EXPECT_EQ(rig.rt.writes.size(), 1u + 13u + 1u + 1u + 1u);
    EXPECT_EQ(rig.rt.writes[13].bytes, "1/1/");
}

TEST_F(Effects, StopDuringStepThreeShowsStepFourOnceThenDark) {
    effect("a.led", "550\r\n+\r\n++\r\n+++\r\n++++\r\n+++++\r\n++++++\r\n+++++++\r\n++++++++\r\n-\r\n-\r\n");
    effect("b.led", "550\r\n-\r\n");
    FormQuorvane& w = start();
    openPort(InterfaceAdaFruit);
    w.Check_Auto_volgende_Effect.setValue(1);
    clickAt(2.5, w.CMD_Animatie);
    rig.rt.at(2.6, [&] { EXPECT_TRUE(litLabels(w).empty()); });
    rig.rt.click(w.CMD_Animatie);
    EXPECT_EQ(transcript(), "0.0 1/0/ 0.0 1/1/ 1.0 1/3/ 2.0 1/7/ 2.5 1/0/ 3.0 1/15/ 3.0 1/0/ ");
    EXPECT_EQ(w.File_List_Effecten.listIndex(), 0);
    EXPECT_TRUE(litLabels(w).empty());
}

TEST_F(Effects, AnEffectWithoutStepsOrTimeStaysStoppableInBothModes) {
    for (int autoNext : {0, 1}) {
        for (int file : {0, 1}) {
            SCOPED_TRACE(std::to_string(autoNext) + "/" + std::to_string(file));
            test::Rig fresh;
            fresh.program.write("Effects/a.led", "550\r\n");
            fresh.program.write("Effects/b.led", "0\r\n+\r\n");
            fresh.writeStandardSettings();
            FormQuorvane& w = fresh.start();
            w.File_List_Effecten.setListIndex(file);
            w.Check_Auto_volgende_Effect.setValue(autoNext);
            int ticks = 0;
            fresh.rt.startTimer(100, [&] { ++ticks; });
            const double t0 = fresh.rt.now();
            fresh.rt.at(t0 + 2.0, [&] { fresh.rt.click(w.CMD_Animatie); });
            fresh.rt.click(w.CMD_Animatie);
            EXPECT_EQ(w.CMD_Animatie.Caption, "Start");
            EXPECT_LT(fresh.rt.now() - t0, 2.1);
            EXPECT_GE(ticks, 19);
        }
    }
}

// Every write leaves an event pending; a pause after a pass that never waited must still
// last its time, or the loop floods the board and keeps a core busy.
TEST_F(Effects, AStepThatNeverWaitsSendsAboutAHundredFramesASecondInBothModes) {
    // Ends a loop that floods the board, so that the failure shows instead of a hang.
    struct Guard : sim::SimBoard {
        FormQuorvane* w = nullptr;
        void received(sim::SimConnection&, const std::string&) override {
            if (++frames > 5000) w->CMD_Animatie.Caption = "Start";
        }
        int frames = 0;
    };
    for (int autoNext : {0, 1}) {
        SCOPED_TRACE(autoNext);
        test::Rig fresh;
        fresh.program.write("Effects/a.led", "0\r\n+\r\n");
        fresh.writeStandardSettings();
        FormQuorvane& w = fresh.start();
        Guard guard;
        guard.w = &w;
        fresh.rt.existingPorts.insert(3);
        fresh.rt.boards[3] = &guard;
        fresh.prog->nano.InterfaceKind = InterfaceAdaFruit;
        w.Serialport.CommPort = 3;
        ASSERT_TRUE(w.Serialport.openPort());
        w.Check_Auto_volgende_Effect.setValue(autoNext);
        const double t0 = fresh.rt.now();
        fresh.rt.at(t0 + 1.0, [&] { fresh.rt.click(w.CMD_Animatie); });
        fresh.rt.click(w.CMD_Animatie);
        EXPECT_LE(guard.frames, 110);
        EXPECT_GE(guard.frames, 50);
        EXPECT_LT(fresh.rt.now() - t0, 1.02);
    }
}

TEST_F(Effects, ListClickDuringPlayKeepsThePassCount) {
    effect("a.led", "550\r\n+\r\n++\r\n+++\r\n++++\r\n");
    effect("b.led", "1100\r\n-+\r\n--+\r\n");
    FormQuorvane& w = start();
    openPort(InterfaceAdaFruit);
    rig.rt.at(1.5, [&] { w.File_List_Effecten.setListIndex(1); });
    clickAt(9.5, w.CMD_Animatie);
    rig.rt.click(w.CMD_Animatie);
    // Steps 3 and 4 of the pass come from the slots the longer file left; the new
    // timing stretches the step under way. The stop lands in the pass's last wait.
    EXPECT_EQ(transcript(),
              "0.0 1/0/ 0.0 1/1/ 1.0 1/3/ 3.0 1/7/ 5.0 1/15/ 7.0 1/2/ 9.0 1/4/ 9.5 1/0/ 11.0 1/0/ ");
}

TEST_F(Effects, StartInsideAStoppedLoopsLastWaitRunsANewLoopFirst) {
    effect("a.led", "550\r\n+\r\n++\r\n");
    FormQuorvane& w = start();
    openPort(InterfaceAdaFruit);
    clickAt(0.5, w.CMD_Animatie);
    clickAt(0.7, w.CMD_Animatie);
    clickAt(3.2, w.CMD_Animatie);
    rig.rt.click(w.CMD_Animatie);
    EXPECT_EQ(transcript(),
              "0.0 1/0/ 0.0 1/1/ 0.5 1/0/ 0.7 1/0/ 0.7 1/1/ 1.7 1/3/ 2.7 1/1/ 3.2 1/0/ 3.7 1/3/ 3.7 1/0/ "
              "3.7 1/3/ 3.7 1/0/ ");
    EXPECT_EQ(w.CMD_Animatie.Caption, "Start");
}

TEST_F(Effects, AutoNextClickStopsPlayButOnlyTogglesTheBoxWhileIdle) {
    effect("a.led", "550\r\n+\r\n");
    FormQuorvane& w = start();
    openPort(InterfaceAdaFruit);
    w.Check_Auto_volgende_Effect.setValue(1);
    EXPECT_EQ(w.CMD_Animatie.Caption, "Start");
    EXPECT_TRUE(rig.rt.writes.empty());

    w.Check_Auto_volgende_Effect.setValue(0);
    rig.rt.at(1.5, [&] { w.Check_Auto_volgende_Effect.setValue(1); });
    rig.rt.click(w.CMD_Animatie);
    // No darkening at the click itself: the loop's own reset follows when the step ends.
    EXPECT_EQ(transcript(), "0.0 1/0/ 0.0 1/1/ 1.0 1/1/ 2.0 1/0/ ");
}

}  // namespace
}  // namespace qv
