#include "panel/form_quorvane.h"
#include "panel/form_show_image.h"
#include "settings/form_options.h"

namespace qv {

void FormQuorvane::Form_Load() {
    AnalogPollIndex = 0;
    // The full scale of a bar is the design width, taken before the bars are emptied.
    AnalogBarWidth = Shape_Ingang(1).Width;
    for (int n = 1; n <= 8; ++n) Shape_Ingang(n).Width = 15;

    prog.nano.TM1638V11 = true;
    prog.nano.TM1638LedRed = true;
    InlezenSettings();
    // Loading the settings dialog while reading may have touched the board flags.
    prog.nano.TM1638V11 = true;
    prog.nano.TM1638LedRed = true;

    drawBanner();
    startupProbe();
    fillBaudList();
    prog.nano.PushButtonKind = 2;
    startupSoundStep();
    startupEffects();
    IMG_Interface.Picture = prog.picture("Img Arduino Nano Small.bmp");
    // Last, so the recorded layout is the one the user first sees.
    ReloadPos();
}

void FormQuorvane::drawBanner() {
    // Three prints offset by a pixel give the title a light edge above and a green one
    // below; the last print lies on top.
    static constexpr const char* kTitle = "Arduino Nano interface.";
    Picture_Kop.printed.push_back({kTitle, 0x00C000, 66, 8, Picture_Kop.font});
    Picture_Kop.printed.push_back({kTitle, 0xE0E0E0, 64, 6, Picture_Kop.font});
    Picture_Kop.printed.push_back({kTitle, 0xFFC0C0, 65, 7, Picture_Kop.font});
}

void FormQuorvane::CMD_Close_Click() {
    // The caption, not the port, tells whether a connection is under way: it reads
    // "Disconnect" from the start of a connect to the end of the disconnect's wait.
    if (CMD_Verbind.Caption == "Disconnect") {
        prog.rt.msgBox("Please disconnect before closing.", MsgOkOnly, kAppTitle);
        return;
    }
    ResetLeds();
    prog.rt.quit();
}

void FormQuorvane::Form_Unload() {
    ResetLeds();
    prog.rt.quit();
}

void FormQuorvane::CMD_Settings_Click() {
    ResetLeds();
    // The dialog's unload enables the main window again.
    Enabled = false;
    prog.options().Show();
}

void FormQuorvane::IMG_Interface_Click() { prog.showImage().Show(); }

}  // namespace qv
