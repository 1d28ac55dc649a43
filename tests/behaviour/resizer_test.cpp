// The main window's proportional resizer: every control follows the window's size from
// the layout recorded at the end of start-up.
#include <gtest/gtest.h>

#include <vector>

#include "support/rig.h"

namespace qv::test {
namespace {

struct Geometry {
    double left, top, width, height, font;
};

class Resizer : public ::testing::Test {
protected:
    void SetUp() override {
        rig.writeStandardSettings();
        rig.prog = std::make_unique<Application>(rig.rt);
        w = &rig.prog->quorvane();
        // The outer size the view reports before the window first shows.
        w->Width = kOuterW;
        w->Height = kOuterH;
        w->Form_Load();
        w->Show();
    }
    void resize(double width, double height) {
        w->Width = width;
        w->Height = height;
        w->Form_Resize();
    }
    std::vector<Geometry> snapshot() const {
        std::vector<Geometry> g;
        for (const Control* c : w->Controls())
            g.push_back({c->Left, c->Top, c->Width, c->Height, c->font->Size});
        return g;
    }
    static constexpr double kOuterW = 13905, kOuterH = 10500;
    Rig rig;
    FormQuorvane* w = nullptr;
};

TEST_F(Resizer, FirstResizeAtTheRecordedSizeRoundsFontsToWholePoints) {
    resize(kOuterW, kOuterH);
    EXPECT_EQ(w->Label_LumiLed(1).font->Size, 10) << "9.75 pt is recorded as 10";
    EXPECT_EQ(w->Label_StatusBalk(3).font->Size, 8) << "8.25 pt is recorded as 8";
    EXPECT_EQ(w->Picture_Kop.font->Size, 36);
    EXPECT_EQ(w->Picture_Kop.Width, 10095);
}

TEST_F(Resizer, DoublingScalesPositionsSizesAndFontsAndGoingBackRestoresThemExactly) {
    resize(kOuterW, kOuterH);
    const std::vector<Geometry> base = snapshot();

    resize(2 * kOuterW, 2 * kOuterH);
    EXPECT_EQ(w->Picture_Kop.Left, 360);
    EXPECT_EQ(w->Picture_Kop.Top, 480);
    EXPECT_EQ(w->Picture_Kop.Width, 20190);
    EXPECT_EQ(w->Picture_Kop.Height, 2670);
    EXPECT_EQ(w->Picture_Kop.font->Size, 72);
    EXPECT_EQ(w->Picture_Kop.printed.get().back().font.Size, 36) << "the banner stays as it was printed";
    EXPECT_EQ(w->Label_LumiLed(8).Left, 2 * 11520);
    EXPECT_EQ(w->Label_LumiLed(8).font->Size, 20);
    EXPECT_EQ(w->IMG_Interface.Left, 270) << "positions are within the container";

    resize(kOuterW * 0.737, kOuterH * 1.31);
    resize(kOuterW * 3.1, kOuterH * 0.45);
    resize(kOuterW, kOuterH);
    const std::vector<Geometry> back = snapshot();
    ASSERT_EQ(back.size(), base.size());
    for (size_t i = 0; i < base.size(); ++i) {
        const std::string name = w->Controls()[i]->qualifiedName();
        EXPECT_EQ(back[i].left, base[i].left) << name;
        EXPECT_EQ(back[i].top, base[i].top) << name;
        EXPECT_EQ(back[i].width, base[i].width) << name;
        EXPECT_EQ(back[i].height, base[i].height) << name;
        EXPECT_EQ(back[i].font, base[i].font) << name;
    }
}

TEST_F(Resizer, WideningAloneKeepsTopsHeightsAndFonts) {
    resize(kOuterW, kOuterH);
    const std::vector<Geometry> base = snapshot();
    resize(1.5 * kOuterW, kOuterH);
    const std::vector<Geometry> wide = snapshot();
    for (size_t i = 0; i < base.size(); ++i) {
        const std::string name = w->Controls()[i]->qualifiedName();
        EXPECT_EQ(wide[i].top, base[i].top) << name;
        EXPECT_EQ(wide[i].height, base[i].height) << name;
        EXPECT_EQ(wide[i].font, base[i].font) << name;
    }
    EXPECT_EQ(w->CMD_Close.Width, 1935 * 1.5);
}

TEST_F(Resizer, AnalogBarsScaleFromTheirEmptyWidthWhileFullScaleStays) {
    resize(2 * kOuterW, kOuterH);
    for (int n = 1; n <= 8; ++n) EXPECT_EQ(w->Shape_Ingang(n).Width, 30) << n;
    EXPECT_EQ(w->AnalogBarWidth, 1440);
}

TEST_F(Resizer, PropertiesAControlLacksAreSkippedAndTheLoopGoesOn) {
    resize(2 * kOuterW, 2 * kOuterH);
    EXPECT_EQ(w->TimerLeesIngangen.Width, 0) << "a timer has no geometry";
    EXPECT_EQ(w->Shape_Ingang(1).font->Size, 8.25) << "a shape has no font";
    EXPECT_EQ(w->IMG_Interface.font->Size, 8.25) << "an image has no font";
    EXPECT_EQ(w->ComboPoorten.Height, 315) << "a drop-down's height follows its font";
    EXPECT_EQ(w->ComboPoorten.Width, 2 * 1455);
    EXPECT_EQ(w->Label_StatusBalk(8).font->Size, 16) << "controls after them are still resized";
}

TEST_F(Resizer, AResizeBeforeTheLayoutIsRecordedChangesNothing) {
    Application fresh(rig.rt);
    FormQuorvane& f = fresh.quorvane();
    f.Width = 2 * kOuterW;
    f.Height = 2 * kOuterH;
    f.Form_Resize();
    EXPECT_EQ(f.Picture_Kop.Width, 10095);
}

TEST_F(Resizer, WithoutAMeasuredOuterSizeTheDesignSizeIsTheBase) {
    Application fresh(rig.rt);
    FormQuorvane& f = fresh.quorvane();
    f.Form_Load();
    ASSERT_FALSE(f.SavedLayout.empty());
    EXPECT_EQ(f.SavedLayout.back().Width, 13665);
    EXPECT_EQ(f.SavedLayout.back().Height, 9990);
    f.Width = 2 * 13665;
    f.Height = 9990;
    f.Form_Resize();
    EXPECT_EQ(f.Picture_Kop.Width, 20190);
}

}  // namespace
}  // namespace qv::test
