#include "platform/numbers.h"

#include <gtest/gtest.h>

#include "board/decimal_field.h"
#include "board/protocol.h"

namespace qv {
namespace {

TEST(DecimalField, ReadsTheNumberAtTheStartAndDropsBlanks) {
    EXPECT_EQ(decimalField("517"), 517);
    EXPECT_EQ(decimalField(""), 0);
    EXPECT_EQ(decimalField("abc"), 0);
    EXPECT_EQ(decimalField(" 5 1\t2\n"), 512);
    EXPECT_EQ(decimalField("512A2300"), 512);
    EXPECT_EQ(decimalField("-3.5e2x"), -350);
    EXPECT_EQ(decimalField("1E"), 1);
    EXPECT_EQ(decimalField(".5"), 0.5);
    EXPECT_EQ(decimalField("+7"), 7);
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(*toInt16(32767.4), 32767);
    EXPECT_FALSE(toInt16(32767.5).has_value());
    EXPECT_FALSE(toInt16(-32769).has_value());
    EXPECT_EQ(*toInt16(-32768.5), -32768);
}

TEST(Protocol, CommandTextsAreExact) {
    EXPECT_EQ(protocol::LedMaskCommand(255), "1/255/");
    EXPECT_EQ(protocol::SecondLedMaskCommand(0), "4/0/");
    EXPECT_EQ(protocol::DisplayTextCommand(protocol::kDisconnectText), "9/ in out /");
    EXPECT_EQ(protocol::DisplayTextCommand(""), "9//");
    EXPECT_EQ(protocol::LedRedCommand(255) + protocol::LedGreenCommand(0) + protocol::LedBlueCommand(0),
              "20/255/21/0/22/0/");
}

TEST(Protocol, RepliesAreNamedByTheirFirstTwoCharacters) {
    auto a = protocol::classify("A3517");
    EXPECT_EQ(a.kind, protocol::ReplyKind::Analog);
    EXPECT_EQ(a.channel, 3);
    EXPECT_EQ(a.field, "517");
    EXPECT_EQ(protocol::classify("A0").field, "");
    EXPECT_EQ(protocol::classify("A1512A2300").field, "512A23");
    EXPECT_EQ(protocol::classify("A5123").kind, protocol::ReplyKind::None);
    EXPECT_EQ(protocol::classify("at").kind, protocol::ReplyKind::None);
    EXPECT_EQ(protocol::classify("ATxyz").interfaceKind, 3);
    EXPECT_EQ(protocol::classify("TM").interfaceKind, 6);
    EXPECT_EQ(protocol::classify("A").kind, protocol::ReplyKind::None);
    EXPECT_EQ(protocol::classify("DI5").kind, protocol::ReplyKind::Digital);
}

}  // namespace
}  // namespace qv
