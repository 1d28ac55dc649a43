// The settings at start-up, the settings dialog, saving and sending the settings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/settings_file.h"
#include "support/rig.h"
#include "windows/version.h"

namespace qv::test {
namespace {

const char* const kCorrupt = "Settings are corrupt. Standard will be set.";

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void expectStandard(const SettingsRecord& s) {
    EXPECT_EQ(s.LedColor, 255);
    EXPECT_EQ(s.InputBinaryColor, 8454016);
    EXPECT_EQ(s.BinaryToggleValue, 512);
    EXPECT_EQ(s.ToggleDifference, 2.0f);
    EXPECT_EQ(s.InputAnalogColor, 8454143);
    EXPECT_EQ(s.SoundOnOff, 1);
    EXPECT_EQ(s.SoundStartOnOff, 1);
    EXPECT_EQ(s.ConnectedText, "ARDUINO ");
    EXPECT_EQ(s.LedRed, 255);
    EXPECT_EQ(s.LedGreen, 0);
    EXPECT_EQ(s.LedBlue, 0);
}

class Settings : public ::testing::Test {
protected:
    FormQuorvane& startWith(int line, const std::string& text) {
        auto lines = standardSettingsLines();
        lines[static_cast<size_t>(line - 1)] = text;
        rig.writeSettingsLines(lines);
        return rig.start();
    }
    FormQuorvane& startStandard() {
        rig.writeSettingsLines(standardSettingsLines());
        return rig.start();
    }
    Program& prog() { return *rig.prog; }
    FormOptions& dialog() { return prog().options(); }
    SettingsRecord& rec() { return prog().mod.settings; }

    int boxes(const std::string& text) const {
        int n = 0;
        for (const auto& m : rig.rt.messages) n += m.text == text;
        return n;
    }

    // The main window as the connection would leave it, talking to a sketch of `kind`.
    void connectedTo(int16_t kind) {
        rig.board(3, "AT");
        FormQuorvane& w = rig.w();
        w.Serialport.CommPort = 3;
        ASSERT_TRUE(w.Serialport.openPort());
        prog().nano.InterfaceKind = kind;
        rig.rt.writes.clear();
    }

    // Texts written since the start of the test's action, with their times from t0.
    std::vector<std::pair<double, std::string>> writesSince(double t0) const {
        std::vector<std::pair<double, std::string>> out;
        for (const auto& wr : rig.rt.writes) out.emplace_back(wr.t - t0, wr.bytes);
        return out;
    }

