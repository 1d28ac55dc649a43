// The board photograph window, opened from the main window's board picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/rig.h"
#include "windows/form_show_image.h"

namespace qv::test {
namespace {

class ShowImage : public ::testing::Test {
protected:
    void SetUp() override {
        rig.writeStandardSettings();
        w = &rig.start();
        // The view maximises the window when it shows: the screen's size.
        rig.rt.onFormShown = [this](Form& f) {
            if (f.name != "FormShowImage") return;
            f.Width = screenW;
            f.Height = screenH;
        };
    }
    FormShowImage& photo() { return rig.prog->showImage(); }
    // Loaded: shown once and never unloaded, as the view was told.
    bool photoLoaded() const {
        const auto& events = rig.rt.formEvents;
        const auto seen = [&](const std::string& e) {
            return std::find(events.begin(), events.end(), e) != events.end();
        };
        return seen("shown FormShowImage") && !seen("unloaded FormShowImage");
    }
    Rig rig;
    FormQuorvane* w = nullptr;
    double screenW = 28800, screenH = 16200;
};

TEST_F(ShowImage, BoardPictureClickShowsThePhotographFillingTheWindow) {
    EXPECT_FALSE(photoLoaded());
    rig.rt.click(w->IMG_Interface);
    ASSERT_TRUE(photoLoaded());
    FormShowImage& f = photo();
    EXPECT_TRUE(f.visible());
    EXPECT_TRUE(f.Maximized);
    EXPECT_EQ(f.Border, FormBorder::None);
    EXPECT_EQ(f.BackColor, kWindowBack);
    EXPECT_EQ(f.Image_PCB.Picture, "design:pcb");
    EXPECT_EQ(f.Image_PCB.Left, 0);
    EXPECT_EQ(f.Image_PCB.Top, 0);
    EXPECT_EQ(f.Image_PCB.Width, screenW) << "sized after it was shown";
    EXPECT_EQ(f.Image_PCB.Height, screenH);
}

TEST_F(ShowImage, EscOrAClickOnThePhotographHidesItOtherKeysDoNot) {
    rig.rt.click(w->IMG_Interface);
    FormShowImage& f = photo();
    for (int key : {13, 97, 32}) {
        f.Form_KeyPress(key);
        EXPECT_TRUE(f.visible()) << key;
    }
    f.Form_KeyPress(27);
    EXPECT_FALSE(f.visible());

    rig.rt.click(w->IMG_Interface);
    EXPECT_TRUE(f.visible());
    rig.rt.click(f.Image_PCB);
    EXPECT_FALSE(f.visible());
    EXPECT_TRUE(photoLoaded()) << "hidden, never unloaded";
}

TEST_F(ShowImage, ShowingAgainDoesNotSizeThePhotographAgain) {
    rig.rt.click(w->IMG_Interface);
    FormShowImage& f = photo();
    f.Form_KeyPress(27);
    screenW = 19200;
    screenH = 10800;
    rig.rt.click(w->IMG_Interface);
    EXPECT_TRUE(f.visible());
    EXPECT_EQ(f.Image_PCB.Width, 28800);
    EXPECT_EQ(f.Image_PCB.Height, 16200);
}

TEST_F(ShowImage, AClickWhileItIsShownBringsItToTheFrontAgain) {
    const auto shows = [this] {
        return std::count(rig.rt.formEvents.begin(), rig.rt.formEvents.end(), "shown FormShowImage");
    };
    rig.rt.click(w->IMG_Interface);
    const auto before = shows();
    w->activate();  // the user brings the main window forward
    rig.rt.click(w->IMG_Interface);
    EXPECT_EQ(shows(), before + 1);
    EXPECT_EQ(Form::active(), &photo());
}

}  // namespace
}  // namespace qv::test
