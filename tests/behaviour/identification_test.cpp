#include <gtest/gtest.h>

#include "behaviour/link_fixture.h"

namespace qv::test {
namespace {

using Writes = std::vector<std::pair<double, std::string>>;

class Identification : public LinkTest {};

TEST_F(Identification, AdaFruitBoardFollowsTheTrafficTable) {
    prog().options().HScroll_Toggle_Difference.setValue(2);
    connectTo("AT", 4.9);
    EXPECT_EQ(state(), ConnectionState::Identifying);

    probe(5.0, [this] {
        EXPECT_EQ(state(), ConnectionState::Connected);
        EXPECT_EQ(w->Label_StatusBalk(1).Caption, "Connected");
        EXPECT_EQ(w->Label_StatusBalk(1).BackColor, kGood);
        EXPECT_EQ(w->Label_StatusBalk(10).BackColor, kGood);
        EXPECT_EQ(w->Label_StatusBalk(10).Caption, "115200 Baud");
        EXPECT_EQ(w->IMG_Interface.Picture, pic("Img Arduino Adafruit.bmp"));
        ASSERT_TRUE(prog().zoekenLoaded());
        EXPECT_TRUE(prog().zoeken().visible());
    });
    probe(6.99, [this] {
        EXPECT_FALSE(w->TimerLeesIngangen.enabled()) << "polling waits for the end of the push";
    });
    runTo(7.0);
    EXPECT_EQ(linkWrites(),
              (Writes{{2.0, "90/"}, {5.0, "6/2/"}, {7.0, "20/255/"}, {7.0, "21/0/"}, {7.0, "22/0/"}}));
    EXPECT_TRUE(w->TimerLeesIngangen.enabled());
    EXPECT_FALSE(prog().zoekenLoaded());
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(w->IMGDrukknop(i).Picture, i <= 5 ? pic("Img Trimmer.bmp") : std::string()) << i;
        EXPECT_EQ(w->CMD_LumiLed(i).Picture, pic("Img AdaFruitled.bmp")) << i;
    }

    runTo(7.15);
    EXPECT_DOUBLE_EQ(firstWrite("5/"), 7.1);
    EXPECT_TRUE(rt().messages.empty());
}

TEST_F(Identification, AdaFruitPushSendsTheDialogsToleranceAndTheColourBytes) {
    prog().mod.settings.LedRed = 10;
    prog().mod.settings.LedGreen = 200;
    prog().mod.settings.LedBlue = 0;
    prog().options().HScroll_Toggle_Difference.setValue(40);
    connectTo("AT", 7.0);
    EXPECT_EQ(linkWrites(),
              (Writes{{2.0, "90/"}, {5.0, "6/40/"}, {7.0, "20/10/"}, {7.0, "21/200/"}, {7.0, "22/0/"}}));
}

TEST_F(Identification, ReadingTheToleranceLoadsTheDialogHidden) {
    prog().mod.settings.ToggleDifference = 2;
    prog().unloadOptions();
    connectTo("AT", 5.0);
    ASSERT_TRUE(prog().optionsLoaded());
    EXPECT_FALSE(prog().options().visible());
    EXPECT_EQ(firstWrite("6/2/"), 5.0);
}

TEST_F(Identification, TM1638BoardGetsTheConnectedTextThenPolling) {
    rig.board(3, "TM");
    clickConnect(3);
    probe(6.99, [this] {
        EXPECT_EQ(linkWrites(), (Writes{{2.0, "90/"}, {5.0, "9/ARDUINO /"}}));
        EXPECT_EQ(w->IMG_Interface.Picture, pic("Img tm1638-1.bmp"));
        EXPECT_FALSE(w->TimerLeesIngangen.enabled());
    });

    runTo(7.15);
    EXPECT_TRUE(w->TimerLeesIngangen.enabled());
    EXPECT_DOUBLE_EQ(firstWrite("7/"), 7.1);
    EXPECT_FALSE(prog().zoekenLoaded());
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(w->IMGDrukknop(i).Picture, pic("Img TactSchakelaar.bmp")) << i;
        EXPECT_EQ(w->CMD_LumiLed(i).Picture, pic("Img Led.bmp")) << i;
    }
}

