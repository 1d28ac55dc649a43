// The board photograph: shown by a click on the board picture, filling the screen;
// Esc or a click hides it.
#pragma once

#include "windows/form_show_image.h"
#include "windows/program_part.h"

namespace qv {

class Photograph : public ProgramPart {
public:
    explicit Photograph(Program& p) : ProgramPart(p) {}

    void IMG_Interface_Click();
    void Form_Load(FormShowImage& f);
    void Form_KeyPress(FormShowImage& f, int keyAscii);
    void Image_PCB_Click(FormShowImage& f);
};

}  // namespace qv
