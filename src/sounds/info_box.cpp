#include "sounds/info_box.h"

#include <string>

#include "board/board_kinds.h"
#include "windows/version.h"

namespace qv {

namespace {

constexpr const char* kBuildDate = "Date 10 February 2024";

}  // namespace

void InfoBox::Image_Info_Click() {
    const std::string text = std::string(kCompanyName) + "\r\r" + kVersionText + "\r\r" + kBuildDate +
                             "\r\r" + boardKind(prog.nano.InterfaceKind).infoText + "\r\rSettings in users/" +
                             prog.mod.settings.UserName + "/" + prog.rt.env().exeName + "/";
    prog.rt.msgBox(text, MsgOkOnly, "Info");
}

}  // namespace qv
