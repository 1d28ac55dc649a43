// The port number read from the port list's text, as "Connect" reads it.
#include "board/port_number.h"

#include <gtest/gtest.h>

namespace qv {
namespace {

struct Row {
    const char* text;
    int16_t port;
};

TEST(PortNumberOfListText, ListEntriesAndDesignTexts) {
    for (const Row& r : {Row{"Com 7", 7}, Row{"Com 3", 3}, Row{"Com 12", 12}, Row{"Com 255", 255},
                         Row{"Not found", 0}, Row{"Com Poorts", 0}})
        EXPECT_EQ(portNumberOfListText(r.text), r.port) << r.text;
}

TEST(PortNumberOfListText, TypedTextsAreReadFromCharactersFourToSeven) {
    for (const Row& r : {Row{"COM5", 5}, Row{"5", 0}, Row{"", 0}, Row{"Com", 0}, Row{"Com  7", 7},
                         Row{"Com 12345", 123}, Row{"Com 9x", 9}, Row{"xyz10", 10}})
        EXPECT_EQ(portNumberOfListText(r.text), r.port) << r.text;
}

TEST(PortNumberOfListText, CountsCharactersNotBytes) {
    for (const Row& r : {Row{"C\u00f6m 6", 6}, Row{"C\u00f6m 1234", 123}, Row{"\u00f6\u20ac\U0001F50C7", 7}})
        EXPECT_EQ(portNumberOfListText(r.text), r.port) << r.text;
}

TEST(PortNumberOfListText, FractionsRoundHalfToEven) {
    for (const Row& r : {Row{"Com 2.5", 2}, Row{"Com 3.5", 4}, Row{"Com 0.5", 0}, Row{"Com 6.6", 7}})
        EXPECT_EQ(portNumberOfListText(r.text), r.port) << r.text;
}

TEST(PortNumberOfListText, NegativeOrTooLargeNamesNoPort) {
    for (const Row& r :
         {Row{"Com -3", 0}, Row{"Com-32", 0}, Row{"Com 1E5", 0}, Row{"Com9E99", 0}, Row{"Com 1E4", 10000}})
        EXPECT_EQ(portNumberOfListText(r.text), r.port) << r.text;
}

}  // namespace
}  // namespace qv
