#include <gtest/gtest.h>

#include "behaviour/link_fixture.h"

namespace qv::test {
namespace {

constexpr Color kDesignHeaderText = 0xFFC0C0;
constexpr Color kCheckingText = 0xFFFF80;

class SearchWindow : public LinkTest {
protected:
    FormZoeken& z() { return prog().zoeken(); }
    double width() { return z().Picture_Arduino.Width; }
};

TEST_F(SearchWindow, ConnectRevealsTheBoardTenAtATimeUpToItsFullWidth) {
    rig.board(3, "");
    clickConnect(3);
    probe(0.001, [this] {
        EXPECT_EQ(z().Label_Kop.Caption, "Searching");
        EXPECT_EQ(z().Label_Kop.ForeColor, kDesignHeaderText);
        EXPECT_EQ(width(), 0);
        EXPECT_TRUE(z().Timer_Zoeken.enabled());
    });
    probe(0.105, [this] {
        EXPECT_EQ(width(), 100);
        EXPECT_EQ(z().Picture_Arduino.repaints, 10);
    });
    probe(3.505, [this] { EXPECT_EQ(width(), 3500); });
    runTo(4.9);
    EXPECT_EQ(width(), 3510);
    EXPECT_EQ(z().Picture_Arduino.repaints, 351);
    EXPECT_TRUE(z().Timer_Zoeken.enabled()) << "the timer ticks on at the end";
}

TEST_F(SearchWindow, AReplyShowsCheckingWhileTheRevealGoesOn) {
    connectTo("TM", 2.1);
    EXPECT_EQ(z().Label_Kop.Caption, "Checking");
    EXPECT_EQ(z().Label_Kop.ForeColor, kCheckingText);
    const double w1 = width();
    runTo(2.2);
    EXPECT_GT(width(), w1);
}

TEST_F(SearchWindow, DisconnectAfterSuccessWipesAFreshWindowToNothing) {
    connectTo("ET", 6.0);
    ASSERT_FALSE(prog().zoekenLoaded());
    clickAt(10.0);
    probe(10.001, [this] {
        ASSERT_TRUE(prog().zoekenLoaded());
        EXPECT_TRUE(z().visible());
        EXPECT_EQ(z().Label_Kop.Caption, "Closing");
        EXPECT_EQ(z().Label_Kop.ForeColor, kDesignHeaderText);
        EXPECT_EQ(width(), 3510);
    });
    probe(10.105, [this] { EXPECT_EQ(width(), 3510 - 300); });
    probe(11.165, [this] { EXPECT_EQ(width(), 30); });
    probe(11.175, [this] { EXPECT_EQ(width(), 0); });
    probe(11.99, [this] { EXPECT_EQ(width(), 0); });
    runTo(12.0);
    EXPECT_FALSE(z().visible());
    EXPECT_FALSE(z().Timer_Zoeken.enabled());
}

TEST_F(SearchWindow, AReplyWhileConnectedColoursTheNextClosing) {
    connectTo("ET", 6.0);
    rt().lastConnection->arrive("ET");
    runTo(6.1);
    ASSERT_TRUE(prog().zoekenLoaded());
    EXPECT_FALSE(z().visible());
    EXPECT_EQ(z().Label_Kop.Caption, "Checking");

    clickAt(6.2);
    probe(6.25, [this] {
        EXPECT_TRUE(z().visible());
        EXPECT_EQ(z().Label_Kop.Caption, "Closing");
        EXPECT_EQ(z().Label_Kop.ForeColor, kCheckingText);
    });
    runTo(9.0);
    EXPECT_FALSE(z().visible());
}

TEST_F(SearchWindow, ConnectAfterAFailedIdentificationSearchesAfresh) {
    connectTo("", 5.0);
    ASSERT_TRUE(prog().zoekenLoaded());
    EXPECT_FALSE(z().visible());
    EXPECT_EQ(width(), 3510);

    clickConnect(3);
    probe(0.001, [this] {
        EXPECT_TRUE(z().visible());
        EXPECT_EQ(z().Label_Kop.Caption, "Searching");
        EXPECT_EQ(width(), 0);
    });
    runTo(0.5);
}

// The mode follows the port at the moment of activation: once the port is open, even
// during identification, coming back to the front starts the wipe.
TEST_F(SearchWindow, BringingItBackToTheFrontRestartsTheModeByThePortState) {
    rig.board(3, "TM");
    clickConnect(3);
    probe(1.0, [this] {
        w->activate();
        z().activate();
        EXPECT_EQ(z().Label_Kop.Caption, "Closing");
        EXPECT_EQ(width(), 3510);
    });
    probe(1.105, [this] { EXPECT_EQ(width(), 3510 - 300); });
    runTo(2.5);
    ASSERT_EQ(z().Label_Kop.Caption, "Checking");

    w->activate();
    z().activate();
    EXPECT_EQ(z().Label_Kop.Caption, "Closing");
    EXPECT_EQ(z().Label_Kop.ForeColor, kCheckingText);
    EXPECT_EQ(width(), 3510);
}

TEST_F(SearchWindow, AWindowNeverActivatedDoesNotAnimate) {
    FormZoeken& fresh = z();
    EXPECT_EQ(fresh.WidthStep, 0);
    const double before = fresh.Picture_Arduino.Width;
    fresh.Timer_Zoeken.onTimer();
    EXPECT_EQ(fresh.Picture_Arduino.Width, before);
    EXPECT_EQ(fresh.Picture_Arduino.repaints, 0);
}

}  // namespace
}  // namespace qv::test
