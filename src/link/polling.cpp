#include "link/polling.h"

#include <string>

#include "board/decimal_field.h"
#include "board/protocol.h"
#include "platform/numbers.h"
#include "windows/form_zoeken.h"

namespace qv {

namespace {
// Header colour of the search window while a reply is being checked.
constexpr int32_t kCheckingColor = 0xFFFF80;
// A board that never stops sending (a sketch printing without pause) would keep a drain
// reading for ever and nest a receive handler in it for every arrival, until the stack
// runs out. A message ends at the size of the receive buffer, and a handler nested this
// deep leaves the characters to the drains around it.
constexpr size_t kMaxMessage = 1024;
constexpr int kMaxReceiveNesting = 4;
}  // namespace

void Polling::TimerLeesIngangen_Timer() {
    if (!w.Serialport.PortOpen()) return;
    switch (boardKind(prog.nano.InterfaceKind).poll) {
        case InputPoll::None:
            break;
        case InputPoll::Analog:
            // A disabled panel still takes its turn, so the other channels keep their pace.
            if (w.Label_Drukknop(w.AnalogPollIndex + 1).Tag == kInputEnabledTag)
                w.Serialport.Output(protocol::AnalogPollRequest());
            w.AnalogPollIndex =
                w.AnalogPollIndex < 4 ? static_cast<int16_t>(w.AnalogPollIndex + 1) : int16_t{0};
            break;
        case InputPoll::Keys:
            w.Serialport.Output(protocol::KeyPollRequest());
            break;
    }
}

void Polling::Serialport_OnComm() {
    if (!w.Serialport.PortOpen() || w.Serialport.InBufferCount() == 0) return;
    if (receiveDepth_ >= kMaxReceiveNesting) return;

    // Whatever one event drains is one message. Events processed inside the drain may
    // raise a receive event of their own, which then takes what has arrived by then.
    // Up to the end of the drain this handler changes nothing on screen.
    std::string message;
    std::string sound;
    ++receiveDepth_;
    while (w.Serialport.InBufferCount() > 0 && message.size() < kMaxMessage) {
        message += w.Serialport.Input();
        prog.rt.doEventsUnchanged();
    }
    --receiveDepth_;
    if (message.empty()) return;

    const protocol::Reply reply = protocol::classify(message);
    switch (reply.kind) {
        case protocol::ReplyKind::Analog:
            sound = w.ops.ShowAnalogReport(reply.channel + 1, reply.field);
            break;
        case protocol::ReplyKind::Digital: {
            // A mask that does not fit a 16-bit integer is no key report the board sends.
            const std::optional<int16_t> mask = toInt16(decimalField(reply.field));
            if (mask) sound = w.ops.ShowDigitalReport(*mask);
            break;
        }
        case protocol::ReplyKind::Identification: {
            const BoardKind& kind = boardKind(reply.interfaceKind);
            prog.nano.InterfaceKind = kind.kind;
            prog.nano.PushButtonKind = kind.inputs;
            if (kind.driven) {
                Label& kop = prog.zoeken().Label_Kop;
                kop.Caption = "Checking";
                kop.ForeColor = kCheckingColor;
            }
            if (kind.boardPictureOnReply) w.IMG_Interface.Picture = prog.picture(kind.boardPicture);
            break;
        }
        case protocol::ReplyKind::None:
            break;
    }

    if (!sound.empty()) w.ops.PlaySoundIfOn(sound);
}

}  // namespace qv
