#include "files/effect_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace qv::effects {
namespace {

using Items = std::vector<std::string>;

TEST(EffectItems, SeparatorsBlanksQuotesAndEmptyItems) {
    const struct {
        const char* text;
        Items items;
    } cases[] = {
        {"550\r\n+\r\n-+\r\n", {"550", "+", "-+"}},
        {"550,+,-+", {"550", "+", "-+"}},
        {"550\n+\r-+\r\n", {"550", "+", "-+"}},
        {"550\r\n +\r\n\t-+", {"550", "+", "-+"}},
        {"550\r\n\" +,x\"\r\n\"open", {"550", " +,x", "open"}},
        {"550\r\n\"+\"tail,-+", {"550", "+", "-+"}},
        {"550\r\n+\r\n\r\n++\r\n", {"550", "+", "", "++"}},
        {"550,,+,\r\n", {"550", "", "+", ""}},
        {"550\r\n+\r\n\r\n", {"550", "+", ""}},
        {"550\r\n+   ", {"550", "+   "}},
        {"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(splitItems(c.text, 1000), c.items) << c.text;
    EXPECT_EQ(splitItems("1,2,3,4", 2), (Items{"1", "2"}));
}

TEST(EffectTiming, WholeNumbersThatFit32BitsOnly) {
    EXPECT_EQ(parseTiming("550"), 550);
    EXPECT_EQ(parseTiming("-3"), -3);
    EXPECT_EQ(parseTiming("+7\t "), 7);
    EXPECT_EQ(parseTiming("2147483647"), 2147483647);
    EXPECT_EQ(parseTiming("-2147483648"), INT32_MIN);
    for (const char* bad : {"", "  ", "12x", "5.5", "1e3", "+-5", "--5", "2147483648", "five"})
        EXPECT_FALSE(parseTiming(bad).has_value()) << bad;
}

TEST(EffectParse, StepsAreCappedAndBadFilesRefused) {
    std::string hundredAndOne = "55";
    for (int i = 1; i <= 101; ++i) hundredAndOne += "\r\n" + std::to_string(i);
    const Result<EffectFile> capped = parseEffect(hundredAndOne, 100);
    ASSERT_TRUE(capped);
    EXPECT_EQ(capped->steps.size(), 100u);
    EXPECT_EQ(capped->steps.back(), "100");

    const Result<EffectFile> timingOnly = parseEffect(
        "\xEF\xBB\xBF"
        "550\r\n",
        100);
    ASSERT_TRUE(timingOnly);
    EXPECT_EQ(timingOnly->timing, 550);
    EXPECT_TRUE(timingOnly->steps.empty());

    EXPECT_FALSE(parseEffect("", 100));
    const Result<EffectFile> bad = parseEffect("12x\r\n+\r\n", 100);
    EXPECT_FALSE(bad);
    EXPECT_NE(bad.error().find("\"12x\""), std::string::npos);
    EXPECT_FALSE(readEffectFile("/nonexistent/none.led", 100));
}

TEST(EffectParse, ReadingStopsAtTheLastStepItUses) {
    std::string full = "550";
    for (int i = 1; i <= 100; ++i) full += "\r\n+-+-+-+-";
    full += "\r\n";
    std::istringstream tail(full + std::string(8 << 20, '+'));
    const Result<EffectFile> capped = parseEffect(tail, 100);
    ASSERT_TRUE(capped);
    EXPECT_EQ(capped->steps.size(), 100u);
    EXPECT_EQ(tail.tellg(), static_cast<std::streamoff>(full.size())) << "nothing after step 100 is read";

    // A single huge line is refused before it is read whole.
    std::istringstream huge("550\r\n" + std::string(8 << 20, '+'));
    const Result<EffectFile> refused = parseEffect(huge, 100);
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.error().find("1 MB"), std::string::npos);
    EXPECT_LE(huge.tellg(), std::streamoff{1 << 20});
}

TEST(EffectParse, AFileThatFailsToReadIsRefused) {
    // A folder opens as a file stream, but every read of it fails.
    std::ifstream folder(std::filesystem::temp_directory_path(), std::ios::binary);
    ASSERT_TRUE(folder);
    const Result<EffectFile> refused = parseEffect(folder, 100);
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.error(), "the file cannot be read");
}

}  // namespace
}  // namespace qv::effects
