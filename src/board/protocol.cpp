#include "board/protocol.h"

namespace qv::protocol {

namespace {
std::string numbered(int code, long long value) {
    return std::to_string(code) + "/" + std::to_string(value) + "/";
}
}  // namespace

std::string IdentifyRequest() { return "90/"; }
std::string AnalogPollRequest() { return "5/"; }
std::string KeyPollRequest() { return "7/"; }
std::string LedMaskCommand(int mask) { return numbered(1, mask); }
std::string SecondLedMaskCommand(int mask) { return numbered(4, mask); }
std::string ToggleDifferenceCommand(int n) { return numbered(6, n); }
std::string DisplayTextCommand(const std::string& text) { return "9/" + text + "/"; }
std::string LedRedCommand(int r) { return numbered(20, r); }
std::string LedGreenCommand(int g) { return numbered(21, g); }
std::string LedBlueCommand(int b) { return numbered(22, b); }

Reply classify(const std::string& message) {
    Reply r;
    const std::string head = message.substr(0, 2);
    const std::string field = message.size() > 2 ? message.substr(2, 6) : std::string();
    if (head.size() == 2 && head[0] == 'A' && head[1] >= '0' && head[1] <= '4') {
        r.kind = ReplyKind::Analog;
        r.channel = head[1] - '0';
        r.field = field;
    } else if (head == "DI") {
        r.kind = ReplyKind::Digital;
        r.field = field;
    } else if (const InterfaceKinds kind = kindOfReply(head); kind != InterfaceNone) {
        r.kind = ReplyKind::Identification;
        r.interfaceKind = kind;
    }
    return r;
}

}  // namespace qv::protocol
