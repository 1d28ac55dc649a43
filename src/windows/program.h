// The program: its program-wide values and its four windows.
//
// The main window lives for the whole run. The settings dialog and the search window
// are loaded (hidden) on first touch: every access goes through options() and
// zoeken(), which load the window when it is not loaded, exactly as touching a control
// of an unloaded window loads it. Unloading disposes of the object once control is
// back at the outer event loop, so a handler of the unloaded window may still finish.
// What a window does when it loads is hooked in by the program's wiring.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "board/board_kinds.h"
#include "board/protocol.h"
#include "files/effect_data.h"
#include "files/settings_record.h"
#include "platform/runtime.h"
#include "windows/colors.h"

namespace qv {

class FormQuorvane;
class FormOptions;
class FormZoeken;
class FormShowImage;

// Program-wide values of the main module.
struct ModuleQuorvane {
    SettingsRecord settings;
    double PreviousDisabledColor = 0;
    int16_t LedStatus = 0;
    int16_t ComPortCount = 0;
    int32_t WaveDeviceCount = 0;
    EffectData effect;
};

// Program-wide values of the board link's module.
struct ArduinoNano {
    int16_t InterfaceKind = InterfaceNone;
    int16_t PushButtonKind = 0;  // a PushButtonKinds value once start-up has run
    bool TM1638V11 = true;
    bool TM1638LedRed = true;
    int16_t ProbePort = 0;
    int16_t ComPortNumber = 0;
};

class Program {
public:
    explicit Program(Runtime& rt);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    Runtime& rt;
    ModuleQuorvane mod;
    ArduinoNano nano;

    FormQuorvane& quorvane() { return *main_; }

    FormOptions& options();  // loads it, hidden, when not loaded
    bool optionsLoaded() const { return options_ != nullptr; }
    void unloadOptions();

    FormZoeken& zoeken();  // loads it, hidden, when not loaded
    bool zoekenLoaded() const { return zoeken_ != nullptr; }
    void unloadZoeken();

    FormShowImage& showImage();

    // Run on a window just created, before anything else touches it: the wiring hooks its
    // handlers in and runs its load event.
    std::function<void(FormOptions&)> onOptionsLoad;
    std::function<void(FormZoeken&)> onZoekenLoad;
    std::function<void(FormShowImage&)> onShowImageLoad;
    // Run by unloadOptions before the dialog is hidden.
    std::function<void(FormOptions&)> onOptionsUnload;

    // Path of a file in a folder beside the executable: "Pictures", "Sounds", ...
    std::string programPath(const std::string& folder, const std::string& name) const;
    std::string picture(const std::string& name) const { return programPath("Pictures", name); }

private:
    std::unique_ptr<FormQuorvane> main_;
    std::unique_ptr<FormOptions> options_;
    std::unique_ptr<FormZoeken> zoeken_;
    std::unique_ptr<FormShowImage> showImage_;
};

// The application's title, used by message boxes that name it.
inline constexpr const char* kAppTitle = "Quorvane";
// The maker named by the info box.
inline constexpr const char* kCompanyName = "Marlowby";

}  // namespace qv
