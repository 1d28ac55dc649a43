#include "effects/effect_reader.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "files/effect_file.h"

namespace qv {

namespace {

constexpr const char* kEffectsFolder = "Effects";

// True when the folder holds a file the effect list would show ("*.led", any case).
bool holdsEffectFiles(const std::string& folder) {
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(folder, ec)) {
        if (!e.is_regular_file(ec)) continue;
        std::string name = e.path().filename().string();
        std::transform(name.begin(), name.end(), name.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (name.ends_with(".led")) return true;
    }
    return false;
}

}  // namespace

void EffectReader::LeesEffect() {
    const std::string name = w.File_List_Effecten.FileName();
    if (name.empty()) return;
    const std::string path = prog.programPath(kEffectsFolder, name);

    Result<effects::EffectFile> read = effects::readEffectFile(path, kMaxEffectSteps);
    if (!read) {
        // The loaded effect stays whole. The auto-next advance reads a file twice in a
        // row, so the same refusal is told once until another file loads.
        const std::string refusal = path + "\n" + read.error();
        if (refusal != refusedEffect_) {
            refusedEffect_ = refusal;
            rt.msgBox("The effect file " + path + " cannot be loaded: " + read.error() + "." +
                          (effectLoaded_ ? "\rThe animation loaded before stays in use."
                                         : "\rNo animation is loaded."),
                      MsgExclamation, kAppTitle);
        }
        return;
    }
    refusedEffect_.clear();
    effectLoaded_ = true;

    EffectData& fx = prog.mod.effect;
    fx.EffectStepCount = 0;
    fx.EffectTiming = read->timing;
    w.Label_Animaties.Caption = "Animation (s = " + std::to_string(fx.EffectTiming) + ")";
    // Slots above the new count keep what a longer file left there.
    for (std::string& step : read->steps) {
        ++fx.EffectStepCount;
        fx.EffectSteps[static_cast<size_t>(fx.EffectStepCount)] = std::move(step);
    }
}

void EffectReader::File_List_Effecten_Click() { LeesEffect(); }

void EffectReader::startupEffects() {
    const std::string folder = rt.env().programFolder + "/" + kEffectsFolder;
    if (holdsEffectFiles(folder)) {
        w.File_List_Effecten.setPath(folder);
        if (w.File_List_Effecten.ListCount() > 0) {
            w.File_List_Effecten.setListIndex(0);
            return;
        }
    }
    w.CMD_Animatie.Enabled = false;
    w.Check_Auto_volgende_Effect.Enabled = false;
    w.File_List_Effecten.Enabled = false;
    w.Label_Animaties.Caption = "No animations found";
}

}  // namespace qv
