#include "view/resizer.h"

#include "platform/numbers.h"

namespace qv {

namespace {

// The resizer reaches the same five properties on every control; these say which ones
// a control of each kind has, so the rest are skipped as the platform refuses them.
bool hasGeometry(const Control& c) { return c.kind != ControlKind::Timer; }

bool hasFont(const Control& c) {
    switch (c.kind) {
        case ControlKind::Timer:
        case ControlKind::Image:
        case ControlKind::Shape:
        case ControlKind::HScrollBar:
        case ControlKind::VScrollBar:
            return false;
        default:
            return true;
    }
}

// A drop-down list's height follows its font; it cannot be set while the program runs.
bool heightSettable(const Control& c) { return hasGeometry(c) && c.kind != ControlKind::ComboBox; }

// The window's outer size as the view keeps it; before a view has measured the window
// (or when it reports nothing) the design's client size stands in, so the record and
// the ratios never divide by zero.
float outerWidth(const Form& f) { return static_cast<float>(f.Width > 0 ? f.Width : f.ClientWidth); }
float outerHeight(const Form& f) { return static_cast<float>(f.Height > 0 ? f.Height : f.ClientHeight); }

}  // namespace

void Resizer::ReloadPos() {
    using SavedPlacement = FormQuorvane::SavedPlacement;
    std::vector<SavedPlacement>& SavedLayout = w.SavedLayout;
    const std::vector<Control*>& controls = w.Controls();
    SavedLayout.assign(controls.size() + 1, SavedPlacement{});
    for (size_t i = 0; i < controls.size(); ++i) {
        Control& c = *controls[i];
        SavedPlacement& r = SavedLayout[i];
        r.Ctl = &c;
        if (hasGeometry(c)) {
            r.Left = static_cast<float>(c.Left);
            r.Top = static_cast<float>(c.Top);
            r.Width = static_cast<float>(c.Width);
            r.Height = static_cast<float>(c.Height);
        }
        if (hasFont(c)) r.FontSize = toInt16(c.font->Size).value_or(0);
    }
    SavedPlacement& window = SavedLayout.back();
    window.Left = static_cast<float>(w.Left);
    window.Top = static_cast<float>(w.Top);
    window.Width = outerWidth(w);
    window.Height = outerHeight(w);
}

void Resizer::Form_Resize() {
    using SavedPlacement = FormQuorvane::SavedPlacement;
    const std::vector<SavedPlacement>& SavedLayout = w.SavedLayout;
    if (SavedLayout.empty()) return;
    const SavedPlacement& window = SavedLayout.back();
    if (window.Width <= 0 || window.Height <= 0) return;
    const float wr = outerWidth(w) / window.Width;
    const float hr = outerHeight(w) / window.Height;

    // Every value comes from the record, never from the control's present one, so
    // resizing back and forth never accumulates rounding.
    for (size_t i = 0; i + 1 < SavedLayout.size(); ++i) {
        const SavedPlacement& r = SavedLayout[i];
        Control& c = *r.Ctl;
        if (hasGeometry(c)) {
            c.Left = r.Left * wr;
            c.Top = r.Top * hr;
            c.Width = r.Width * wr;
        }
        if (heightSettable(c)) c.Height = r.Height * hr;
        // A font of no size is refused, as the platform refuses it.
        const float size = static_cast<float>(r.FontSize) * hr;
        if (hasFont(c) && size > 0 && c.font->Size != static_cast<double>(size)) c.font.edit().Size = size;
    }
}

}  // namespace qv
