// The main window's start-up, its two ways of ending the program and the settings
// button.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "board/protocol.h"
#include "support/rig.h"

namespace qv::test {
namespace {

bool contains(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}

class Startup : public ::testing::Test {
protected:
    FormQuorvane& start() {
        rig.writeStandardSettings();
        return rig.start();
    }
    Rig rig;
};

TEST_F(Startup, BannerIsPrintedThreeTimesWithTheLastOnTop) {
    FormQuorvane& w = start();
    const auto& p = w.Picture_Kop.printed;
    ASSERT_EQ(p.size(), 3u);
    const struct {
        Color color;
        int x, y;
    } expected[] = {{0x00C000, 66, 8}, {0xE0E0E0, 64, 6}, {0xFFC0C0, 65, 7}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(p[i].text, "Arduino Nano interface.");
        EXPECT_EQ(p[i].color, expected[i].color) << i;
        EXPECT_EQ(p[i].x, expected[i].x) << i;
        EXPECT_EQ(p[i].y, expected[i].y) << i;
    }
}

TEST_F(Startup, WindowShowsWithEmptyBarsFullScaleFromTheDesignAndTheBoardPicture) {
    FormQuorvane& w = start();
    EXPECT_TRUE(w.visible());
    EXPECT_EQ(w.AnalogPollIndex, 0);
    EXPECT_EQ(w.AnalogBarWidth, 1440);
    for (int n = 1; n <= 8; ++n) {
        EXPECT_EQ(w.Shape_Ingang(n).Width, 15) << n;
        EXPECT_EQ(w.Label_AIn(n).Caption, "0") << n;
    }
    EXPECT_EQ(rig.prog->nano.PushButtonKind, 2);
    EXPECT_TRUE(rig.prog->nano.TM1638V11);
    EXPECT_TRUE(rig.prog->nano.TM1638LedRed);
    EXPECT_EQ(w.IMG_Interface.Picture, rig.program.file("Pictures/Img Arduino Nano Small.bmp"));
    EXPECT_EQ(w.CMD_LumiLed(1).Picture, "design:led") << "the LED buttons keep their design picture";
    EXPECT_EQ(w.CMD_Verbind.Caption, "Connect");
    EXPECT_FALSE(w.Serialport.PortOpen());
    EXPECT_FALSE(w.TimerLeesIngangen.enabled());
    EXPECT_FALSE(w.Timer_CheckInterface.enabled());
    EXPECT_FALSE(rig.prog->zoekenLoaded());
}

TEST_F(Startup, LayoutIsRecordedLastWithTheBarsAlreadyEmptied) {
    FormQuorvane& w = start();
    ASSERT_EQ(w.SavedLayout.size(), w.Controls().size() + 1);
    for (const auto& r : w.SavedLayout) {
        if (r.Ctl && r.Ctl->name == "Shape_Ingang") {
            EXPECT_EQ(r.Width, 15.0f);
        }
    }
}

TEST_F(Startup, BoardFlagsAreSetBackAfterTheSettingsAreRead) {
    rig.writeStandardSettings();
    rig.prog = std::make_unique<Application>(rig.rt);
    rig.prog->nano.TM1638V11 = false;
    rig.prog->nano.TM1638LedRed = false;
    rig.prog->quorvane().Form_Load();
    EXPECT_TRUE(rig.prog->nano.TM1638V11);
    EXPECT_TRUE(rig.prog->nano.TM1638LedRed);
}

class Closing : public Startup {
protected:
    void SetUp() override {
        w = &start();
        lightLed(2);
    }
    void lightLed(int n) {
        w->Label_LumiLed(n).BackColor = 0x0000FF;
        w->LedLit[static_cast<size_t>(n)] = true;
    }
    // A board on COM3 running the AdaFruit sketch, as a connection leaves it.
    void connectDirectly() {
        rig.board(3, "AT");
        rig.prog->nano.InterfaceKind = InterfaceAdaFruit;
        w->Serialport.CommPort = 3;
        ASSERT_TRUE(w->Serialport.openPort());
        w->CMD_Verbind.Caption = "Disconnect";
    }
    FormQuorvane* w = nullptr;
};

TEST_F(Closing, CloseIsRefusedWhileTheConnectButtonReadsDisconnect) {
    w->CMD_Verbind.Caption = "Disconnect";
    rig.rt.click(w->CMD_Close);
    ASSERT_EQ(rig.rt.messages.size(), 1u);
    EXPECT_EQ(rig.rt.messages[0].text, "Please disconnect before closing.");
    EXPECT_EQ(rig.rt.messages[0].style, MsgOkOnly);
    EXPECT_EQ(rig.rt.messages[0].title, kAppTitle);
    EXPECT_FALSE(rig.rt.quitRequested);
    EXPECT_EQ(w->Label_LumiLed(2).BackColor, 0x0000FF) << "nothing else happens";
}

TEST_F(Closing, CloseDarkensTheLedsThenQuits) {
    rig.rt.click(w->CMD_Close);
    EXPECT_TRUE(rig.rt.messages.empty());
    EXPECT_TRUE(rig.rt.quitRequested);
    for (int n = 1; n <= 8; ++n) EXPECT_EQ(w->Label_LumiLed(n).BackColor, kWindowBack) << n;
}

TEST_F(Closing, ClosingTheWindowWhileConnectedSendsOnlyTheLedsOff) {
    connectDirectly();
    const size_t before = rig.rt.writes.size();
    w->Form_Unload();
    EXPECT_TRUE(rig.rt.quitRequested);
    EXPECT_TRUE(rig.rt.messages.empty());
    EXPECT_EQ(rig.rt.writtenText(before), protocol::LedMaskCommand(0));
    EXPECT_EQ(rig.rt.writtenText().find(protocol::kDisconnectText), std::string::npos);
    EXPECT_EQ(w->Label_LumiLed(2).BackColor, kWindowBack);
}

TEST_F(Closing, SettingsButtonDarkensTheLedsDisablesTheWindowAndShowsTheDialog) {
    connectDirectly();
    const size_t before = rig.rt.writes.size();
    rig.rt.click(w->CMD_Settings);
    ASSERT_GT(rig.rt.writes.size(), before);
    EXPECT_EQ(rig.rt.writes[before].bytes, protocol::LedMaskCommand(0))
        << "the LEDs go dark before the dialog";
    EXPECT_EQ(w->Label_LumiLed(2).BackColor, kWindowBack);
    EXPECT_FALSE(w->Enabled);
    EXPECT_TRUE(contains(rig.rt.formEvents, "shown FormOptions"));
    ASSERT_TRUE(rig.prog->optionsLoaded());
    EXPECT_TRUE(rig.prog->options().visible());

    w->CMD_Verbind.Caption = "Connect";
    rig.rt.click(w->CMD_Close);
    EXPECT_FALSE(rig.rt.quitRequested) << "the disabled main window takes no clicks";
}

}  // namespace
}  // namespace qv::test
