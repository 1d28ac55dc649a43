#include <gtest/gtest.h>

#include <algorithm>

#include "support/rig.h"
#include "windows/version.h"

namespace qv {
namespace {

// The program's objects without the main window's start-up, so the sound step runs
// on exactly the state each test sets.
class Sounds : public ::testing::Test {
protected:
    void SetUp() override {
        rig.prog = std::make_unique<Application>(rig.rt);
        w = &rig.w();
    }
    Program& prog() { return *rig.prog; }
    Label& cell(int i) { return w->Label_StatusBalk(i); }

    test::Rig rig;
    FormQuorvane* w = nullptr;
};

TEST_F(Sounds, StartSoundIgnoresTheSoundOptionAndCellsShowTheDevice) {
    rig.rt.audioOutputs = 2;
    prog().mod.settings.SoundStartOnOff = 1;
    w->OptionGeluid(0).select();
    rig.prog->sounds.startupSoundStep();
    EXPECT_EQ(prog().mod.WaveDeviceCount, 2);
    EXPECT_EQ(cell(5).Caption, "Yes");
    EXPECT_EQ(cell(5).BackColor, kGood);
    EXPECT_EQ(cell(7).Caption, "Off");
    EXPECT_EQ(cell(7).BackColor, kBad);
    ASSERT_EQ(rig.rt.sounds.size(), 1u);
    EXPECT_EQ(rig.rt.sounds[0].path, rig.program.file("Sounds/SndStart"));
}

TEST_F(Sounds, NoDeviceMeansSilenceAndCellsKeepTheirDesign) {
    prog().mod.settings.SoundStartOnOff = 1;
    rig.prog->sounds.startupSoundStep();
    EXPECT_EQ(prog().mod.WaveDeviceCount, 0);
    EXPECT_EQ(cell(5).Caption, "No");
    EXPECT_EQ(cell(5).BackColor, kBad);
    EXPECT_EQ(cell(7).Caption, "On");
    EXPECT_TRUE(rig.rt.sounds.empty());

    // Without a device, choosing "off" still reads as on, and stops nothing.
    w->OptionGeluid(0).select();
    EXPECT_EQ(cell(7).Caption, "On");
    EXPECT_EQ(cell(7).BackColor, kGood);
    EXPECT_TRUE(rig.rt.sounds.empty());
}

TEST_F(Sounds, SoundOptionStopsPlayingAndSilencesLedClicks) {
    prog().mod.WaveDeviceCount = 1;
    prog().mod.settings.InputDisabledColor = 0x404040;
    w->OptionGeluid(0).select();
    EXPECT_EQ(cell(7).Caption, "Off");
    EXPECT_EQ(cell(7).BackColor, 0x404040);
    ASSERT_EQ(rig.rt.sounds.size(), 1u);
    EXPECT_EQ(rig.rt.sounds[0].path, "");  // the stop

    w->CMD_LumiLed(1).onClick();
    EXPECT_EQ(rig.rt.sounds.size(), 1u);

    w->OptionGeluid(1).select();
    EXPECT_EQ(cell(7).Caption, "On");
    EXPECT_EQ(cell(7).BackColor, kGood);
    EXPECT_EQ(rig.rt.sounds.size(), 1u);
}

TEST_F(Sounds, InfoBoxNamesMakerVersionSketchAndSettingsFolder) {
    prog().mod.settings.UserName = "kim";
    prog().nano.InterfaceKind = InterfaceTM1638;
    w->Image_Info.onClick();
    ASSERT_EQ(rig.rt.messages.size(), 1u);
    const sim::ShownMessage& m = rig.rt.messages[0];
    EXPECT_EQ(m.title, "Info");
    EXPECT_EQ(m.style, MsgOkOnly);
    EXPECT_EQ(m.text, std::string("Marlowby\r\r") + kVersionText +
                          "\r\rDate 10 February 2024\r\rArduino with TM1638."
                          "\r\rSettings in users/kim/Quorvane/");
    EXPECT_EQ(std::count(m.text.begin(), m.text.end(), '\r') + 1, 9);

    // A failed identification on "AC" leaves kind 2, which the box names with no port open.
    prog().nano.InterfaceKind = InterfaceQuillastra;
    w->Image_Info.onClick();
    EXPECT_NE(rig.rt.messages.back().text.find("\r\rArduino with AdaFruit AdaFruit Animations.\r\r"),
              std::string::npos);
}

}  // namespace
}  // namespace qv
