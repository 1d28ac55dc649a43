#include "view/photograph.h"

namespace qv {

namespace {
constexpr int kKeyEscape = 27;
}

void Photograph::IMG_Interface_Click() { prog.showImage().Show(); }

void Photograph::Form_Load(FormShowImage& f) {
    // Shown first: only a shown, maximised window has the size the photograph takes.
    f.Show();
    f.Image_PCB.Width = f.Width;
    f.Image_PCB.Height = f.Height;
}

void Photograph::Form_KeyPress(FormShowImage& f, int keyAscii) {
    if (keyAscii == kKeyEscape) f.Hide();
}

void Photograph::Image_PCB_Click(FormShowImage& f) { f.Hide(); }

}  // namespace qv
