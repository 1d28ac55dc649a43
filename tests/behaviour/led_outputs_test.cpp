#include <gtest/gtest.h>

#include "support/rig.h"

namespace qv {
namespace {

class LedOutputs : public ::testing::Test {
protected:
    void SetUp() override {
        rig.writeStandardSettings();
        w = &rig.start();
        prog().mod.settings.LedColor = 255;
        prog().mod.settings.LedRed = 255;
        prog().mod.settings.LedGreen = 0;
        prog().mod.settings.LedBlue = 0;
        prog().mod.settings.SwapOutputs = 0;
        prog().mod.WaveDeviceCount = 1;
        rig.rt.sounds.clear();
    }
    Program& prog() { return *rig.prog; }
    void openPort(int16_t kind) {
        prog().nano.InterfaceKind = kind;
        rig.board(3, "AT");
        w->Serialport.CommPort = 3;
        ASSERT_TRUE(w->Serialport.openPort());
        rig.rt.writes.clear();
    }
    std::vector<std::string> written() const {
        std::vector<std::string> out;
        for (const auto& x : rig.rt.writes) out.push_back(x.bytes);
        return out;
    }
    std::string lastSound() const { return rig.rt.sounds.empty() ? "" : rig.rt.sounds.back().path; }
    void clickLed(int i) { rig.rt.click(w->CMD_LumiLed(i)); }

