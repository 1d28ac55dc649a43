// The program: its program-wide values and its four windows.
//
// The main window lives for the whole run. The settings dialog and the search window
// are loaded (hidden) on first touch: every access goes through options() and
// zoeken(), which load the window when it is not loaded, exactly as touching a control
// of an unloaded window loads it. Unloading disposes of the object once control is
// back at the outer event loop, so a handler of the unloaded window may still finish.
#pragma once

#include <cstdint>
#include <memory>

#include "effects/effect_data.h"
#include "platform/runtime.h"
#include "settings/settings_record.h"

namespace qv {

class FormQuorvane;
class FormOptions;
class FormZoeken;
class FormShowImage;

// Fixed colours of the windows.
inline constexpr int32_t kWindowBack = 0xE1C6B3;  // window background, "off" label colour
inline constexpr int32_t kGood = 0x80FF80;
inline constexpr int32_t kBad = 0x8080FF;
inline constexpr int32_t kHeaderBack = 0x400000;

// Interface kinds: the sketch the connected board runs.
enum InterfaceKinds : int16_t {
    InterfaceNone = 0,
    InterfaceZindelmoor = 1,
    InterfaceQuillastra = 2,
    InterfaceAdaFruit = 3,
    InterfaceBrendolyn = 4,
    InterfaceLumiLeds = 5,
    InterfaceTM1638 = 6,
};

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
    int16_t PushButtonKind = 0;  // 1 tact switch, 2 trimmer
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
    bool showImageLoaded() const { return showImage_ != nullptr; }

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

// The program's version information: shown by the info box and the settings dialog.
struct VersionInfo {
    int major, minor, build, revision;
};
inline constexpr VersionInfo kVersion{1, 5, 0, 36};
inline constexpr const char* kCompanyName = "Marlowby";

}  // namespace qv
