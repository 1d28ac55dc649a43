#include "settings/settings_store.h"

#include <filesystem>
#include <fstream>

#include "files/settings_file.h"
#include "platform/numbers.h"
#include "settings/settings_dialog.h"

namespace qv {

namespace {

// The login name as a 25-byte buffer with its terminating NUL holds it.
std::string loginName(const std::string& raw) {
    const std::string name = raw.substr(0, raw.find('\0'));
    return name.substr(0, 24);
}

// Reads the file into the record. A failure when the file cannot be opened or read, is
// cut short, or holds a number that does not fit its field.
Result<> readFile(SettingsRecord& rec, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return Failure{"the file cannot be opened"};
    return settings_file::read(in, rec);
}

// Puts the record's values, which the dialog takes, on the settings dialog and the main
// window.
void show(Program& prog, FormQuorvane& w) {
    const SettingsRecord& rec = prog.mod.settings;
    FormOptions& options = prog.options();
    options.HScroll_BinaryToggle.setValue(rec.BinaryToggleValue);
    options.HScroll_Toggle_Difference.setValue(*toInt16(rec.ToggleDifference));
    w.Label_StatusBalk(12).Caption = std::to_string(options.HScroll_Toggle_Difference.value());
    const int32_t analog = FormQuorvane::colorOf(rec.InputAnalogColor);
    for (int i = 1; i <= 5; ++i) w.Shape_Ingang(i).FillColor = analog;
    w.OptionGeluid(rec.SoundOnOff).select();
}

}  // namespace

void SettingsStore::InlezenSettings() {
    SettingsRecord& rec = prog.mod.settings;
    const Environment& env = prog.rt.env();
    rec.UserName = loginName(env.loginName);

    const std::string folder = settings_file::folderPath(env);
    if (!FolderExists(folder)) {
        // A folder that cannot be made shows up as the save error of the first save.
        std::error_code ec;
        std::filesystem::create_directory(folder, ec);
    }

    // The dialog's load writes the toggle difference to the status bar only when it differs
    // from the scroll bar's start: where the standard values come in, the status bar is
    // told what is in force.
    const auto showToggleDifference = [&] {
        w.Label_StatusBalk(12).Caption = std::to_string(toInt16(rec.ToggleDifference).value_or(0));
    };
    const std::string path = settings_file::filePath(env);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        SetStandard();
        prog.options().SaveSettings();
        showToggleDifference();
    } else if (const Result<> read = readFile(rec, path); read && dialogTakes(rec)) {
        show(prog, w);
    } else {
        SetStandard();
        // The standard set leaves these two as read; a value no control takes would fail
        // every later load of the dialog, so it falls back to 0, as before any reading.
        if (rec.SwapOutputs != 0 && rec.SwapOutputs != 1) rec.SwapOutputs = 0;
        if (!settingColor(rec.InputDisabledColor)) rec.InputDisabledColor = 0;
        // A file that reads but holds a value the dialog refuses leaves the dialog loaded,
        // showing the standard values, as the file's own values would have.
        if (read) prog.options();
        showToggleDifference();
    }

    setLedBytes(rec, FormQuorvane::colorOf(rec.LedColor));
}

void SettingsStore::SetStandard() {
    prog.rt.msgBox("Settings are corrupt. Standard will be set.", MsgCritical, "Settings problem.");
    SettingsRecord& rec = prog.mod.settings;
    rec.LedColor = kStandardLedColor;
    rec.InputBinaryColor = kStandardInputBinaryColor;
    rec.BinaryToggleValue = 512;
    rec.ToggleDifference = 2;
    rec.InputAnalogColor = kStandardInputAnalogColor;
    rec.SoundOnOff = 1;
    rec.SoundStartOnOff = 1;
    rec.ConnectedText = "ARDUINO ";
}

void SettingsStore::SaveSettings(FormOptions& f) {
    SettingsRecord& rec = prog.mod.settings;
    rec.LedColor = f.Shape_LedColor.FillColor;
    rec.InputBinaryColor = f.Shape_InputBinaryColor.FillColor;
    rec.BinaryToggleValue = static_cast<int16_t>(f.HScroll_BinaryToggle.value());
    rec.ToggleDifference = static_cast<float>(f.HScroll_Toggle_Difference.value());
    rec.InputAnalogColor = f.Shape_InputAnalogColor.FillColor;
    rec.InputDisabledColor = f.Shape_InputDisabledColor.FillColor;
    rec.SoundOnOff = static_cast<int16_t>(f.Check_SoundOnOff.value());
    rec.SoundStartOnOff = static_cast<int16_t>(f.Check_SoundStartOnOff.value());

    const std::string path = settings_file::filePath(prog.rt.env());
    if (const Result<> saved = settings_file::save(path, settings_file::write(rec)); !saved)
        prog.rt.msgBox(settings_file::saveErrorMessage(saved.failure()), MsgOkOnly, kAppTitle);

    for (int i = 1; i <= 5; ++i) {
        w.Shape_Ingang(i).FillColor = FormQuorvane::colorOf(rec.InputAnalogColor);
        Label& input = w.Label_Drukknop(i);
        if (input.BackColor == kWindowBack) continue;
        const bool disabled = static_cast<double>(input.BackColor) == prog.mod.PreviousDisabledColor;
        input.BackColor = FormQuorvane::colorOf(disabled ? rec.InputDisabledColor : rec.InputBinaryColor);
    }
    w.ResetLeds();
}

}  // namespace qv
