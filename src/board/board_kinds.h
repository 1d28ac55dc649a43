// The sketches a board can run, and everything the panel does differently for each: one
// row per kind. The subsystems look a kind's traits up here rather than testing the
// kind, so a new sketch is a new row; a subsystem switches only on a trait's value,
// without a default, so a new way of doing things is named by the compiler wherever it
// needs handling.
#pragma once

#include <cstdint>
#include <string_view>

namespace qv {

// Interface kinds: the sketch the connected board runs. A new kind goes last, with its row.
enum InterfaceKinds : int16_t {
    InterfaceNone = 0,
    InterfaceZindelmoor = 1,
    InterfaceQuillastra = 2,
    InterfaceAdaFruit = 3,
    InterfaceBrendolyn = 4,
    InterfaceLumiLeds = 5,
    InterfaceTM1638 = 6,
};

// What the input row's switches are: the pictures and the report each kind shows.
enum PushButtonKinds : int16_t {
    PushButtonTactSwitch = 1,
    PushButtonTrimmer = 2,
};

// How a polling tick asks the board for its inputs.
enum class InputPoll {
    None,
    Analog,  // "5/" when the panel whose turn it is is enabled
    Keys,    // "7/" on every tick
};

// Which command carries an LED mask to the board.
enum class MaskCommand {
    None,
    First,     // "1/m/"
    Second,    // "4/m/"
    ByTM1638,  // as the TM1638 board's version and LED colour choose
};

// What ResetLeds sends to darken the board's LEDs.
enum class DarkenFrames {
    None,
    First,            // "1/0/"
    FirstThenSecond,  // "1/0/" and "4/0/", window events processed after each
};

// What the board is sent once identified, before polling starts.
enum class WelcomePush {
    None,
    ToggleDifferenceThenColours,  // 6/n/, a wait, then the colour commands
    ConnectedText,                // 9/t/ and a wait
};

// The button pictures of one sketch's LEDs.
struct LedLook {
    const char* dark = nullptr;  // none: a writer of the LED row leaves the buttons alone
    const char* lit = nullptr;
    bool setsBackground = false;  // the picture's black parts show the LED colour
};

struct BoardKind {
    InterfaceKinds kind;
    const char* replyCode = nullptr;    // the identification reply naming it; none: no reply does
    bool driven = false;                // the connection stays after identification, else refused
    const char* refusedName = nullptr;  // the sketch the refusal names; none: no board answered
    const char* infoText = "";

    // The input row: the switches a reply naming the kind sets, and how many inputs show
    // their picture once identified (the rest show none).
    PushButtonKinds inputs{};
    int picturedInputs = 0;
    InputPoll poll = InputPoll::None;

    // The board picture shown once identified (none: the picture stays); a board with two
    // versions shows its first one then and its second one when the output page picks it.
    const char* boardPicture = nullptr;
    const char* secondVersionPicture = nullptr;
    bool boardPictureOnReply = false;  // shown as soon as the reply names the kind

    // The LED row: the buttons' look, its green variant where the board has a choice of
    // LED colour, and which writers besides ResetLeds draw it.
    const LedLook* leds = nullptr;
    const LedLook* greenLeds = nullptr;
    bool clickDrawsLeds = true;
    bool effectDrawsLeds = true;

    // The frames that light and darken the board's LEDs.
    bool clickSendsColours = false;  // the colour commands ahead of a click's mask
    MaskCommand clickMask = MaskCommand::None;
    MaskCommand effectMask = MaskCommand::None;
    DarkenFrames darken = DarkenFrames::None;

    // The settings the board is sent.
    WelcomePush welcome = WelcomePush::None;
    bool takesColours = false;  // Apply and OK send it the colour commands
    bool showsText = false;     // "Set Connected text" sends it the text
};

// The row of a kind; a value that names no kind gets InterfaceNone's.
const BoardKind& boardKind(int16_t kind);

// The kind that an identification reply's two-letter code names, or InterfaceNone.
InterfaceKinds kindOfReply(std::string_view code);

// The LED look of a kind's buttons with the LED colour chosen; empty when it has none.
LedLook ledLook(const BoardKind& kind, bool tm1638Red);

}  // namespace qv
