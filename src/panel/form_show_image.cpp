#include "panel/form_show_image.h"

namespace qv {

namespace {
constexpr int kKeyEscape = 27;
}

FormShowImage::FormShowImage(Program& p)
    : Form(p.rt, "FormShowImage"), prog(p), Image_PCB(add<Image>("Image_PCB")) {
    Caption = "";
    Border = FormBorder::None;
    Maximized = true;
    BackColor = kWindowBack;
    accessibleName = "Board photograph";

    Image_PCB.Left = 0;
    Image_PCB.Top = 0;
    Image_PCB.Stretch = true;
    Image_PCB.Picture = "design:pcb";
    Image_PCB.accessibleName = "Photograph of the interface board";
    Image_PCB.onClick = [this] { Image_PCB_Click(); };
}

FormShowImage::~FormShowImage() = default;

void FormShowImage::Form_Load() {
    // Shown first: only a shown, maximised window has the size the photograph takes.
    Show();
    Image_PCB.Width = Width;
    Image_PCB.Height = Height;
}

void FormShowImage::Form_KeyPress(int keyAscii) {
    if (keyAscii == kKeyEscape) Hide();
}

void FormShowImage::Image_PCB_Click() { Hide(); }

}  // namespace qv
