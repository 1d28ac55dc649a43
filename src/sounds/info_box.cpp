#include "sounds/info_box.h"

#include <array>
#include <string>

#include "windows/version.h"

namespace qv {

namespace {

constexpr const char* kBuildDate = "Date 10 February 2024";

// The info box's name of each sketch, by interface kind.
constexpr std::array<const char*, 7> kKindTexts = {
    "Not connected.",
    "Arduino Standard.",
    "Arduino with AdaFruit AdaFruit Animations.",
    "Arduino with AdaFruit Quorvane.",
    "Arduino with AdaFruit Brendolyn.",
    "Arduino with LumiLeds.",
    "Arduino with TM1638.",
};

}  // namespace

void InfoBox::Image_Info_Click() {
    const int16_t kind = prog.nano.InterfaceKind;
    const std::string kindText =
        kind >= 0 && kind < static_cast<int16_t>(kKindTexts.size()) ? kKindTexts[kind] : "";
    const std::string text = std::string(kCompanyName) + "\r\r" + kVersionText + "\r\r" + kBuildDate +
                             "\r\r" + kindText + "\r\rSettings in users/" + prog.mod.settings.UserName + "/" +
                             prog.rt.env().exeName + "/";
    prog.rt.msgBox(text, MsgOkOnly, "Info");
}

}  // namespace qv
