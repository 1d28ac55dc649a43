#include "link/form_zoeken.h"

namespace qv {

// PLACEHOLDER: to be implemented
FormZoeken::FormZoeken(Program& p) : Form(p.rt, "FormZoeken"), prog(p), Label_Kop(add<Label>("Label_Kop")), Label2(add<Label>("Label2")), Picture_Arduino(add<PictureBox>("Picture_Arduino")), Timer_Zoeken(addTimer("Timer_Zoeken", 10)) {}
FormZoeken::~FormZoeken() = default;
void FormZoeken::Form_Activate() {}
void FormZoeken::Timer_Zoeken_Timer() {}

}  // namespace qv
