#include "link/identification.h"

#include <string>

#include "board/protocol.h"
#include "windows/form_options.h"
#include "windows/form_zoeken.h"
#include "windows/pictures.h"

namespace qv {

namespace {

constexpr double kPushSeconds = 2.0;

std::string failureMessage(int16_t kind, int16_t port) {
    const std::string found = "An Arduino was found on com port " + std::to_string(port) + "!\r";
    switch (kind) {
        case InterfaceZindelmoor:
            return found + "The loaded .ino is for AdaFruit Zindelmoor.";
        case InterfaceQuillastra:
            return found + "The loaded .ino is for AdaFruit Quillastra.";
        case InterfaceBrendolyn:
            return found + "The loaded .ino is for AdaFruit Brendolyn.";
        default:
            return "No Arduino found on com port " + std::to_string(port) + "!";
    }
}

}  // namespace

void Identification::Timer_CheckInterface_Timer() {
    // One shot: the decision runs once per connect.
    w.Timer_CheckInterface.setEnabled(false);

    const int16_t kind = prog.nano.InterfaceKind;
    if (kind != InterfaceAdaFruit && kind != InterfaceLumiLeds && kind != InterfaceTM1638) {
        if (prog.zoekenLoaded()) prog.zoeken().Hide();
        connection_.showPortClosed();
        w.ComboBaudRate.Enabled = true;
        rt.msgBox(failureMessage(kind, prog.nano.ComPortNumber), MsgOkOnly, kAppTitle);
        return;
    }

    w.Label_StatusBalk(1).Caption = "Connected";
    w.Label_StatusBalk(1).BackColor = kGood;
    w.Label_StatusBalk(10).BackColor = kGood;

    if (w.Serialport.PortOpen()) {
        const auto& s = prog.mod.settings;
        if (kind == InterfaceAdaFruit) {
            w.IMG_Interface.Picture = prog.picture(pictures::kAdaFruitBoard);
            w.Serialport.Output(
                protocol::ToggleDifferenceCommand(prog.options().HScroll_Toggle_Difference.value()));
            rt.wait(kPushSeconds);
            // A disconnect inside the wait has ended the connection: nothing more.
            if (!w.Serialport.PortOpen()) return;
            w.Serialport.Output(protocol::LedRedCommand(s.LedRed));
            w.Serialport.Output(protocol::LedGreenCommand(s.LedGreen));
            w.Serialport.Output(protocol::LedBlueCommand(s.LedBlue));
        } else if (kind == InterfaceTM1638) {
            w.IMG_Interface.Picture = prog.picture(pictures::kTM1638V11Board);
            w.Serialport.Output(protocol::DisplayTextCommand(s.ConnectedText));
            rt.wait(kPushSeconds);
            if (!w.Serialport.PortOpen()) return;
        }
    }

    prog.unloadZoeken();
    w.TimerLeesIngangen.setEnabled(true);

    // A reply during the push wait may have changed the kind: the pictures follow it.
    switch (prog.nano.InterfaceKind) {
        case InterfaceAdaFruit:
            for (int i = 1; i <= 8; ++i) {
                w.IMGDrukknop(i).Picture = i <= 5 ? prog.picture(pictures::kTrimmer) : std::string();
                w.CMD_LumiLed(i).Picture = prog.picture(pictures::kAdaFruitLed);
            }
            break;
        case InterfaceLumiLeds:
            for (int i = 1; i <= 8; ++i) {
                w.IMGDrukknop(i).Picture = prog.picture(pictures::kTactSwitch);
                w.CMD_LumiLed(i).Picture = prog.picture(pictures::kLumiLed);
            }
            break;
        case InterfaceTM1638:
            for (int i = 1; i <= 8; ++i) {
                w.IMGDrukknop(i).Picture = prog.picture(pictures::kTactSwitch);
                w.CMD_LumiLed(i).Picture = prog.picture(pictures::kLed);
            }
            break;
        default:
            break;
    }
}

}  // namespace qv
