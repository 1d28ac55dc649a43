#include "panel/form_show_image.h"

namespace qv {

// PLACEHOLDER: to be implemented
FormShowImage::FormShowImage(Program& p) : Form(p.rt, "FormShowImage"), prog(p), Image_PCB(add<Image>("Image_PCB")) {}
FormShowImage::~FormShowImage() = default;
void FormShowImage::Form_Load() {}
void FormShowImage::Form_KeyPress(int) {}
void FormShowImage::Image_PCB_Click() {}

}  // namespace qv
