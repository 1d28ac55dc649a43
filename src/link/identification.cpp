#include <string>

#include "link/form_zoeken.h"
#include "link/protocol.h"
#include "panel/form_quorvane.h"
#include "settings/form_options.h"

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

void FormQuorvane::Timer_CheckInterface_Timer() {
    // One shot: the decision runs once per connect.
    Timer_CheckInterface.setEnabled(false);

    const int16_t kind = prog.nano.InterfaceKind;
    if (kind != InterfaceAdaFruit && kind != InterfaceLumiLeds && kind != InterfaceTM1638) {
        if (prog.zoekenLoaded()) prog.zoeken().Hide();
        showPortClosed();
        ComboBaudRate.Enabled = true;
        rt.msgBox(failureMessage(kind, prog.nano.ComPortNumber), MsgOkOnly, kAppTitle);
        return;
    }

    Label_StatusBalk(1).Caption = "Connected";
    Label_StatusBalk(1).BackColor = kGood;
    Label_StatusBalk(10).BackColor = kGood;

    if (Serialport.PortOpen()) {
        const auto& s = prog.mod.settings;
        if (kind == InterfaceAdaFruit) {
            IMG_Interface.Picture = prog.picture("Img Arduino Adafruit.bmp");
            Serialport.Output(
                protocol::ToggleDifferenceCommand(prog.options().HScroll_Toggle_Difference.value()));
            rt.wait(kPushSeconds);
            // A disconnect inside the wait has ended the connection: nothing more.
            if (!Serialport.PortOpen()) return;
            Serialport.Output(protocol::LedRedCommand(s.LedRed));
            Serialport.Output(protocol::LedGreenCommand(s.LedGreen));
            Serialport.Output(protocol::LedBlueCommand(s.LedBlue));
        } else if (kind == InterfaceTM1638) {
            IMG_Interface.Picture = prog.picture("Img tm1638-1.bmp");
            Serialport.Output(protocol::DisplayTextCommand(s.ConnectedText));
            rt.wait(kPushSeconds);
            if (!Serialport.PortOpen()) return;
        }
    }

    prog.unloadZoeken();
    TimerLeesIngangen.setEnabled(true);

    // A reply during the push wait may have changed the kind: the pictures follow it.
    switch (prog.nano.InterfaceKind) {
        case InterfaceAdaFruit:
            for (int i = 1; i <= 8; ++i) {
                IMGDrukknop(i).Picture = i <= 5 ? prog.picture("Img Trimmer.bmp") : std::string();
                CMD_LumiLed(i).Picture = prog.picture("Img AdaFruitled.bmp");
            }
            break;
        case InterfaceLumiLeds:
            for (int i = 1; i <= 8; ++i) {
                IMGDrukknop(i).Picture = prog.picture("Img TactSchakelaar.bmp");
                CMD_LumiLed(i).Picture = prog.picture("Img Lumiled.bmp");
            }
            break;
        case InterfaceTM1638:
            for (int i = 1; i <= 8; ++i) {
                IMGDrukknop(i).Picture = prog.picture("Img TactSchakelaar.bmp");
                CMD_LumiLed(i).Picture = prog.picture("Img Led.bmp");
            }
            break;
        default:
            break;
    }
}

}  // namespace qv