    Rig rig;
};

TEST_F(Settings, FirstStartMakesTheFolderAndWritesTheStandardFile) {
    ASSERT_FALSE(std::filesystem::exists(rig.home.file("Quorvane")));
    rig.rt.environment.loginName = "abcdefghijklmnopqrstuvwxyz";
    rig.start();

    EXPECT_EQ(boxes(kCorrupt), 1);
    EXPECT_EQ(rig.rt.messages.front().style, MsgCritical);
    EXPECT_EQ(rig.rt.messages.front().title, "Settings problem.");
    expectStandard(rec());
    EXPECT_EQ(rec().UserName, "abcdefghijklmnopqrstuvwx") << "as a 25-byte buffer holds it";
    EXPECT_TRUE(prog().optionsLoaded());
    EXPECT_FALSE(dialog().visible());

    const std::string file = slurp(rig.settingsPath());
    EXPECT_EQ(file, settings_file::write(rec()));
    EXPECT_NE(file.find("\r\n 255 \r\n 8454016 \r\n 512 \r\n 2 \r\n 8454143 \r\n 0 \r\n"), std::string::npos);
    EXPECT_NE(file.find("- Displaytext\r\nARDUINO \r\n"), std::string::npos);
}

TEST_F(Settings, UnreadableFilesFallBackToStandardAndStayAsTheyWere) {
    struct Case {
        const char* what;
        int line;
        const char* text;
    } cases[] = {{"15 lines", 0, ""},           {"toggle value 1025", 6, " 1025 "},
                 {"sound option 2", 11, " 2 "}, {"negative colour", 4, " -5 "},
                 {"start sound 3", 12, " 3 "},  {"swap 7", 14, " 7 "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rig r;
        auto lines = standardSettingsLines();
        lines[5] = " 300 ";
        if (c.line == 0)
            lines.pop_back();
        else
            lines[static_cast<size_t>(c.line - 1)] = c.text;
        r.writeSettingsLines(lines);
        const std::string before = slurp(r.settingsPath());
        r.start();

        ASSERT_EQ(r.rt.messages.size(), 1u);
        EXPECT_EQ(r.rt.messages[0].text, kCorrupt);
        expectStandard(r.prog->mod.settings);
        EXPECT_EQ(slurp(r.settingsPath()), before);
        // The dialog, wherever loaded, agrees with the record, and loads again later.
        FormOptions& d = r.prog->options();
        EXPECT_EQ(d.HScroll_BinaryToggle.value(), 512);
        EXPECT_EQ(d.Check_SoundOnOff.value(), 1);
        EXPECT_EQ(d.Check_Swap_Outputs.value(), r.prog->mod.settings.SwapOutputs);
    }
}

TEST_F(Settings, StatusBarShowsTheToggleDifferenceInForceAfterARefusedOrMissingFile) {
    {
        Rig r;
        EXPECT_EQ(r.start().Label_StatusBalk(12).Caption, "2") << "first start";
    }
    // The file's toggle difference reaches the status bar before the later line is refused.
    for (const auto& [line, text] : {std::pair{11, " 2 "}, {8, "-1"}, {12, " 3 "}}) {
        SCOPED_TRACE(line);
        Rig r;
        auto lines = standardSettingsLines();
        lines[6] = " 7 ";
        lines[static_cast<size_t>(line - 1)] = text;
        r.writeSettingsLines(lines);
        FormQuorvane& w = r.start();
        ASSERT_EQ(r.rt.messages.size(), 1u);
        EXPECT_EQ(r.prog->options().HScroll_Toggle_Difference.value(), 2);
        EXPECT_EQ(w.Label_StatusBalk(12).Caption, "2");
    }
}

TEST_F(Settings, ReadableFileShowsItsValuesOnTheDialogAndTheMainWindow) {
    auto lines = standardSettingsLines();
    lines[1] = "any header text";
    lines[5] = " 300 ";
    lines[6] = " 2.5 ";
    lines[7] = " 4210752 ";
    lines[10] = " 0 ";
    rig.writeSettingsLines(lines);
    FormQuorvane& w = rig.start();

    EXPECT_TRUE(rig.rt.messages.empty());
    EXPECT_EQ(rec().ToggleDifference, 2.5f) << "the record keeps the file's value";
    EXPECT_EQ(dialog().HScroll_Toggle_Difference.value(), 2);
    EXPECT_EQ(w.Label_StatusBalk(12).Caption, "2");
    EXPECT_EQ(dialog().Label_BinaryToggle.Caption, "300");
    EXPECT_FALSE(dialog().visible());
    EXPECT_EQ(prog().mod.PreviousDisabledColor, 8421631);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(w.Shape_Ingang(i).FillColor, 4210752) << i;
    EXPECT_NE(w.Shape_Ingang(6).FillColor, 4210752);
    EXPECT_TRUE(w.OptionGeluid(0).value());
    EXPECT_EQ(rec().LedRed, 255);
}

TEST_F(Settings, ReadOnlyFileLoadsButASaveShowsTheErrorAndKeepsIt) {
    startStandard();
    const std::string before = slurp(rig.settingsPath());
    std::filesystem::permissions(rig.settingsPath(), std::filesystem::perms::owner_read);
    rig.rt.messages.clear();
    rig.prog.reset();
    rig.start();
    EXPECT_TRUE(rig.rt.messages.empty());

    dialog().HScroll_BinaryToggle.setValue(100);
    dialog().SaveSettings();
    ASSERT_EQ(rig.rt.messages.size(), 1u);
    EXPECT_EQ(rig.rt.messages[0].text,
              settings_file::saveErrorMessage({.reason = "Permission denied", .errorNumber = 13}));
    EXPECT_EQ(rig.rt.messages[0].style, MsgOkOnly);
    EXPECT_EQ(rig.rt.messages[0].title, "Quorvane");
    EXPECT_EQ(slurp(rig.settingsPath()), before);
    EXPECT_EQ(rec().BinaryToggleValue, 100) << "the values stay in force for this run";
}

TEST_F(Settings, DialogLoadRunsOnlyTheHandlersOfChangedControls) {
    FormQuorvane& w = startStandard();
    FormOptions& d = dialog();
    EXPECT_EQ(d.SSTab_Options.Tab, 3);
    EXPECT_EQ(d.Label_Toggle_Difference.Caption, "-") << "2 is the design value: no change event";
    EXPECT_EQ(d.Label_BinaryToggle.Caption, "512");
    EXPECT_EQ(d.Label_SoundOnOff.Caption, "ON");
    EXPECT_EQ(d.Shape_SoundStartOnOff.FillColor, kGood);
    EXPECT_EQ(d.Text_Connected.Text, "ARDUINO ");
    EXPECT_EQ(d.Label_Map.Caption, rig.program.file("ino/"));
    EXPECT_EQ(d.Label_Version.Caption, kVersionText);

    // Every load with sounds on switches the main window's option back on.
    w.OptionGeluid(0).select();
    prog().unloadOptions();
    prog().nano.TM1638V11 = false;
    prog().nano.TM1638LedRed = false;
    rec().SwapOutputs = 1;
    prog().mod.LedStatus = 5;
    FormOptions& again = dialog();
    EXPECT_TRUE(w.OptionGeluid(1).value());
    EXPECT_EQ(again.CMD_TM1638v1_1.Caption, "TM1638 V1.3");
    EXPECT_EQ(again.CMD_Ledkleur.BackColor, 0x40FF40);
    EXPECT_EQ(prog().mod.LedStatus, 0) << "the swap box's click ran";
}

TEST_F(Settings, ToggleDifferenceGoesToTheBoardOnChangeButNotWhileDragged) {
    FormQuorvane& w = startStandard();
    connectedTo(InterfaceAdaFruit);
    ScrollBar& bar = dialog().HScroll_Toggle_Difference;
    for (int v : {3, 4, 5}) bar.setValue(v);
    bar.initValue(100);
    bar.onScroll();
    EXPECT_EQ(w.Label_StatusBalk(12).Caption, "100");
    EXPECT_EQ(dialog().Label_Toggle_Difference.Caption, "100");
    bar.setValue(0);
    EXPECT_EQ(rig.rt.writtenText(), "6/3/6/4/6/5/6/0/");
    EXPECT_EQ(w.Label_StatusBalk(12).Caption, "0");
}

TEST_F(Settings, ApplySendsTheSettingsInStepsThenSavesAndStartsThePolling) {
    FormQuorvane& w = startStandard();
    connectedTo(InterfaceAdaFruit);
    w.TimerLeesIngangen.setEnabled(true);
    dialog().HScroll_BinaryToggle.setValue(600);
    const double t0 = rig.rt.now();
    dialog().cmdApply.onClick();

    const auto sent = writesSince(t0);
    ASSERT_GE(sent.size(), 4u);
    const std::pair<double, std::string> expected[] = {
        {0.2, "6/2/"}, {0.2, "20/255/"}, {0.4, "21/0/"}, {0.6, "22/0/"}};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(sent[i].first, expected[i].first, 1e-9) << i;
        EXPECT_EQ(sent[i].second, expected[i].second) << i;
    }
    EXPECT_NEAR(rig.rt.now() - t0, 1.0, 1e-9);
    EXPECT_TRUE(w.TimerLeesIngangen.enabled());
    EXPECT_EQ(rec().BinaryToggleValue, 600);
    EXPECT_NE(slurp(rig.settingsPath()).find("\r\n 600 \r\n"), std::string::npos);
    EXPECT_TRUE(prog().optionsLoaded()) << "Apply leaves the dialog open";
}

TEST_F(Settings, ApplyWithOtherKindsOrNoConnection) {
    FormQuorvane& w = startStandard();
    connectedTo(InterfaceLumiLeds);
    dialog().cmdApply.onClick();
    ASSERT_FALSE(rig.rt.writes.empty());
    EXPECT_EQ(rig.rt.writes[0].bytes, "6/2/");
    EXPECT_EQ(rig.rt.writtenText().find("20/"), std::string::npos);

    w.Serialport.closePort();
    rig.rt.writes.clear();
    w.TimerLeesIngangen.setEnabled(false);
    const double t0 = rig.rt.now();
    dialog().cmdOK.onClick();
    EXPECT_TRUE(rig.rt.writes.empty());
    EXPECT_NEAR(rig.rt.now() - t0, 0.2, 1e-9);
    EXPECT_TRUE(w.TimerLeesIngangen.enabled()) << "the polling runs even without a connection";
    EXPECT_FALSE(prog().optionsLoaded());
}

TEST_F(Settings, SaveRecoloursInputsByWhatTheyShow) {
    FormQuorvane& w = startStandard();
    w.Label_Drukknop(2).BackColor = 8421631;  // disabled
    w.Label_Drukknop(3).BackColor = 8454016;  // on
    w.Label_Drukknop(7).BackColor = 8454016;  // on, beyond the analog inputs
    w.Label_Drukknop(1).BackColor = kWindowBack;
    FormOptions& d = dialog();
    d.Shape_InputDisabledColor.FillColor = 0x111111;
    d.Shape_InputBinaryColor.FillColor = 0x222222;
    d.Shape_InputAnalogColor.FillColor = 0x333333;
    d.SaveSettings();
    EXPECT_EQ(w.Label_Drukknop(2).BackColor, 0x111111);
    EXPECT_EQ(w.Label_Drukknop(3).BackColor, 0x222222);
    EXPECT_EQ(w.Label_Drukknop(7).BackColor, 8454016);
    EXPECT_EQ(w.Label_Drukknop(1).BackColor, kWindowBack);
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(w.Shape_Ingang(i).FillColor, 0x333333) << i;
}

TEST_F(Settings, ColourChooserKeepsItsLastColourWhileTheDialogIsLoaded) {
    startStandard();
    FormOptions& d = dialog();
    prog().mod.LedStatus = 9;
    rig.rt.colorAnswers = {std::nullopt, 0x10E0C0, std::nullopt};
    d.CMD_LedColor.onClick();
    EXPECT_EQ(d.Shape_LedColor.FillColor, 0xFF) << "cancel changes nothing";
    EXPECT_EQ(prog().mod.LedStatus, 9);
    d.CMD_LedColor.onClick();
    EXPECT_EQ(d.Shape_LedColor.FillColor, 0x10E0C0);
    EXPECT_EQ(d.Label_LumiLed.BackColor, 0x10E0C0);
    EXPECT_EQ(rec().LedRed, 192);
    EXPECT_EQ(rec().LedGreen, 224);
    EXPECT_EQ(rec().LedBlue, 16);
    EXPECT_EQ(prog().mod.LedStatus, 0);
    d.CMD_InputBinaryColor.onClick();
    EXPECT_EQ(rig.rt.colorInitials.back(), 0x10E0C0);

    d.cmdCancel.onClick();
    EXPECT_EQ(rec().LedColor, 255) << "the record waits for a save";
    EXPECT_EQ(rec().LedRed, 192);
    dialog().CMD_InputBinaryColor.onClick();
    EXPECT_EQ(rig.rt.colorInitials.back(), 8454016) << "a new load starts the chooser afresh";
}

TEST_F(Settings, SetStandardColoursAreStoredOnlyByASave) {
    startStandard();
    FormOptions& d = dialog();
    d.Shape_LedColor.FillColor = 0x123456;
    d.SaveSettings();
    const int16_t red = rec().LedRed;
    d.CMD_Sandard_Colors.onClick();
    EXPECT_EQ(d.Label_InputDisabledColor.BackColor, 0x8080FF);
    EXPECT_EQ(rec().LedColor, 0x123456);
    d.SaveSettings();
    EXPECT_EQ(rec().LedColor, 0xFF);
    EXPECT_EQ(rec().InputDisabledColor, 0x8080FF);
    EXPECT_EQ(rec().LedRed, red);
}

TEST_F(Settings, EscCancelAndCloseUnloadAndEnableTheMainWindow) {
    FormQuorvane& w = startStandard();
    for (int way = 0; way < 3; ++way) {
        w.Enabled = false;
        FormOptions& d = dialog();
        d.Show();
        if (way == 0) d.Form_KeyPress(27);
        if (way == 1) rig.rt.click(d.cmdCancel);
        if (way == 2) d.onCloseRequest();
        EXPECT_FALSE(prog().optionsLoaded()) << way;
        EXPECT_TRUE(w.Enabled) << way;
    }
}

TEST_F(Settings, OutputPageActsAtOnce) {
    FormQuorvane& w = startStandard();
    FormOptions& d = dialog();
    prog().mod.LedStatus = 3;
    d.Check_Swap_Outputs.setValue(1);
    EXPECT_EQ(rec().SwapOutputs, 1);
    EXPECT_EQ(prog().mod.LedStatus, 0);

    connectedTo(InterfaceTM1638);
    w.TimerLeesIngangen.setEnabled(true);
    d.Text_Connected.Text = "ABCDEFGHIJK";
    const double t0 = rig.rt.now();
    bool pollingOffDuringWait = false;
    rig.rt.at(t0 + 1.0, [&] { pollingOffDuringWait = !w.TimerLeesIngangen.enabled(); });
    d.CMD_Connected_Text.onClick();
    EXPECT_EQ(rec().ConnectedText, "ABCDEFGH");
    EXPECT_EQ(d.Text_Connected.Text, "ABCDEFGHIJK");
    EXPECT_EQ(rig.rt.writes.at(0).bytes, "9/ABCDEFGH/");
    EXPECT_TRUE(pollingOffDuringWait);
    EXPECT_NEAR(rig.rt.now() - t0, 2.0, 1e-9);
    EXPECT_TRUE(w.TimerLeesIngangen.enabled());

    // The cut counts characters, not bytes; an empty text still goes out.
    d.Text_Connected.Text = "\u00C4RDU\u00CFN\u00D6\u00DC\u00C9";
    d.CMD_Connected_Text.onClick();
    EXPECT_EQ(rec().ConnectedText, "\u00C4RDU\u00CFN\u00D6\u00DC");
    d.Text_Connected.Text = "";
    rig.rt.writes.clear();
    d.CMD_Connected_Text.onClick();
    EXPECT_EQ(rec().ConnectedText, "");
    EXPECT_EQ(rig.rt.writtenText(), "9//");

    // Version and LED colour of a TM1638 board.
    d.CMD_Ledkleur.onClick();
    EXPECT_TRUE(prog().nano.TM1638LedRed) << "V1.1 has red LEDs only";
    d.CMD_TM1638v1_1.onClick();
    EXPECT_EQ(d.CMD_TM1638v1_1.Caption, "TM1638 V1.3");
    EXPECT_EQ(w.IMG_Interface.Picture, prog().picture("Img tm1638-3.bmp"));
    d.CMD_Ledkleur.onClick();
    EXPECT_FALSE(prog().nano.TM1638LedRed);
    EXPECT_EQ(d.CMD_Ledkleur.BackColor, 0x40FF40);
    d.CMD_TM1638v1_1.onClick();
    EXPECT_TRUE(prog().nano.TM1638V11);
    EXPECT_TRUE(prog().nano.TM1638LedRed);
    EXPECT_EQ(d.CMD_Ledkleur.BackColor, 0x4040FF);
}

}  // namespace
}  // namespace qv::test
