#include "windows/form_show_image.h"

#include "windows/colors.h"

namespace qv {

FormShowImage::FormShowImage(Runtime& rt) : Form(rt, "FormShowImage"), Image_PCB(add<Image>("Image_PCB")) {
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
}

FormShowImage::~FormShowImage() = default;

}  // namespace qv
