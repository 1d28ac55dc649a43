#include "settings/board_push.h"

#include <string>

#include "board/protocol.h"

namespace qv {

namespace {

// Characters a TM1638 display shows.
constexpr size_t kDisplayLength = 8;

// The first `count` characters of a UTF-8 text: a cut by bytes could split a character
// and leave bytes that are no text at all in the settings file.
std::string firstCharacters(const std::string& text, size_t count) {
    size_t end = 0;
    for (size_t seen = 0; end < text.size(); ++end) {
        const bool continuation = (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80;
        if (!continuation && seen++ == count) break;
    }
    return text.substr(0, end);
}

}  // namespace

void BoardPush::SaveSettingsToArduino(FormOptions& f) {
    if (w.Serialport.PortOpen()) {
        w.TimerLeesIngangen.setEnabled(false);
        rt.waitNoEvents(0.2);
        w.Serialport.Output(protocol::ToggleDifferenceCommand(f.HScroll_Toggle_Difference.value()));
        const int16_t kind = prog.nano.InterfaceKind;
        if (kind == InterfaceAdaFruit || kind == InterfaceTM1638) {
            const SettingsRecord& rec = prog.mod.settings;
            w.Serialport.Output(protocol::LedRedCommand(rec.LedRed));
            rt.waitNoEvents(0.2);
            w.Serialport.Output(protocol::LedGreenCommand(rec.LedGreen));
            rt.waitNoEvents(0.2);
            w.Serialport.Output(protocol::LedBlueCommand(rec.LedBlue));
            rt.waitNoEvents(0.2);
        }
    }
    f.SaveSettings();
    rt.waitNoEvents(0.2);
    w.TimerLeesIngangen.setEnabled(true);
}

void BoardPush::cmdApply_Click(FormOptions& f) { SaveSettingsToArduino(f); }

void BoardPush::cmdOK_Click(FormOptions& f) {
    SaveSettingsToArduino(f);
    prog.unloadOptions();
}

void BoardPush::CMD_Connected_Text_Click(FormOptions& f) {
    SettingsRecord& rec = prog.mod.settings;
    rec.ConnectedText = firstCharacters(f.Text_Connected.Text, kDisplayLength);
    if (!w.Serialport.PortOpen() || prog.nano.InterfaceKind != InterfaceTM1638) return;
    w.TimerLeesIngangen.setEnabled(false);
    w.Serialport.Output(protocol::DisplayTextCommand(rec.ConnectedText));
    prog.rt.wait(2.0);
    w.TimerLeesIngangen.setEnabled(true);
}

}  // namespace qv
