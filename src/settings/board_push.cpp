#include "settings/board_push.h"

#include <string>

#include "board/protocol.h"
#include "platform/numbers.h"

namespace qv {

namespace {

// Characters a TM1638 display shows.
constexpr size_t kDisplayLength = 8;
// Between the settings commands, and after the last of them, for the board to take each in.
constexpr double kStepSeconds = 0.2;
// After the connected text, with the polling still paused, for the display to show it.
constexpr double kConnectedTextSeconds = 2.0;

}  // namespace

void BoardPush::SaveSettingsToArduino(FormOptions& f) {
    if (w.Serialport.PortOpen()) {
        w.TimerLeesIngangen.setEnabled(false);
        rt.waitNoEvents(kStepSeconds);
        w.Serialport.Output(protocol::ToggleDifferenceCommand(f.HScroll_Toggle_Difference.value()));
        if (boardKind(prog.nano.InterfaceKind).takesColours) {
            const SettingsRecord& rec = prog.mod.settings;
            w.Serialport.Output(protocol::LedRedCommand(rec.LedRed));
            rt.waitNoEvents(kStepSeconds);
            w.Serialport.Output(protocol::LedGreenCommand(rec.LedGreen));
            rt.waitNoEvents(kStepSeconds);
            w.Serialport.Output(protocol::LedBlueCommand(rec.LedBlue));
            rt.waitNoEvents(kStepSeconds);
        }
    }
    f.SaveSettings();
    rt.waitNoEvents(kStepSeconds);
    w.TimerLeesIngangen.setEnabled(true);
}

void BoardPush::cmdApply_Click(FormOptions& f) { SaveSettingsToArduino(f); }

void BoardPush::cmdOK_Click(FormOptions& f) {
    SaveSettingsToArduino(f);
    prog.unloadOptions();
}

void BoardPush::CMD_Connected_Text_Click(FormOptions& f) {
    SettingsRecord& rec = prog.mod.settings;
    // Cut by characters: a cut by bytes could split one and leave bytes that are no text at
    // all in the settings file.
    rec.ConnectedText = midCharacters(f.Text_Connected.Text, 0, kDisplayLength);
    if (!w.Serialport.PortOpen() || !boardKind(prog.nano.InterfaceKind).showsText) return;
    w.TimerLeesIngangen.setEnabled(false);
    w.Serialport.Output(protocol::DisplayTextCommand(rec.ConnectedText));
    prog.rt.wait(kConnectedTextSeconds);
    w.TimerLeesIngangen.setEnabled(true);
}

}  // namespace qv
