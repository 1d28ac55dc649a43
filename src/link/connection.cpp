#include "link/connection.h"

#include "board/port_number.h"
#include "board/protocol.h"
#include "link/timings.h"
#include "windows/form_options.h"
#include "windows/form_zoeken.h"
#include "windows/pictures.h"

namespace qv {

namespace {

constexpr const char* kDefaultLineSettings = "115200,N,8,1";

}  // namespace

void Connection::CMD_Verbind_Click() {
    // A disconnect closes the port after its wait whatever the line has taken by then:
    // nothing it writes waits for the line.
    if (w.CMD_Verbind.Caption == kDisconnectCaption) w.Serialport.closeSoon();
    w.ResetLeds();
    if (w.CMD_Verbind.Caption == kConnectCaption)
        connectSequence();
    else if (w.CMD_Verbind.Caption == kDisconnectCaption)
        disconnectSequence();
}

void Connection::ComboBaudRate_Click() { w.Label_StatusBalk(10).Caption = w.ComboBaudRate.Text + " Baud"; }

void Connection::connectSequence() {
    prog.nano.ComPortNumber = portNumberOfListText(w.ComboPoorten.Text);
    if (prog.nano.ComPortNumber <= 0) {
        rt.msgBox("No Com port found, so a connection can't be made!", MsgOkOnly, kAppTitle);
        return;
    }

    prog.zoeken().Show();
    w.CMD_Verbind.Caption = kDisconnectCaption;
    w.CMD_Verbind.Picture = prog.picture("Img Verbonden.bmp");
    w.ComboBaudRate.Enabled = false;

    rt.doEvents();
    // A click already queued (a double click on Connect) has run the disconnect
    // sequence in there: the user has called the connection off before it opened.
    if (w.CMD_Verbind.Caption != kDisconnectCaption) return;

    w.Serialport.closePort();
    w.Serialport.CommPort = prog.nano.ComPortNumber;
    w.Serialport.Settings = w.ComboBaudRate.Text == "Baud Rate" ? std::string(kDefaultLineSettings)
                                                                : w.ComboBaudRate.Text + ",N,8,1";
    if (const auto opened = w.Serialport.openPort(); !opened) {
        showDisconnectedScreen();
        rt.msgBox(
            "Com " + std::to_string(prog.nano.ComPortNumber) + " could not be opened:\r" + opened.error(),
            MsgCritical, kAppTitle);
        return;
    }

    rt.wait(kSettleSeconds);
    // A disconnect (or the device vanishing) inside the wait has finished the connection.
    if (!w.Serialport.PortOpen()) return;

    prog.nano.InterfaceKind = InterfaceNone;
    w.Serialport.Output(protocol::IdentifyRequest());
    w.Timer_CheckInterface.setEnabled(true);
}

void Connection::disconnectSequence() {
    // A disconnect can start before the port opened (a click queued ahead of the
    // connect's open); then it has no connection to lose in its wait and runs to the end.
    const bool portWasOpen = w.Serialport.PortOpen();

    w.Timer_CheckInterface.setEnabled(false);
    prog.zoeken().Show();
    rt.doEvents();
    if (w.Serialport.PortOpen()) w.Serialport.Output(protocol::DisplayTextCommand(protocol::kDisconnectText));

    rt.wait(kClosingSeconds);
    // Another disconnect inside the wait (or the device vanishing) has closed it already.
    if (portWasOpen && !w.Serialport.PortOpen()) return;

    prog.nano.InterfaceKind = InterfaceNone;
    prog.options().CMD_TM1638v1_1.Caption = kTM1638V11Caption;
    prog.nano.TM1638V11 = true;
    showDisconnectedScreen();
    w.ResetLeds();
}

void Connection::showPortClosed() {
    w.CMD_Verbind.Caption = kConnectCaption;
    w.CMD_Verbind.Picture = prog.picture("Img Verbroken.bmp");

    w.Serialport.closePort();
    w.TimerLeesIngangen.setEnabled(false);

    w.Label_StatusBalk(1).Caption = "Not connected";
    w.Label_StatusBalk(1).BackColor = kBad;
    w.Label_StatusBalk(10).BackColor = kButtonFace;
}

void Connection::showDisconnectedScreen() {
    showPortClosed();

    for (int i = 1; i <= 8; ++i) {
        w.Shape_Ingang(i).Width = 1;
        if (prog.nano.PushButtonKind == PushButtonTactSwitch)
            w.IMGDrukknop(i).Picture = prog.picture(pictures::kTactSwitch);
        else if (prog.nano.PushButtonKind == PushButtonTrimmer)
            w.IMGDrukknop(i).Picture = prog.picture(pictures::kTrimmer);
        w.Label_Drukknop(i).BackColor = kWindowBack;
    }

    w.IMG_Interface.Picture = prog.picture(pictures::kNanoSmall);
    w.ComboBaudRate.Enabled = true;

    // Only a loaded search window has anything to stop; touching it would load it.
    if (prog.zoekenLoaded()) {
        FormZoeken& z = prog.zoeken();
        z.Timer_Zoeken.setEnabled(false);
        z.Hide();
    }
}

void Connection::Serialport_Lost(const std::string& reason) {
    portEnded("The connection to COM" + std::to_string(prog.nano.ComPortNumber) + " was lost.\r" + reason);
}

void Connection::Serialport_Failed(const std::string& reason) {
    portEnded("A command could not be sent to COM" + std::to_string(prog.nano.ComPortNumber) +
              ", so the connection was closed.\r" + reason);
}

void Connection::portEnded(const std::string& message) {
    w.Timer_CheckInterface.setEnabled(false);
    prog.nano.InterfaceKind = InterfaceNone;
    prog.options().CMD_TM1638v1_1.Caption = kTM1638V11Caption;
    prog.nano.TM1638V11 = true;
    showDisconnectedScreen();
    w.ResetLeds();
    rt.msgBox(message, MsgCritical, kAppTitle);
}

}  // namespace qv