TEST_F(Identification, LumiLedsBoardGetsNothingAndPollsAtOnce) {
    rig.board(3, "ET");
    clickConnect(3);
    runTo(4.9);
    const std::string boardPicture = w->IMG_Interface.Picture;
    runTo(5.15);
    EXPECT_EQ(linkWrites(), (Writes{{2.0, "90/"}}));
    EXPECT_EQ(state(), ConnectionState::Connected);
    EXPECT_DOUBLE_EQ(firstWrite("5/"), 5.1);
    EXPECT_EQ(w->IMG_Interface.Picture, boardPicture);
    EXPECT_FALSE(prog().zoekenLoaded());
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(w->IMGDrukknop(i).Picture, pic("Img TactSchakelaar.bmp")) << i;
        EXPECT_EQ(w->CMD_LumiLed(i).Picture, pic("Img Lumiled.bmp")) << i;
    }
}

TEST_F(Identification, PicturesFollowAReplyThatArrivesDuringThePush) {
    rig.board(3, "AT");
    clickConnect(3);
    probe(6.0, [this] { rt().lastConnection->arrive("TM"); });
    runTo(7.0);
    EXPECT_EQ(prog().nano.InterfaceKind, InterfaceTM1638);
    EXPECT_EQ(countWrites("22/0/"), 1u) << "the push already begun is finished";
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(w->IMGDrukknop(i).Picture, pic("Img TactSchakelaar.bmp")) << i;
        EXPECT_EQ(w->CMD_LumiLed(i).Picture, pic("Img Led.bmp")) << i;
    }
}

struct FailureCase {
    const char* name;
    const char* reply;  // "" = no reply
    int port;
    int forcedKind;  // set directly before the decision when >= 0 (no reply gives it)
    int16_t kindAfter;
    const char* message;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class IdentificationFails : public LinkTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(IdentificationFails, ClosesThePortAndNamesWhatWasFound) {
    const FailureCase& c = GetParam();
    rig.board(c.port, c.reply);
    clickConnect(c.port);
    if (c.forcedKind >= 0)
        rt().at(t0 + 4.0, [this, k = c.forcedKind] { prog().nano.InterfaceKind = static_cast<int16_t>(k); });
    runTo(5.0);

    EXPECT_FALSE(portOpen());
    EXPECT_EQ(state(), ConnectionState::NotConnected);
    EXPECT_EQ(w->CMD_Verbind.Caption, "Connect");
    EXPECT_EQ(w->CMD_Verbind.Picture, pic("Img Verbroken.bmp"));
    EXPECT_TRUE(w->ComboBaudRate.Enabled);
    EXPECT_FALSE(w->TimerLeesIngangen.enabled());
    EXPECT_EQ(w->Label_StatusBalk(1).Caption, "Not connected");
    EXPECT_EQ(w->Label_StatusBalk(1).BackColor, kBad);
    EXPECT_EQ(w->Label_StatusBalk(10).BackColor, kButtonFace);
    EXPECT_EQ(prog().nano.InterfaceKind, c.kindAfter);
    ASSERT_TRUE(prog().zoekenLoaded()) << "hidden, not unloaded";
    EXPECT_FALSE(prog().zoeken().visible());

    ASSERT_EQ(rt().messages.size(), 1u);
    EXPECT_EQ(rt().messages[0].text, c.message);
    EXPECT_EQ(rt().messages[0].style, MsgOkOnly);
    EXPECT_EQ(rt().messages[0].title, kAppTitle);

    runTo(10.0);
    EXPECT_EQ(linkWrites(), (Writes{{2.0, "90/"}}));
    EXPECT_EQ(rt().messages.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, IdentificationFails,
    ::testing::Values(
        FailureCase{"NoReply", "", 3, -1, 0, "No Arduino found on com port 3!"},
        FailureCase{"Zindelmoor", "", 3, 1, 1,
                    "An Arduino was found on com port 3!\rThe loaded .ino is for AdaFruit Zindelmoor."},
        FailureCase{"QuillastraOnCom5", "AC", 5, -1, 2,
                    "An Arduino was found on com port 5!\rThe loaded .ino is for AdaFruit Quillastra."},
        FailureCase{"Brendolyn", "AL", 3, -1, 4,
                    "An Arduino was found on com port 3!\rThe loaded .ino is for AdaFruit Brendolyn."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Identification, TheLastReplyBeforeTheTimeOutDecides) {
    connectTo("AT", 3.0);
    rt().lastConnection->arrive("AC");
    runTo(5.0);
    EXPECT_FALSE(portOpen());
    ASSERT_EQ(rt().messages.size(), 1u);
    EXPECT_EQ(rt().messages[0].text,
              "An Arduino was found on com port 3!\rThe loaded .ino is for AdaFruit Quillastra.");
}

}  // namespace
}  // namespace qv::test
