// The board photograph window: a borderless, maximised window showing a photograph of
// the interface board; Esc or a click hides it.
#pragma once

#include "panel/program.h"
#include "platform/controls.h"

namespace qv {

class FormShowImage : public Form {
public:
    explicit FormShowImage(Program& prog);
    ~FormShowImage() override;

    Program& prog;
    Image& Image_PCB;

    void Form_Load();
    void Form_KeyPress(int keyAscii) override;
    void Image_PCB_Click();
};

}  // namespace qv
