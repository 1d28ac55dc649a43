#include "link/form_zoeken.h"

#include "panel/form_quorvane.h"

namespace qv {

namespace {

constexpr double kPictureFullWidth = 3510;
constexpr int16_t kSearchStep = 10;
constexpr int16_t kCloseStep = -30;
constexpr Color kHeaderText = 0xFFC0C0;

}  // namespace

FormZoeken::FormZoeken(Program& p)
    : Form(p.rt, "FormZoeken"),
      prog(p),
      Label_Kop(add<Label>("Label_Kop")),
      Label2(add<Label>("Label2")),
      Picture_Arduino(add<PictureBox>("Picture_Arduino")),
      Timer_Zoeken(addTimer("Timer_Zoeken", 10)) {
    Border = FormBorder::None;
    ClientWidth = 4305;
    ClientHeight = 2790;
    BackColor = 0x3C3C3C;
    accessibleName = "Board connection";

    Label_Kop.Move(120, 120, 4065, 510);
    Label_Kop.Caption = "Searching";
    Label_Kop.BackColor = kHeaderBack;
    Label_Kop.ForeColor = kHeaderText;
    Label_Kop.BorderSingle = true;
    Label_Kop.Alignment = Align::Center;
    Label_Kop.font.Name = "Comic Sans MS";
    Label_Kop.font.Size = 14.25;

    // Lies behind the picture box and frames it.
    Label2.Move(120, 615, 4065, 2055);
    Label2.BackColor = kWindowBack;
    Label2.BorderSingle = true;

    // The picture is drawn from the left edge, so narrowing the box cuts it at the right.
    Picture_Arduino.Move(397, 840, kPictureFullWidth, 1605);
    Picture_Arduino.Picture = "design:arduino_top";
    Picture_Arduino.BorderSingle = true;
    Picture_Arduino.accessibleName = "Board picture";

    Timer_Zoeken.onTimer = [this] { Timer_Zoeken_Timer(); };
}

FormZoeken::~FormZoeken() = default;

// Every activation starts its mode afresh, by the port's state at that moment.
void FormZoeken::Form_Activate() {
    if (prog.quorvane().Serialport.PortOpen()) {
        Picture_Arduino.Width = kPictureFullWidth;
        WidthStep = kCloseStep;
        Label_Kop.Caption = "Closing";
    } else {
        Picture_Arduino.Width = 0;
        WidthStep = kSearchStep;
        Label_Kop.Caption = "Searching";
        Label_Kop.ForeColor = kHeaderText;
    }
    Timer_Zoeken.setEnabled(true);
}

// The timer keeps ticking once the end width is reached; whoever hides or unloads the
// window stops it.
void FormZoeken::Timer_Zoeken_Timer() {
    if (WidthStep == kCloseStep) {
        if (Picture_Arduino.Width >= -kCloseStep) {
            Picture_Arduino.Width += kCloseStep;
            Picture_Arduino.Refresh();
        }
    } else if (WidthStep == kSearchStep) {
        if (Picture_Arduino.Width < kPictureFullWidth) {
            Picture_Arduino.Width += kSearchStep;
            Picture_Arduino.Refresh();
        }
    }
}

}  // namespace qv