    test::Rig rig;
    FormQuorvane* w = nullptr;
};

TEST_F(LedOutputs, AdaFruitLedOnSendsColourThenMaskAndOffRestores) {
    openPort(InterfaceAdaFruit);
    clickLed(1);
    EXPECT_EQ(w->Label_LumiLed(1).BackColor, 0xFF);
    EXPECT_EQ(w->CMD_LumiLed(1).Picture, prog().picture("Img AdaFruitled Aan.bmp"));
    EXPECT_EQ(w->CMD_LumiLed(1).BackColor, 0xFF);
    EXPECT_EQ(written(), (std::vector<std::string>{"20/255/", "21/0/", "22/0/", "1/1/"}));
    EXPECT_EQ(lastSound(), rig.program.file("Sounds/SndSwitch01"));

    clickLed(1);
    EXPECT_EQ(w->Label_LumiLed(1).BackColor, kWindowBack);
    EXPECT_EQ(w->CMD_LumiLed(1).Picture, prog().picture("Img AdaFruitled.bmp"));
    EXPECT_EQ(w->CMD_LumiLed(1).BackColor, 0xFFFFFF);
    EXPECT_EQ(written().back(), "1/0/");
    EXPECT_EQ(lastSound(), rig.program.file("Sounds/SndSwitch02"));
}

TEST_F(LedOutputs, SwapOutputsChoosesTheBitAndAllEightGiveAFullMask) {
    for (int16_t swap : {0, 1}) {
        SCOPED_TRACE(swap);
        prog().mod.settings.SwapOutputs = swap;
        w->ResetLeds();
        clickLed(1);
        EXPECT_EQ(prog().mod.LedStatus, swap == 0 ? 1 : 128);
        for (int i = 2; i <= 8; ++i) clickLed(i);
        EXPECT_EQ(prog().mod.LedStatus, 255);
    }
    openPort(InterfaceAdaFruit);
    w->ResetLeds();
    clickLed(1);
    EXPECT_EQ(written().back(), "1/128/");
}

TEST_F(LedOutputs, MaskCommandDependsOnSketchAndTm1638Board) {
    openPort(InterfaceLumiLeds);
    clickLed(1);
    clickLed(3);
    EXPECT_EQ(written().back(), "4/5/");

    struct Case {
        bool v11, red;
        const char* expected;
    };
    for (const Case& c : {Case{false, true, "4/1/"}, Case{false, false, "1/1/"}, Case{true, true, "1/1/"}}) {
        prog().nano.InterfaceKind = InterfaceTM1638;
        prog().nano.TM1638V11 = c.v11;
        prog().nano.TM1638LedRed = c.red;
        w->ResetLeds();
        rig.rt.writes.clear();
        clickLed(1);
        EXPECT_EQ(written(), std::vector<std::string>{c.expected});
        EXPECT_EQ(w->CMD_LumiLed(1).Picture,
                  prog().picture(c.red ? "Img Led Aan.bmp" : "Img Led Aan Groen.bmp"));
    }
}

TEST_F(LedOutputs, ClickWhileEffectPlaysChangesNothing) {
    openPort(InterfaceAdaFruit);
    w->CMD_Animatie.Caption = "Stop";
    const std::string picture = w->CMD_LumiLed(2).Picture;
    clickLed(2);
    EXPECT_EQ(w->Label_LumiLed(2).BackColor, kWindowBack);
    EXPECT_EQ(w->CMD_LumiLed(2).Picture, picture);
    EXPECT_EQ(prog().mod.LedStatus, 0);
    EXPECT_TRUE(rig.rt.writes.empty());
    EXPECT_TRUE(rig.rt.sounds.empty());
}

TEST_F(LedOutputs, WithoutSketchOrBitOnlyScreenMaskAndSoundChange) {
    prog().nano.InterfaceKind = InterfaceNone;
    const std::string picture = w->CMD_LumiLed(4).Picture;
    clickLed(4);
    EXPECT_EQ(w->Label_LumiLed(4).BackColor, 0xFF);
    EXPECT_EQ(w->CMD_LumiLed(4).Picture, picture);
    EXPECT_EQ(prog().mod.LedStatus, 8);
    EXPECT_EQ(lastSound(), rig.program.file("Sounds/SndSwitch01"));

    // A swap value outside 0 and 1 maps no LED to a bit: the mask is sent unchanged.
    openPort(InterfaceLumiLeds);
    prog().mod.settings.SwapOutputs = 2;
    clickLed(5);
    EXPECT_EQ(w->CMD_LumiLed(5).Picture, prog().picture("Img Lumiled Aan.bmp"));
    EXPECT_EQ(written(), std::vector<std::string>{"4/8/"});
}

TEST_F(LedOutputs, LedColourEqualToBackgroundStillTogglesAndKeepsMaskInAByte) {
    prog().mod.settings.LedColor = kWindowBack;
    for (int round = 0; round < 3; ++round) {
        clickLed(8);
        EXPECT_EQ(prog().mod.LedStatus, 128);
        EXPECT_EQ(lastSound(), rig.program.file("Sounds/SndSwitch01"));
        clickLed(8);
        EXPECT_EQ(prog().mod.LedStatus, 0);
        EXPECT_EQ(lastSound(), rig.program.file("Sounds/SndSwitch02"));
    }
}

TEST_F(LedOutputs, ResetDarkensEveryLedAndClearsTheBoardByKind) {
    struct Case {
        int16_t kind;
        bool red;
        const char* picture;
        std::vector<std::string> sent;
    };
    const std::vector<Case> cases = {
        {InterfaceNone, true, "Img AdaFruitled.bmp", {}},
        {InterfaceAdaFruit, true, "Img AdaFruitled.bmp", {"1/0/"}},
        {InterfaceLumiLeds, true, "Img Lumiled.bmp", {"1/0/", "4/0/"}},
        {InterfaceTM1638, false, "Img Led Groen.bmp", {"1/0/", "4/0/"}},
    };
    openPort(InterfaceNone);
    for (bool open : {true, false}) {
        if (!open) w->Serialport.closePort();
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "kind " << c.kind << (open ? " open" : " closed"));
            prog().nano.InterfaceKind = c.kind;
            prog().nano.TM1638LedRed = c.red;
            clickLed(2);
            rig.rt.writes.clear();
            w->ResetLeds();
            EXPECT_EQ(prog().mod.LedStatus, 0);
            for (int i = 1; i <= 8; ++i) {
                EXPECT_EQ(w->Label_LumiLed(i).BackColor, kWindowBack);
                EXPECT_EQ(w->CMD_LumiLed(i).Picture, prog().picture(c.picture));
            }
            EXPECT_EQ(written(), open ? c.sent : std::vector<std::string>{});
        }
    }
    // Kinds 1, 2 and 4 show no LED pictures of their own: the buttons are left alone.
    prog().nano.InterfaceKind = InterfaceQuillastra;
    w->CMD_LumiLed(1).Picture = "design:led";
    w->ResetLeds();
    EXPECT_EQ(w->CMD_LumiLed(1).Picture, "design:led");
}

TEST_F(LedOutputs, ResetSendsNoSecondMaskWhenPortClosesInThePause) {
    openPort(InterfaceTM1638);
    rig.rt.post([this] { w->Serialport.closePort(); });
    w->ResetLeds();
    EXPECT_EQ(written(), std::vector<std::string>{"1/0/"});
    EXPECT_EQ(prog().mod.LedStatus, 0);
}

}  // namespace
}  // namespace qv
