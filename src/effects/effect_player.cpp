#include "link/protocol.h"
#include "panel/form_quorvane.h"
#include "panel/led_row.h"

namespace qv {

namespace {

constexpr const char* kStart = "Start";
constexpr const char* kStop = "Stop";
constexpr int kAutoNextPasses = 5;
// The speed bar's value is subtracted from this to give the divisor of the timing.
constexpr double kSpeedBase = 5050.0;
// A pass that never waited (no steps, a timing of zero or less, steps slower to draw
// than their time) pauses this long, so a stop click gets through and the loop does
// not keep a core busy.
constexpr double kIdlePassPause = 0.010;

// The player shows pictures for the AdaFruit and TM1638 sketches only; the LumiLeds
// buttons keep whatever they show.
LedPictures stepPictures(int16_t kind, bool tm1638Red) {
    return kind == InterfaceLumiLeds ? LedPictures{} : ledPictures(kind, tm1638Red);
}

// The frame of one step for the connected sketch, or empty when it gets none.
std::string stepFrame(const ArduinoNano& nano, int mask) {
    switch (nano.InterfaceKind) {
        case InterfaceQuillastra:
        case InterfaceAdaFruit:
        case InterfaceLumiLeds:
            return protocol::LedMaskCommand(mask);
        case InterfaceTM1638:
            if (!nano.TM1638V11 && nano.TM1638LedRed) return protocol::SecondLedMaskCommand(mask);
            return protocol::LedMaskCommand(mask);
        default:
            return {};
    }
}

// Draws one step on the LED row, rebuilds the mask and sends it to the board.
void showStep(FormQuorvane& w, const std::string& step) {
    Program& prog = w.prog;
    const int32_t ledColor = FormQuorvane::colorOf(prog.mod.settings.LedColor);
    const LedPictures pictures = stepPictures(prog.nano.InterfaceKind, prog.nano.TM1638LedRed);

    prog.mod.LedStatus = 0;
    for (int led = 1; led <= 8; ++led) {
        const bool lit = step.size() >= static_cast<size_t>(led) && step[static_cast<size_t>(led - 1)] == '+';
        w.Label_LumiLed(led).BackColor = lit ? ledColor : kWindowBack;
        w.LedLit[static_cast<size_t>(led)] = lit;
        if (pictures.lit) {
            CommandButton& button = w.CMD_LumiLed(led);
            button.Picture = prog.picture(lit ? pictures.lit : pictures.dark);
            if (pictures.setsBackground) button.BackColor = lit ? ledColor : kWhite;
        }
        if (lit)
            prog.mod.LedStatus =
                static_cast<int16_t>(prog.mod.LedStatus + ledWeight(led, prog.mod.settings.SwapOutputs));
    }
    if (w.Serialport.PortOpen()) {
        const std::string frame = stepFrame(prog.nano, prog.mod.LedStatus);
        if (!frame.empty()) w.Serialport.Output(frame);
    }
}

}  // namespace

void FormQuorvane::SpeelEffect(int16_t AantalKeerSpelen) {
    EffectData& fx = prog.mod.effect;
    // Re-read at every check: a moved speed bar or a newly loaded file changes the step
    // under way.
    const auto stepEnd = [&](double t0) {
        return t0 + fx.EffectTiming / (kSpeedBase - VScrollSpeed.value());
    };

    for (int pass = 1; pass <= AantalKeerSpelen; ++pass) {
        // A file read during the pass changes the texts and timing, not the count.
        const int16_t count = fx.EffectStepCount;
        bool waited = false;
        for (int s = 1; s <= count; ++s) {
            const double t0 = rt.now();
            showStep(*this, fx.EffectSteps[static_cast<size_t>(s)]);
            if (CMD_Animatie.Caption == kStart) {
                prog.mod.LedStatus = 0;
                return;
            }
            for (double end = stepEnd(t0); end > rt.now(); end = stepEnd(t0)) {
                rt.waitForEvents(end);
                waited = true;
            }
        }
        // A wait on the clock, not for the next event: every frame sent leaves an event
        // of the port behind, which would end the pause at once.
        if (!waited) rt.wait(kIdlePassPause);
    }
}

void FormQuorvane::CMD_Animatie_Click() {
    const std::string caption = CMD_Animatie.Caption;
    if (caption == kStart) {
        CMD_Animatie.Caption = kStop;
        ResetLeds();
        if (Check_Auto_volgende_Effect.value() != 0) {
            while (CMD_Animatie.Caption == kStop) {
                LeesEffect();
                SpeelEffect(kAutoNextPasses);
                const int listed = File_List_Effecten.ListCount();
                if (CMD_Animatie.Caption == kStop && listed > 0) {
                    const int next = File_List_Effecten.listIndex() + 1;
                    File_List_Effecten.setListIndex(next < listed ? next : 0);
                }
            }
        } else {
            LeesEffect();
            while (CMD_Animatie.Caption == kStop) {
                SpeelEffect(1);
                rt.doEvents();
            }
        }
        ResetLeds();
    } else if (caption == kStop) {
        CMD_Animatie.Caption = kStart;
        ResetLeds();
    }
}

void FormQuorvane::Check_Auto_volgende_Effect_Click() { CMD_Animatie.Caption = kStart; }

}  // namespace qv
