// The board photograph window: a borderless, maximised window showing a photograph of
// the interface board; Esc or a click hides it.
#pragma once

#include "platform/controls.h"
#include "platform/runtime.h"

namespace qv {

class FormShowImage : public Form {
public:
    explicit FormShowImage(Runtime& rt);
    ~FormShowImage() override;

    Image& Image_PCB;
};

}  // namespace qv
