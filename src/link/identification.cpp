#include "link/identification.h"

#include <string>

#include "board/protocol.h"
#include "link/timings.h"
#include "windows/form_options.h"
#include "windows/form_zoeken.h"
#include "windows/pictures.h"

namespace qv {

namespace {

std::string refusal(const BoardKind& kind, int16_t port) {
    if (!kind.refusedName) return "No Arduino found on com port " + std::to_string(port) + "!";
    return "An Arduino was found on com port " + std::to_string(port) + "!\rThe loaded .ino is for " +
           kind.refusedName + ".";
}

}  // namespace

void Identification::Timer_CheckInterface_Timer() {
    // One shot: the decision runs once per connect.
    w.Timer_CheckInterface.setEnabled(false);

    const BoardKind& kind = boardKind(prog.nano.InterfaceKind);
    if (!kind.driven) {
        if (prog.zoekenLoaded()) prog.zoeken().Hide();
        connection_.showPortClosed();
        w.ComboBaudRate.Enabled = true;
        rt.msgBox(refusal(kind, prog.nano.ComPortNumber), MsgOkOnly, kAppTitle);
        return;
    }

    w.Label_StatusBalk(1).Caption = "Connected";
    w.Label_StatusBalk(1).BackColor = kGood;
    w.Label_StatusBalk(10).BackColor = kGood;

    if (w.Serialport.PortOpen()) {
        const auto& s = prog.mod.settings;
        if (kind.boardPicture) w.IMG_Interface.Picture = prog.picture(kind.boardPicture);
        switch (kind.welcome) {
            case WelcomePush::None:
                break;
            case WelcomePush::ToggleDifferenceThenColours:
                w.Serialport.Output(
                    protocol::ToggleDifferenceCommand(prog.options().HScroll_Toggle_Difference.value()));
                rt.wait(kWelcomeSeconds);
                // A disconnect inside the wait has ended the connection: nothing more.
                if (!w.Serialport.PortOpen()) return;
                w.Serialport.Output(protocol::LedRedCommand(s.LedRed));
                w.Serialport.Output(protocol::LedGreenCommand(s.LedGreen));
                w.Serialport.Output(protocol::LedBlueCommand(s.LedBlue));
                break;
            case WelcomePush::ConnectedText:
                w.Serialport.Output(protocol::DisplayTextCommand(s.ConnectedText));
                rt.wait(kWelcomeSeconds);
                if (!w.Serialport.PortOpen()) return;
                break;
        }
    }

    prog.unloadZoeken();
    w.TimerLeesIngangen.setEnabled(true);

    // A reply during the push wait may have changed the kind: the pictures follow it.
    const BoardKind& shown = boardKind(prog.nano.InterfaceKind);
    if (!shown.driven) return;
    const char* input = shown.inputs == PushButtonTactSwitch ? pictures::kTactSwitch : pictures::kTrimmer;
    for (int i = 1; i <= 8; ++i) {
        w.IMGDrukknop(i).Picture = i <= shown.picturedInputs ? prog.picture(input) : std::string();
        w.CMD_LumiLed(i).Picture = prog.picture(shown.leds->dark);
    }
}

}  // namespace qv
