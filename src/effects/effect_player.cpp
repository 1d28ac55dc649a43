#include "effects/effect_player.h"

#include "windows/led_row.h"

namespace qv {

namespace {

constexpr const char* kStart = kStartCaption;
constexpr const char* kStop = kStopCaption;
constexpr int kAutoNextPasses = 5;
// The speed bar's value is subtracted from this to give the divisor of the timing.
constexpr double kSpeedBase = 5050.0;
// A pass that never waited (no steps, a timing of zero or less, steps slower to draw
// than their time) pauses this long, so a stop click gets through and the loop does
// not keep a core busy.
constexpr double kIdlePassPause = 0.010;

// Draws one step on the LED row, rebuilds the mask and sends it to the board. True when
// the LED row looks different now.
bool showStep(Program& prog, FormQuorvane& w, const std::string& step) {
    const int32_t ledColor = FormQuorvane::colorOf(prog.mod.settings.LedColor);
    const BoardKind& kind = boardKind(prog.nano.InterfaceKind);
    const LedLook look = kind.effectDrawsLeds ? ledLook(kind, prog.nano.TM1638LedRed) : LedLook{};

    prog.mod.LedStatus = 0;
    bool changed = false;
    for (int led = 1; led <= 8; ++led) {
        const bool lit = step.size() >= static_cast<size_t>(led) && step[static_cast<size_t>(led - 1)] == '+';
        changed |= showLed(prog, w, led, lit, look, ledColor);
        if (lit)
            prog.mod.LedStatus =
                static_cast<int16_t>(prog.mod.LedStatus + ledWeight(led, prog.mod.settings.SwapOutputs));
    }
    if (w.Serialport.PortOpen()) {
        const std::string frame = maskCommand(kind.effectMask, prog.nano, prog.mod.LedStatus);
        if (!frame.empty()) w.Serialport.Output(frame);
    }
    return changed;
}

}  // namespace

void EffectPlayer::SpeelEffect(int16_t AantalKeerSpelen) {
    EffectData& fx = prog.mod.effect;
    // Re-read at every check: a moved speed bar or a newly loaded file changes the step
    // under way.
    const auto stepEnd = [&](double t0) {
        return t0 + fx.EffectTiming / (kSpeedBase - w.VScrollSpeed.value());
    };

    // Whoever called may have changed the screen (the Start caption, a newly read file).
    drawnSinceWait_ = true;
    for (int pass = 1; pass <= AantalKeerSpelen; ++pass) {
        // A file read during the pass changes the texts and timing, not the count.
        const int16_t count = fx.EffectStepCount;
        bool waited = false;
        for (int s = 1; s <= count; ++s) {
            const double t0 = rt.now();
            if (showStep(prog, w, fx.EffectSteps[static_cast<size_t>(s)])) drawnSinceWait_ = true;
            if (w.CMD_Animatie.Caption == kStart) {
                prog.mod.LedStatus = 0;
                return;
            }
            // Between the waits of one step the player changes nothing on screen: only the
            // first of them needs the step brought to the screen.
            bool shown = false;
            for (double end = stepEnd(t0); end > rt.now(); end = stepEnd(t0)) {
                if (shown) {
                    rt.waitForEventsUnchanged(end);
                } else {
                    rt.waitForEvents(end);
                }
                shown = true;
                waited = true;
                drawnSinceWait_ = false;
            }
        }
        // A wait on the clock, not for the next event: every frame sent leaves an event
        // of the port behind, which would end the pause at once.
        if (!waited) {
            if (drawnSinceWait_) {
                rt.wait(kIdlePassPause);
            } else {
                // A step that looks as the last one did (a one-step effect, every pass)
                // has nothing to bring to the screen.
                for (const double end = rt.now() + kIdlePassPause; end > rt.now();)
                    rt.waitForEventsUnchanged(end);
            }
            drawnSinceWait_ = false;
        }
    }
}

void EffectPlayer::CMD_Animatie_Click() {
    const std::string caption = w.CMD_Animatie.Caption;
    if (caption == kStart) {
        w.CMD_Animatie.Caption = kStop;
        w.ResetLeds();
        if (w.Check_Auto_volgende_Effect.value() != 0) {
            while (w.CMD_Animatie.Caption == kStop) {
                reader_.LeesEffect();
                SpeelEffect(kAutoNextPasses);
                const int listed = w.File_List_Effecten.ListCount();
                if (w.CMD_Animatie.Caption == kStop && listed > 0) {
                    const int next = w.File_List_Effecten.listIndex() + 1;
                    w.File_List_Effecten.setListIndex(next < listed ? next : 0);
                }
            }
        } else {
            reader_.LeesEffect();
            while (w.CMD_Animatie.Caption == kStop) {
                SpeelEffect(1);
                if (drawnSinceWait_) {
                    rt.doEvents();
                } else {
                    rt.doEventsUnchanged();
                }
            }
        }
        w.ResetLeds();
    } else if (caption == kStop) {
        w.CMD_Animatie.Caption = kStart;
        w.ResetLeds();
    }
}

void EffectPlayer::Check_Auto_volgende_Effect_Click() { w.CMD_Animatie.Caption = kStart; }

}  // namespace qv
