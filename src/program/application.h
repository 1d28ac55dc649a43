// The whole program: the windows with their program-wide values, every subsystem, and
// the wiring between them. The wiring hooks each control's events to the handler of
// the subsystem that owns it and each window operation to its subsystem's code; it
// also holds the start-up order and the rules for closing the main window.
#pragma once

#include "effects/effect_player.h"
#include "effects/effect_reader.h"
#include "inputs/input_panels.h"
#include "leds/led_outputs.h"
#include "link/connection.h"
#include "link/identification.h"
#include "link/polling.h"
#include "link/port_discovery.h"
#include "link/search_window.h"
#include "settings/board_push.h"
#include "settings/settings_dialog.h"
#include "settings/settings_store.h"
#include "sounds/info_box.h"
#include "sounds/sounds.h"
#include "view/photograph.h"
#include "view/resizer.h"
#include "windows/program.h"

namespace qv {

class Application : public Program {
public:
    explicit Application(Runtime& rt);

    Connection connection{*this};
    Identification identification{*this, connection};
    Polling polling{*this};
    PortDiscovery discovery{*this};
    SearchWindow searchWindow{*this};
    InputPanels inputs{*this};
    LedOutputs leds{*this};
    EffectReader effectReader{*this};
    EffectPlayer effectPlayer{*this, effectReader};
    SettingsStore settingsStore{*this};
    SettingsDialog settingsDialog{*this};
    BoardPush boardPush{*this};
    Sounds sounds{*this};
    InfoBox infoBox{*this};
    Resizer resizer{*this};
    Photograph photograph{*this};

private:
    void wireMainWindow();
    void wireOptions(FormOptions& f);
    void wireZoeken(FormZoeken& z);
    void wireShowImage(FormShowImage& f);

    // The main window's load: the start-up sequence.
    void Form_Load();
    void Form_Unload();
    void CMD_Close_Click();
};

}  // namespace qv
