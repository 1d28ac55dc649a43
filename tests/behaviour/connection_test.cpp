#include <gtest/gtest.h>

#include "behaviour/link_fixture.h"

namespace qv::test {
namespace {

using Writes = std::vector<std::pair<double, std::string>>;

class Connection : public LinkTest {};

TEST_F(Connection, ConnectOpensSettlesThenAsksForTheSketch) {
    rig.board(3, "AT");
    prog().nano.InterfaceKind = InterfaceBrendolyn;
    clickConnect(3);
    probe(0.001, [this] {
        EXPECT_TRUE(portOpen());
        EXPECT_EQ(w->Serialport.CommPort, 3);
        EXPECT_EQ(w->Serialport.Settings, "115200,N,8,1");
        EXPECT_EQ(prog().nano.ComPortNumber, 3);
        EXPECT_EQ(w->CMD_Verbind.Caption, "Disconnect");
        EXPECT_EQ(w->CMD_Verbind.Picture, pic("Img Verbonden.bmp"));
        EXPECT_FALSE(w->ComboBaudRate.Enabled);
        ASSERT_TRUE(prog().zoekenLoaded());
        EXPECT_TRUE(prog().zoeken().visible());
    });
    probe(1.99, [this] {
        EXPECT_EQ(state(), ConnectionState::Opening);
        EXPECT_TRUE(rt().writes.empty());
        EXPECT_EQ(prog().nano.InterfaceKind, InterfaceBrendolyn);
    });
    runTo(2.0);
    EXPECT_EQ(linkWrites(), (Writes{{2.0, "90/"}}));
    EXPECT_EQ(prog().nano.InterfaceKind, InterfaceNone);
    EXPECT_TRUE(w->Timer_CheckInterface.enabled());
    EXPECT_EQ(state(), ConnectionState::Identifying);
}

TEST_F(Connection, ChosenBaudRateLabelsCell10AndOpensAtThatRate) {
    rig.board(3, "AT");
    rt().choose(w->ComboBaudRate, "9600");
    EXPECT_EQ(w->Label_StatusBalk(10).Caption, "9600 Baud");
    clickConnect(3);
    runTo(1.0);
    EXPECT_TRUE(portOpen());
    EXPECT_EQ(w->Serialport.Settings, "9600,N,8,1");
}

TEST_F(Connection, NoPortInTheListShowsAMessageAndOpensNothing) {
    rt().existingPorts.insert(3);
    for (const char* text : {"Not found", "Com Poorts"}) {
        rt().messages.clear();
        w->ComboPoorten.Text = text;
        rt().click(w->CMD_Verbind);
        ASSERT_EQ(rt().messages.size(), 1u) << text;
        EXPECT_EQ(rt().messages[0].text, "No Com port found, so a connection can't be made!");
        EXPECT_EQ(rt().messages[0].style, MsgOkOnly);
        EXPECT_EQ(rt().messages[0].title, kAppTitle);
    }
    rt().runFor(5);
    EXPECT_EQ(rt().openCount, 0);
    EXPECT_EQ(w->CMD_Verbind.Caption, "Connect");
    EXPECT_FALSE(prog().zoekenLoaded());
    EXPECT_TRUE(rt().writes.empty());
}

TEST_F(Connection, AFailedOpenEndsNotConnectedAndSaysWhy) {
    rig.board(3, "AT");
    rt().refuseOpen[3] = "the port is in use";
    clickConnect(3);
    runTo(0.001);
    expectDisconnectedScreen();
    ASSERT_EQ(rt().messages.size(), 1u);
    EXPECT_EQ(rt().messages[0].text, "Com 3 could not be opened:\rthe port is in use");
    EXPECT_EQ(rt().messages[0].style, MsgCritical);
    EXPECT_EQ(rt().messages[0].title, kAppTitle);
    runTo(10);
    EXPECT_TRUE(rt().writes.empty());
    EXPECT_EQ(rt().messages.size(), 1u);
}

TEST_F(Connection, DisconnectSendsTheClosingTextAndRestoresTheScreen) {
    prog().options().CMD_TM1638v1_1.Caption = "TM1638 V1.3";
    prog().nano.TM1638V11 = false;
    prog().nano.TM1638LedRed = false;
    sim::SketchBoard& board = connectTo("AT", 9.5);
    ASSERT_EQ(state(), ConnectionState::Connected);
    board.answerPolls = false;
    w->Shape_Ingang(2).Width = 700;
    w->Label_Drukknop(4).Tag = "False";
    w->Label_Drukknop(4).BackColor = kBad;
    w->Label_AIn(2).Caption = "517";
    size_t before = 0;
    probe(10.0, [&] { before = rt().writes.size(); });
    clickAt(10.0);
    probe(10.001, [this] {
        EXPECT_EQ(state(), ConnectionState::Closing);
        EXPECT_TRUE(prog().zoeken().visible());
        EXPECT_EQ(prog().zoeken().Label_Kop.Caption, "Closing");
    });
    probe(11.99, [this] {
        EXPECT_TRUE(portOpen());
        EXPECT_EQ(state(), ConnectionState::Closing);
    });
    runTo(12.0);

    EXPECT_EQ(firstWrite("9/ in out /", 10.0), 10.0);
    // Only the LED-off frames come before the closing text; only polls after it.
    bool seen = false;
    for (size_t i = before; i < rt().writes.size(); ++i) {
        const std::string& b = rt().writes[i].bytes;
        if (b == "9/ in out /")
            seen = true;
        else if (seen)
            EXPECT_EQ(b, "5/");
        else
            EXPECT_TRUE(b == "1/0/" || b == "4/0/") << b;
    }
    expectDisconnectedScreen();
    EXPECT_EQ(prog().nano.InterfaceKind, InterfaceNone);
    EXPECT_EQ(prog().options().CMD_TM1638v1_1.Caption, "TM1638 V1.1");
    EXPECT_TRUE(prog().nano.TM1638V11);
    EXPECT_FALSE(prog().nano.TM1638LedRed);
    for (int i = 1; i <= 8; ++i) {
        EXPECT_EQ(w->Shape_Ingang(i).Width, 1) << i;
        EXPECT_EQ(w->IMGDrukknop(i).Picture, pic("Img Trimmer.bmp")) << i;
        EXPECT_EQ(w->Label_Drukknop(i).BackColor, kWindowBack) << i;
    }
    EXPECT_EQ(w->Label_Drukknop(4).Tag, "False");
    EXPECT_EQ(w->Label_AIn(2).Caption, "517");
    EXPECT_TRUE(rt().messages.empty());
    const size_t closed = rt().writes.size();
    runTo(20.0);
    EXPECT_EQ(rt().writes.size(), closed);
}

// --- clicks inside the waits -------------------------------------------------------

TEST_F(Connection, DisconnectInsideTheSettleWaitNeverAsksForTheSketch) {
    rig.board(3, "AT");
    clickConnect(3);
    clickAt(1.0);
    probe(2.99, [this] { EXPECT_EQ(state(), ConnectionState::Closing); });
    runTo(10.0);
    EXPECT_EQ(linkWrites(), (Writes{{1.0, "9/ in out /"}}));
    EXPECT_EQ(countWrites("90/"), 0u);
    expectDisconnectedScreen();
    EXPECT_TRUE(rt().messages.empty());
}

TEST_F(Connection, ASecondDisconnectInsideTheClosingWaitSendsAgainAndCloses) {
    connectTo("ET", 9.0);
    clickAt(10.0);
    clickAt(11.0);
    probe(12.5, [this] { EXPECT_TRUE(portOpen()) << "the inner disconnect's wait runs until 13"; });
    runTo(13.0);
    EXPECT_EQ(linkWrites(), (Writes{{2.0, "90/"}, {10.0, "9/ in out /"}, {11.0, "9/ in out /"}}));
    expectDisconnectedScreen();
    EXPECT_EQ(rt().openCount, 1);
}

TEST_F(Connection, DisconnectInTheIdentificationWindowIsNeverDecided) {
    connectTo("AT", 3.5);
    EXPECT_EQ(state(), ConnectionState::Identifying);
    clickAt(3.5);
    runTo(10.0);
    EXPECT_EQ(linkWrites(), (Writes{{2.0, "90/"}, {3.5, "9/ in out /"}}));
    EXPECT_TRUE(rt().messages.empty());
    expectDisconnectedScreen();
}

TEST_F(Connection, DisconnectDuringTheAdaFruitPushSendsNoColour) {
    rig.board(3, "AT");
    clickConnect(3);
    probe(6.0, [this] { EXPECT_EQ(state(), ConnectionState::Connected); });
    clickAt(6.0);
    runTo(10.0);
    EXPECT_EQ(linkWrites(), (Writes{{2.0, "90/"}, {5.0, "6/2/"}, {6.0, "9/ in out /"}}));
    expectDisconnectedScreen();
    EXPECT_EQ(countWrites("5/"), 0u) << "polling never started";
}

TEST_F(Connection, AQueuedSecondClickCallsTheConnectionOffBeforeItOpens) {
    rig.board(3, "AT");
    // A double click: the second click waits in the queue while the first one runs.
    clickConnect(3);
    clickAt(0);
    runTo(10.0);
    EXPECT_EQ(rt().openCount, 0);
    EXPECT_TRUE(rt().writes.empty());
    expectDisconnectedScreen();
}

// --- the device vanishes -----------------------------------------------------------

struct LostCase {
    const char* name;
    const char* code;
    double unplugAt;
    double disconnectAt;  // < 0: none
};

void PrintTo(const LostCase& c, std::ostream* os) { *os << c.name; }

class ConnectionLost : public LinkTest, public ::testing::WithParamInterface<LostCase> {};

TEST_P(ConnectionLost, EndsNotConnectedWritesNothingMoreAndSaysSo) {
    const LostCase& c = GetParam();
    rig.board(3, c.code);
    prog().nano.TM1638V11 = false;
    clickConnect(3);
    if (c.disconnectAt >= 0) clickAt(c.disconnectAt);
    probe(c.unplugAt, [this] { rt().lastConnection->unplug(); });
    size_t written = 0;
    probe(c.unplugAt + 0.0005, [&] {
        written = rt().writes.size();
        expectDisconnectedScreen();
        EXPECT_EQ(prog().nano.InterfaceKind, InterfaceNone);
        EXPECT_TRUE(prog().nano.TM1638V11);
        ASSERT_EQ(rt().messages.size(), 1u);
        EXPECT_EQ(rt().messages[0].text, "The connection to COM3 was lost.\rthe device was removed");
        EXPECT_EQ(rt().messages[0].style, MsgCritical);
        EXPECT_EQ(rt().messages[0].title, kAppTitle);
    });

    runTo(20.0);
    EXPECT_EQ(rt().writes.size(), written);
    EXPECT_EQ(rt().messages.size(), 1u);
    expectDisconnectedScreen();
}

INSTANTIATE_TEST_SUITE_P(Phases, ConnectionLost,
                         ::testing::Values(LostCase{"SettleWait", "AT", 1.0, -1},
                                           LostCase{"IdentificationWindow", "AT", 3.5, -1},
                                           LostCase{"PushWait", "AT", 6.0, -1},
                                           LostCase{"Connected", "AT", 9.05, -1},
                                           LostCase{"ClosingWait", "TM", 11.0, 10.0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qv::test
