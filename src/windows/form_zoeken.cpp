#include "windows/form_zoeken.h"

#include "windows/colors.h"

namespace qv {

FormZoeken::FormZoeken(Runtime& rt)
    : Form(rt, "FormZoeken"),
      Label_Kop(add<Label>("Label_Kop")),
      Label2(add<Label>("Label2")),
      Picture_Arduino(add<PictureBox>("Picture_Arduino")),
      Timer_Zoeken(addTimer("Timer_Zoeken")) {
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
    Label_Kop.font.edit().Size = 14.25;

    // Lies behind the picture box and frames it.
    Label2.Move(120, 615, 4065, 2055);
    Label2.BackColor = kWindowBack;
    Label2.BorderSingle = true;

    // The picture is drawn from the left edge, so narrowing the box cuts it at the right.
    Picture_Arduino.Move(397, 840, kPictureFullWidth, 1605);
    Picture_Arduino.Picture = "design:arduino_top";
    Picture_Arduino.BorderSingle = true;
    Picture_Arduino.accessibleName = "Board picture";
}

FormZoeken::~FormZoeken() = default;

}  // namespace qv
