// The text protocol with the board's sketch: every command text the program writes,
// and the classification of what the board sends back. Command texts are built here
// and nowhere else.
#pragma once

#include <cstdint>
#include <string>

#include "board/board_kinds.h"

namespace qv::protocol {

// Commands, program to board. Number fields are the shortest decimal text of the value.
std::string IdentifyRequest();                            // "90/"
std::string AnalogPollRequest();                          // "5/"
std::string KeyPollRequest();                             // "7/"
std::string LedMaskCommand(int mask);                     // "1/" m "/"
std::string SecondLedMaskCommand(int mask);               // "4/" m "/"
std::string ToggleDifferenceCommand(int n);               // "6/" n "/"
std::string DisplayTextCommand(const std::string& text);  // "9/" t "/"
std::string LedRedCommand(int r);                         // "20/" r "/"
std::string LedGreenCommand(int g);                       // "21/" g "/"
std::string LedBlueCommand(int b);                        // "22/" b "/"
// The display text that every disconnect sends.
inline constexpr const char* kDisconnectText = " in out ";

// Replies, board to program, named by their first two characters (exact, case-sensitive).
enum class ReplyKind { None, Analog, Digital, Identification };

struct Reply {
    ReplyKind kind = ReplyKind::None;
    int channel = 0;                        // Analog: 0..4
    std::string field;                      // Analog, Digital: characters 3 to 8 of the message
    int16_t interfaceKind = InterfaceNone;  // Identification: Quillastra to TM1638
};

// Classifies one received message. Only its start counts: two replies drained together
// are one message, classified by the first.
Reply classify(const std::string& message);

}  // namespace qv::protocol
