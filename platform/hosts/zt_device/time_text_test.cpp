#include "platform/hosts/zt_device/time_text.h"

#include <gtest/gtest.h>

namespace zt::platform::device {
namespace {

TEST(TimeText, ParsesExactlyTheShownForm) {
    auto time = parse_local_time("2009-03-02 06:59:30");
    ASSERT_TRUE(time);
    EXPECT_EQ(format_local_time(*time), "2009-03-02 06:59:30");
    EXPECT_EQ(time->wDayOfWeek, 1);
    for (const char* bad : { "2009-02-30 00:00:00", "2009-3-2 06:59:30", "2009-03-02T06:59:30", "2009-03-02 24:00:00",
                             "2009-03-02 06:59:30 ", "", "abcd-ef-gh ij:kl:mn" }) {
        EXPECT_FALSE(parse_local_time(bad)) << bad;
    }
}

TEST(TimeText, NumbersInDecimalOrHex) {
    EXPECT_EQ(parse_word("1177"), 1177u);
    EXPECT_EQ(parse_word("0x499"), 0x499u);
    EXPECT_EQ(parse_word("0xFFFFFFFF"), 0xFFFFFFFFu);
    EXPECT_FALSE(parse_word("0x100000000"));
    EXPECT_FALSE(parse_word("-1"));
    EXPECT_FALSE(parse_word("0x"));
    EXPECT_FALSE(parse_word("12ab"));
    EXPECT_EQ(parse_seconds("-90"), -90);
    EXPECT_FALSE(parse_seconds("1.5"));
    EXPECT_FALSE(parse_seconds("99999999999999999999"));
}

TEST(TimeText, OffsetsShowAsSeconds) {
    EXPECT_EQ(format_ms_as_seconds(3'600'000), "3600");
    EXPECT_EQ(format_ms_as_seconds(-1'500), "-1.5");
    EXPECT_EQ(format_ms_as_seconds(0), "0");
    EXPECT_EQ(format_ms_as_seconds(1'005), "1.005");
}

}  // namespace
}  // namespace zt::platform::device
