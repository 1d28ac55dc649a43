#include "link/search_window.h"

namespace qv {

// Every activation starts its mode afresh, by the port's state at that moment.
void SearchWindow::Form_Activate(FormZoeken& z) {
    if (w.Serialport.PortOpen()) {
        z.Picture_Arduino.Width = FormZoeken::kPictureFullWidth;
        z.WidthStep = FormZoeken::kCloseStep;
        z.Label_Kop.Caption = "Closing";
    } else {
        z.Picture_Arduino.Width = 0;
        z.WidthStep = FormZoeken::kSearchStep;
        z.Label_Kop.Caption = "Searching";
        z.Label_Kop.ForeColor = FormZoeken::kHeaderText;
    }
    z.Timer_Zoeken.setEnabled(true);
}

// The timer keeps ticking once the end width is reached; whoever hides or unloads the
// window stops it.
void SearchWindow::Timer_Zoeken_Timer(FormZoeken& z) {
    if (z.WidthStep == FormZoeken::kCloseStep) {
        if (z.Picture_Arduino.Width >= -FormZoeken::kCloseStep) {
            z.Picture_Arduino.Width += FormZoeken::kCloseStep;
            z.Picture_Arduino.Refresh();
        }
    } else if (z.WidthStep == FormZoeken::kSearchStep) {
        if (z.Picture_Arduino.Width < FormZoeken::kPictureFullWidth) {
            z.Picture_Arduino.Width += FormZoeken::kSearchStep;
            z.Picture_Arduino.Refresh();
        }
    }
}

}  // namespace qv
