// The polling tick and the receive handler: what goes to the board on each tick, and
// how each received message is read and classified.
#include "behaviour/connected_board.h"
#include "link/timings.h"
#include "windows/form_zoeken.h"

namespace qv::test {
namespace {

using Polling = ConnectedBoard;

// Runs `n` ticks; per tick, the index before it and whether it wrote anything.
struct Tick {
    int index;
    std::string sent;
};
std::vector<Tick> tick(Rig& rig, int n) {
    std::vector<Tick> out;
    for (int i = 0; i < n; ++i) {
        const size_t before = rig.rt.writes.size();
        const int index = rig.w().AnalogPollIndex;
        rig.w().TimerLeesIngangen.onTimer();
        out.push_back({index, rig.rt.writtenText(before)});
    }
    return out;
}

TEST_F(Polling, AnalogKindsSkipTheTurnOfADisabledPanelButKeepTheIndexStepping) {
    for (int16_t kind : {InterfaceAdaFruit, InterfaceLumiLeds}) {
        prog().nano.InterfaceKind = kind;
        w->AnalogPollIndex = 0;
        for (int i = 1; i <= 5; ++i) w->Label_Drukknop(i).Tag = "False";
        for (const Tick& t : tick(rig, 6)) EXPECT_EQ(t.sent, "");
        EXPECT_EQ(w->AnalogPollIndex, 1) << "index steps 0,1,2,3,4,0 and on";

        for (int i = 1; i <= 5; ++i) w->Label_Drukknop(i).Tag = i == 3 ? "False" : "True";
        w->AnalogPollIndex = 0;
        for (const Tick& t : tick(rig, 10))
            EXPECT_EQ(t.sent, t.index == 2 ? "" : "5/") << "index " << t.index;
    }
}

TEST_F(Polling, ABoardThatNeverStopsSendingNeitherHangsNorNestsWithoutEnd) {
    // A sketch printing without pause: whenever the program processes events, more
    // characters have arrived. Each arrival raises its receive event inside the drain of
    // the one before; unbounded, that nests a handler per arrival until the stack is gone.
    for (int i = 0; i < 50000; ++i)
        rig.rt.lastConnection->arrive("A2600xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx");
    rig.rt.runFor(0.001);
    EXPECT_EQ(w->Label_AIn(3).Caption, "600");
    EXPECT_EQ(w->Serialport.InBufferCount(), 0) << "every character was read in the end";
}

TEST_F(Polling, KeyBoardPollsEveryTickWhateverThePanels) {
    prog().nano.InterfaceKind = InterfaceTM1638;
    for (int i = 1; i <= 8; ++i) w->Label_Drukknop(i).Tag = "False";
    for (const Tick& t : tick(rig, 7)) EXPECT_EQ(t.sent, "7/");
    EXPECT_EQ(w->AnalogPollIndex, 0);
}

TEST_F(Polling, OtherKindsAndAClosedPortSendNothingAndKeepTheIndex) {
    w->AnalogPollIndex = 2;
    for (int16_t kind : {0, 1, 2, 4}) {
        prog().nano.InterfaceKind = kind;
        for (const Tick& t : tick(rig, 3)) EXPECT_EQ(t.sent, "");
    }
    prog().nano.InterfaceKind = InterfaceAdaFruit;
    w->Serialport.closePort();
    for (const Tick& t : tick(rig, 3)) EXPECT_EQ(t.sent, "");
    EXPECT_EQ(w->AnalogPollIndex, 2);
}

TEST_F(Polling, TimerPollsTheBoardAndItsAnswersReachThePanels) {
    const int values[5] = {100, 300, 600, 900, 1023};
    for (int c = 0; c < 5; ++c) board->analog[c] = values[c];
    const double t0 = rig.rt.now();
    w->TimerLeesIngangen.setEnabled(true);
    rig.rt.runFor(0.55);
    ASSERT_EQ(rig.rt.writes.size(), 5u);
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(rig.rt.writes[i].bytes, "5/");
        EXPECT_NEAR(rig.rt.writes[i].t - t0, kPollIntervalMs / 1000.0 * double(i + 1), 1e-9);
    }
    for (int p = 1; p <= 5; ++p) EXPECT_EQ(w->Label_AIn(p).Caption, std::to_string(values[p - 1]));
    EXPECT_EQ(sounds(), (std::vector<std::string>{"SndBtn03", "SndBtn04", "SndBtn05"}));
}

TEST_F(Polling, EachReceiveEventIsOneMessageClassifiedByItsStart) {
    receive("A1512A2300");
    EXPECT_EQ(w->Label_AIn(2).Caption, "512");
    EXPECT_EQ(w->Label_AIn(3).Caption, "0") << "a second reply in the same message is not seen";

    receive("A2999");
    rig.rt.lastConnection->arrive("A2", 0.010);
    rig.rt.lastConnection->arrive("75", 0.020);
    rig.rt.runFor(0.03);
    EXPECT_EQ(w->Label_AIn(3).Caption, "0") << "a split reply is two messages, never joined";

    receive("DI5A0900");
    EXPECT_EQ(w->LastInputValue, 5);
    EXPECT_EQ(w->Label_AIn(1).Caption, "1") << "only the key report is read";

    const std::string before = w->Label_AIn(4).Caption;
    for (const char* junk : {"A", "D", "a3100", "A5100", "X"}) receive(junk);
    EXPECT_EQ(w->Label_AIn(4).Caption, before);
    EXPECT_EQ(w->LastInputValue, 5);
    EXPECT_EQ(prog().nano.InterfaceKind, InterfaceAdaFruit);
}

TEST_F(Polling, ReceiveEventDuringTheDrainIsHandledFirstAsItsOwnMessage) {
    prog().mod.settings.BinaryToggleValue = 0;
    rig.rt.lastConnection->arrive("A1100", 0.010);
    rig.rt.lastConnection->arrive("A2200", 0.010);  // raises its event while the first drains
    rig.rt.runFor(0.02);
    EXPECT_EQ(w->Label_AIn(2).Caption, "100");
    EXPECT_EQ(w->Label_AIn(3).Caption, "200");
    EXPECT_EQ(sounds(), (std::vector<std::string>{"SndBtn03", "SndBtn02"}));
}

TEST_F(Polling, ClickDuringTheDrainIsSeenByTheReport) {
    rig.rt.lastConnection->arrive("A1900", 0.010);
    rig.rt.at(rig.rt.now() + 0.010, [&] { rig.rt.click(w->IMGDrukknop(2)); });
    rig.rt.runFor(0.02);
    EXPECT_EQ(w->Label_Drukknop(2).Tag, "False");
    EXPECT_EQ(w->Label_AIn(2).Caption, "0");
    EXPECT_TRUE(sounds().empty());
}

TEST_F(Polling, IdentificationRepliesSetTheKindAndTheSearchWindow) {
    prog().nano.InterfaceKind = InterfaceNone;
    receive("AL");
    EXPECT_EQ(prog().nano.InterfaceKind, InterfaceBrendolyn);
    EXPECT_FALSE(prog().zoekenLoaded()) << "only AT, ET and TM touch the search window";

    receive("AT and more");
    EXPECT_EQ(prog().nano.InterfaceKind, InterfaceAdaFruit);
    EXPECT_EQ(prog().nano.PushButtonKind, 2);
    EXPECT_EQ(w->IMG_Interface.Picture, pic("Img Arduino Adafruit.bmp"));
    ASSERT_TRUE(prog().zoekenLoaded());
    EXPECT_EQ(prog().zoeken().Label_Kop.Caption, "Checking");
    EXPECT_EQ(prog().zoeken().Label_Kop.ForeColor, 0xFFFF80);
    EXPECT_FALSE(prog().zoeken().visible()) << "loaded hidden; only the connect sequence shows it";

    receive("AC");
    EXPECT_EQ(prog().nano.InterfaceKind, InterfaceQuillastra) << "the last reply decides";
    EXPECT_EQ(prog().nano.PushButtonKind, 2);

    prog().nano.InterfaceKind = InterfaceAdaFruit;
    prog().unloadZoeken();
    receive("TM");
    EXPECT_EQ(prog().nano.InterfaceKind, InterfaceTM1638);
    EXPECT_EQ(prog().nano.PushButtonKind, 1);
    EXPECT_EQ(prog().zoeken().Label_Kop.Caption, "Checking");
    EXPECT_EQ(tick(rig, 1)[0].sent, "7/");

    receive("ET");
    EXPECT_EQ(prog().nano.InterfaceKind, InterfaceLumiLeds);
    EXPECT_EQ(prog().nano.PushButtonKind, 1);
}

TEST_F(Polling, NoSoundWithTheOptionOffOrWithoutADeviceButThePanelsChange) {
    setSound(false, 1);
    receive("A0900");
    EXPECT_EQ(w->Label_Drukknop(1).BackColor, kGood);
    setSound(true, 0);
    receive("A1900");
    EXPECT_EQ(w->Label_Drukknop(2).BackColor, kGood);
    receive("DI4");
    EXPECT_EQ(w->Label_Drukknop(3).BackColor, kGood);
    EXPECT_TRUE(sounds().empty());
}

TEST_F(Polling, KeyMaskThatDoesNotFitSixteenBitsIsIgnored) {
    receive("DI3");
    const size_t played = rig.rt.sounds.size();
    receive("DI70000");
    EXPECT_EQ(w->LastInputValue, 3);
    EXPECT_EQ(w->Label_AIn(1).Caption, "1");
    EXPECT_EQ(rig.rt.sounds.size(), played);
}

}  // namespace
}  // namespace qv::test
