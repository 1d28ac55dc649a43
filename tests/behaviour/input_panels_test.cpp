// The input panels as the board's reports and the user's clicks drive them: bar,
// number, on/off colour, picture and the button sound chosen.
#include "behaviour/connected_board.h"

namespace qv::test {
namespace {

using InputPanels = ConnectedBoard;
using Names = std::vector<std::string>;

TEST_F(InputPanels, AnalogBarAndNumberFollowEveryReading) {
    receive("A3517");
    EXPECT_EQ(w->Label_AIn(4).Caption, "517");
    EXPECT_EQ(w->Shape_Ingang(4).Width, static_cast<double>(static_cast<float>(517.0 * 1440 / 1023)));

    receive("A21023");
    EXPECT_EQ(w->Shape_Ingang(3).Width, 1440);
    receive("A0");
    EXPECT_EQ(w->Label_AIn(1).Caption, "0");
    EXPECT_EQ(w->Shape_Ingang(1).Width, 0);
    receive("A12046");
    EXPECT_EQ(w->Shape_Ingang(2).Width, 2880) << "not clamped at full scale";
    receive("A4 5 1 2.5");
    EXPECT_EQ(w->Label_AIn(5).Caption, "512") << "blanks dropped; the field ends at character 8";
    receive("A4512.5");
    EXPECT_EQ(w->Label_AIn(5).Caption, "512") << "a half goes to the even neighbour";
    receive("A4513.5");
    EXPECT_EQ(w->Label_AIn(5).Caption, "514");
    EXPECT_EQ(w->Shape_Ingang(5).Width, static_cast<double>(static_cast<float>(513.5 * 1440 / 1023)))
        << "the bar follows the unrounded reading";
}

TEST_F(InputPanels, AnalogStateChangesOnlyAtAThresholdCrossing) {
    for (const char* r : {"A0600", "A0700", "A0800"}) receive(r);
    EXPECT_EQ(w->Label_Drukknop(1).BackColor, kGood);
    EXPECT_EQ(w->IMGDrukknop(1).Picture, pic("Img Trimmer Flip.bmp"));
    receive("A0100");
    EXPECT_EQ(w->Label_Drukknop(1).BackColor, kWindowBack);
    EXPECT_EQ(w->IMGDrukknop(1).Picture, pic("Img Trimmer.bmp"));
    EXPECT_EQ(sounds(), Names{"SndBtn01"}) << "one sound at 600, none when it turns off";

    prog().nano.PushButtonKind = 1;
    receive("A1512");
    EXPECT_EQ(w->Label_Drukknop(2).BackColor, kGood) << "a reading equal to the threshold is on";
    EXPECT_EQ(w->IMGDrukknop(2).Picture, pic("Img TactSchakelaar Aan.bmp"));
    receive("A1511");
    EXPECT_EQ(w->IMGDrukknop(2).Picture, pic("Img TactSchakelaar.bmp"));

    prog().nano.PushButtonKind = 0;
    const std::string design = w->IMGDrukknop(3).Picture;
    receive("A2900");
    EXPECT_EQ(w->Label_Drukknop(3).BackColor, kGood);
    EXPECT_EQ(w->IMGDrukknop(3).Picture, design) << "no picture for an unknown kind";
}

TEST_F(InputPanels, ThresholdAtTheEndsOfItsRange) {
    prog().mod.settings.BinaryToggleValue = 1024;
    receive("A01023");
    EXPECT_EQ(w->Label_Drukknop(1).BackColor, kWindowBack);
    prog().mod.settings.BinaryToggleValue = 0;
    receive("A10");
    EXPECT_EQ(w->Label_Drukknop(2).BackColor, kGood);
    EXPECT_EQ(sounds(), Names{"SndBtn02"});
}

TEST_F(InputPanels, AnalogReadingsTheDisplayCannotShowAreIgnored) {
    receive("A0700");
    const auto played = sounds();
    for (const char* r : {"A040000", "A0-5", "A0-0.6", "A01e9"}) {
        receive(r);
        EXPECT_EQ(w->Label_AIn(1).Caption, "700") << r;
        EXPECT_EQ(w->Shape_Ingang(1).Width, static_cast<double>(static_cast<float>(700.0 * 1440 / 1023)))
            << r;
        EXPECT_EQ(w->Label_Drukknop(1).BackColor, kGood) << r;
    }
    EXPECT_EQ(sounds(), played);
}

TEST_F(InputPanels, KeyReportRedrawsEnabledPanelsOnAChangedMask) {
    receive("DI0");
    EXPECT_EQ(w->IMGDrukknop(1).Picture, "design:trimmer") << "mask 0 after start-up redraws nothing";

    const double bar = w->Shape_Ingang(1).Width;
    receive("DI5");
    for (int p = 1; p <= 8; ++p) {
        const bool on = p == 1 || p == 3;
        EXPECT_EQ(w->Label_AIn(p).Caption, on ? "1" : "0") << p;
        EXPECT_EQ(w->Label_Drukknop(p).BackColor, on ? kGood : kWindowBack) << p;
        EXPECT_EQ(w->IMGDrukknop(p).Picture,
                  pic(on ? "Img TactSchakelaar Aan.bmp" : "Img TactSchakelaar.bmp"));
    }
    EXPECT_EQ(w->Shape_Ingang(1).Width, bar) << "the bars are not touched";

    receive("DI256");
    for (int p = 1; p <= 8; ++p) EXPECT_EQ(w->Label_Drukknop(p).BackColor, kWindowBack) << p;
    EXPECT_EQ(w->LastInputValue, 256);
    EXPECT_EQ(sounds(), Names{"SndBtn03"}) << "mask 256 lights nothing and sounds nothing";
}

TEST_F(InputPanels, KeySoundIsTheHighestEnabledKeyDown) {
    for (const char* r : {"DI1", "DI3", "DI1", "DI1"}) receive(r);
    EXPECT_EQ(sounds(), (Names{"SndBtn01", "SndBtn02", "SndBtn01"}));

    w->IMGDrukknop(4).onClick();
    receive("DI9");
    EXPECT_EQ(w->Label_Drukknop(4).BackColor, kBad) << "a disabled panel keeps its look";
    EXPECT_EQ(w->Label_AIn(4).Caption, "0");
    EXPECT_EQ(sounds().back(), "SndBtn01");
}

TEST_F(InputPanels, ClickTogglesTheEnableFlagAndNothingElse) {
    receive("A1900");
    const std::string picture = w->IMGDrukknop(2).Picture;
    const size_t written = rig.rt.writes.size();

    rig.rt.click(w->IMGDrukknop(2));
    EXPECT_EQ(w->Label_Drukknop(2).Tag, "False");
    EXPECT_EQ(w->Label_Drukknop(2).BackColor, kBad);
    receive("A1100");
    EXPECT_EQ(w->Label_AIn(2).Caption, "900") << "a disabled panel ignores reports";

    rig.rt.click(w->IMGDrukknop(2));
    EXPECT_EQ(w->Label_Drukknop(2).Tag, "True");
    EXPECT_EQ(w->Label_Drukknop(2).BackColor, kWindowBack);
    EXPECT_EQ(w->IMGDrukknop(2).Picture, picture);
    EXPECT_EQ(rig.rt.writes.size(), written);

    receive("A1900");
    EXPECT_EQ(w->Label_Drukknop(2).BackColor, kGood);
    EXPECT_EQ(sounds(), (Names{"SndBtn02", "SndBtn02"})) << "enabled again, the next reading sounds";
}

}  // namespace
}  // namespace qv::test
