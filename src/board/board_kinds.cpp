// The table of board kinds: one row per sketch, checked as it compiles.
#include "board/board_kinds.h"

#include <array>
#include <string>

namespace qv {

namespace {

constexpr LedLook kAdaFruitLeds{"Img AdaFruitled.bmp", "Img AdaFruitled Aan.bmp", true};
constexpr LedLook kLumiLeds{"Img Lumiled.bmp", "Img Lumiled Aan.bmp", false};
constexpr LedLook kRedLeds{"Img Led.bmp", "Img Led Aan.bmp", false};
constexpr LedLook kGreenLeds{"Img Led Groen.bmp", "Img Led Aan Groen.bmp", false};

constexpr std::array kKinds = {
    // Before any sketch is identified the buttons show the AdaFruit LED, and only ResetLeds
    // draws them.
    BoardKind{
        .kind = InterfaceNone,
        .infoText = "Not connected.",
        .leds = &kAdaFruitLeds,
        .clickDrawsLeds = false,
        .effectDrawsLeds = false,
    },
    BoardKind{
        .kind = InterfaceZindelmoor,
        .refusedName = "AdaFruit Zindelmoor",
        .infoText = "Arduino Standard.",
    },
    BoardKind{
        .kind = InterfaceQuillastra,
        .replyCode = "AC",
        .refusedName = "AdaFruit Quillastra",
        .infoText = "Arduino with AdaFruit AdaFruit Animations.",
        .inputs = PushButtonTrimmer,
        .effectMask = MaskCommand::First,
    },
    BoardKind{
        .kind = InterfaceAdaFruit,
        .replyCode = "AT",
        .driven = true,
        .infoText = "Arduino with AdaFruit Quorvane.",
        .inputs = PushButtonTrimmer,
        .picturedInputs = 5,
        .poll = InputPoll::Analog,
        .boardPicture = "Img Arduino Adafruit.bmp",
        .boardPictureOnReply = true,
        .leds = &kAdaFruitLeds,
        .clickSendsColours = true,
        .clickMask = MaskCommand::First,
        .effectMask = MaskCommand::First,
        .darken = DarkenFrames::First,
        .welcome = WelcomePush::ToggleDifferenceThenColours,
        .takesColours = true,
    },
    BoardKind{
        .kind = InterfaceBrendolyn,
        .replyCode = "AL",
        .refusedName = "AdaFruit Brendolyn",
        .infoText = "Arduino with AdaFruit Brendolyn.",
        .inputs = PushButtonTrimmer,
    },
    // The effect player leaves the LumiLeds buttons as they are.
    BoardKind{
        .kind = InterfaceLumiLeds,
        .replyCode = "ET",
        .driven = true,
        .infoText = "Arduino with LumiLeds.",
        .inputs = PushButtonTactSwitch,
        .picturedInputs = 8,
        .poll = InputPoll::Analog,
        .leds = &kLumiLeds,
        .effectDrawsLeds = false,
        .clickMask = MaskCommand::Second,
        .effectMask = MaskCommand::First,
        .darken = DarkenFrames::FirstThenSecond,
    },
    BoardKind{
        .kind = InterfaceTM1638,
        .replyCode = "TM",
        .driven = true,
        .infoText = "Arduino with TM1638.",
        .inputs = PushButtonTactSwitch,
        .picturedInputs = 8,
        .poll = InputPoll::Keys,
        .boardPicture = "Img tm1638-1.bmp",
        .secondVersionPicture = "Img tm1638-3.bmp",
        .leds = &kRedLeds,
        .greenLeds = &kGreenLeds,
        .clickMask = MaskCommand::ByTM1638,
        .effectMask = MaskCommand::ByTM1638,
        .darken = DarkenFrames::FirstThenSecond,
        .welcome = WelcomePush::ConnectedText,
        .takesColours = true,
        .showsText = true,
    },
};

// What the subsystems take for granted of every row.
constexpr bool wellFormed() {
    for (size_t i = 0; i < kKinds.size(); ++i) {
        const BoardKind& k = kKinds[i];
        if (static_cast<size_t>(k.kind) != i) return false;
        if (k.replyCode && std::char_traits<char>::length(k.replyCode) != 2) return false;
        if (k.replyCode && !k.inputs) return false;
        if (k.driven && (!k.replyCode || !k.leds || k.poll == InputPoll::None || k.picturedInputs == 0))
            return false;
        if (k.driven == (k.refusedName != nullptr) && k.kind != InterfaceNone) return false;
        if (k.secondVersionPicture && !k.boardPicture) return false;
    }
    return true;
}
static_assert(wellFormed(), "each kind has its row at its own number, and a driven kind is polled and lit");
static_assert(kKinds.size() == InterfaceTM1638 + 1, "a row for every kind, up to the last");

}  // namespace

const BoardKind& boardKind(int16_t kind) {
    if (kind < 0 || static_cast<size_t>(kind) >= kKinds.size()) return kKinds[InterfaceNone];
    return kKinds[static_cast<size_t>(kind)];
}

InterfaceKinds kindOfReply(std::string_view code) {
    for (const BoardKind& k : kKinds)
        if (k.replyCode && code == k.replyCode) return k.kind;
    return InterfaceNone;
}

LedLook ledLook(const BoardKind& kind, bool tm1638Red) {
    if (!tm1638Red && kind.greenLeds) return *kind.greenLeds;
    return kind.leds ? *kind.leds : LedLook{};
}

}  // namespace qv
