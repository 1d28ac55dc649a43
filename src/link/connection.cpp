#include "link/form_zoeken.h"
#include "link/port_discovery.h"
#include "link/protocol.h"
#include "panel/form_quorvane.h"
#include "settings/form_options.h"

namespace qv {

namespace {

constexpr double kSettleSeconds = 2.0;
constexpr double kClosingSeconds = 2.0;
constexpr const char* kDefaultLineSettings = "115200,N,8,1";

}  // namespace

void FormQuorvane::CMD_Verbind_Click() {
    ResetLeds();
    if (CMD_Verbind.Caption == "Connect")
        connectSequence();
    else if (CMD_Verbind.Caption == "Disconnect")
        disconnectSequence();
}

void FormQuorvane::ComboBaudRate_Click() { Label_StatusBalk(10).Caption = ComboBaudRate.Text + " Baud"; }

void FormQuorvane::connectSequence() {
    prog.nano.ComPortNumber = portNumberOfListText(ComboPoorten.Text);
    if (prog.nano.ComPortNumber <= 0) {
        rt.msgBox("No Com port found, so a connection can't be made!", MsgOkOnly, kAppTitle);
        return;
    }

    prog.zoeken().Show();
    CMD_Verbind.Caption = "Disconnect";
    CMD_Verbind.Picture = prog.picture("Img Verbonden.bmp");
    ComboBaudRate.Enabled = false;

    rt.doEvents();
    // A click already queued (a double click on Connect) has run the disconnect
    // sequence in there: the user has called the connection off before it opened.
    if (CMD_Verbind.Caption != "Disconnect") return;

    if (Serialport.PortOpen()) Serialport.setPortOpen(false);
    Serialport.CommPort = prog.nano.ComPortNumber;
    Serialport.Settings =
        ComboBaudRate.Text == "Baud Rate" ? std::string(kDefaultLineSettings) : ComboBaudRate.Text + ",N,8,1";
    Serialport.setPortOpen(true);
    if (!Serialport.PortOpen()) {
        showDisconnectedScreen();
        rt.msgBox("Com " + std::to_string(prog.nano.ComPortNumber) + " could not be opened:\r" +
                      Serialport.lastError(),
                  MsgCritical, kAppTitle);
        return;
    }

    rt.wait(kSettleSeconds);
    // A disconnect (or the device vanishing) inside the wait has finished the connection.
    if (!Serialport.PortOpen()) return;

    prog.nano.InterfaceKind = InterfaceNone;
    Serialport.Output(protocol::IdentifyRequest());
    Timer_CheckInterface.setEnabled(true);
}

void FormQuorvane::disconnectSequence() {
    // A disconnect can start before the port opened (a click queued ahead of the
    // connect's open); then it has no connection to lose in its wait and runs to the end.
    const bool portWasOpen = Serialport.PortOpen();

    Timer_CheckInterface.setEnabled(false);
    prog.zoeken().Show();
    rt.doEvents();
    if (Serialport.PortOpen()) Serialport.Output(protocol::DisplayTextCommand(protocol::kDisconnectText));

    rt.wait(kClosingSeconds);
    // Another disconnect inside the wait (or the device vanishing) has closed it already.
    if (portWasOpen && !Serialport.PortOpen()) return;

    prog.nano.InterfaceKind = InterfaceNone;
    prog.options().CMD_TM1638v1_1.Caption = "TM1638 V1.1";
    prog.nano.TM1638V11 = true;
    showDisconnectedScreen();
    ResetLeds();
}

ConnectionState FormQuorvane::connectionState() const {
    if (CMD_Verbind.Caption != "Disconnect") return ConnectionState::NotConnected;
    if (!Serialport.PortOpen()) return ConnectionState::Opening;
    if (prog.zoekenLoaded()) {
        const FormZoeken& z = prog.zoeken();
        if (z.visible() && z.Label_Kop.Caption == "Closing") return ConnectionState::Closing;
    }
    if (Timer_CheckInterface.enabled()) return ConnectionState::Identifying;
    // Status cell 1 turns "Connected" at the start of the post-identification push and
    // stays so until the connection ends.
    if (Label_StatusBalk(1).Caption == "Connected") return ConnectionState::Connected;
    return ConnectionState::Opening;
}

void FormQuorvane::showPortClosed() {
    CMD_Verbind.Caption = "Connect";
    CMD_Verbind.Picture = prog.picture("Img Verbroken.bmp");

    Serialport.setPortOpen(false);
    TimerLeesIngangen.setEnabled(false);

    Label_StatusBalk(1).Caption = "Not connected";
    Label_StatusBalk(1).BackColor = kBad;
    Label_StatusBalk(10).BackColor = kButtonFace;
}

void FormQuorvane::showDisconnectedScreen() {
    showPortClosed();

    for (int i = 1; i <= 8; ++i) {
        Shape_Ingang(i).Width = 1;
        if (prog.nano.PushButtonKind == 1)
            IMGDrukknop(i).Picture = prog.picture("Img TactSchakelaar.bmp");
        else if (prog.nano.PushButtonKind == 2)
            IMGDrukknop(i).Picture = prog.picture("Img Trimmer.bmp");
        Label_Drukknop(i).BackColor = kWindowBack;
    }

    IMG_Interface.Picture = prog.picture("Img Arduino Nano Small.bmp");
    ComboBaudRate.Enabled = true;

    // Only a loaded search window has anything to stop; touching it would load it.
    if (prog.zoekenLoaded()) {
        FormZoeken& z = prog.zoeken();
        z.Timer_Zoeken.setEnabled(false);
        z.Hide();
    }
}

void FormQuorvane::Serialport_Lost(const std::string& reason) {
    portEnded("The connection to COM" + std::to_string(prog.nano.ComPortNumber) + " was lost.\r" + reason);
}

void FormQuorvane::Serialport_Failed(const std::string& reason) {
    portEnded("A command could not be sent to COM" + std::to_string(prog.nano.ComPortNumber) +
              ", so the connection was closed.\r" + reason);
}

void FormQuorvane::portEnded(const std::string& message) {
    Timer_CheckInterface.setEnabled(false);
    prog.nano.InterfaceKind = InterfaceNone;
    prog.options().CMD_TM1638v1_1.Caption = "TM1638 V1.1";
    prog.nano.TM1638V11 = true;
    showDisconnectedScreen();
    ResetLeds();
    rt.msgBox(message, MsgCritical, kAppTitle);
}

}  // namespace qv
