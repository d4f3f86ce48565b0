#include "skins/digits.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/gui/locale_clock.h"
#include "skins/testing/test_images.h"

namespace zt::skins {
namespace {

using testing::solid_picture;
using testing::StripBuilder;

constexpr Rgb kBackground { 0, 0, 0 };

// 13 glyphs of 3 x 4; glyph g is one opaque pixel at its top-left with red = g + 1, and
// glyph 1 is only 2 columns wide in ink (the advance stays 3).
CImageStrip digit_strip() {
    StripBuilder builder(3, 13 * 4);
    for (int g = 0; g < 13; ++g) {
        builder.colour(0, g * 4, { static_cast<uint8_t>(g + 1), 0, 0 }).opacity(0, g * 4, 255);
        builder.boundary(g * 4 + 3);
    }
    return CImageStrip(builder.build());
}

TEST(Digits, TwoDigitValuesKeepTheLeadingZeroAndAdvanceByGlyphWidth) {
    CImageStrip strip = digit_strip();
    CPicture canvas = solid_picture(20, 10, kBackground);
    int32_t pen = 2;
    draw_two_digits(canvas, strip, 7, pen, 8);
    EXPECT_EQ(pen, 8);
    EXPECT_EQ(canvas.colour(2, 4).red, 1) << "tens glyph 0 drawn with its bottom on the baseline";
    EXPECT_EQ(canvas.colour(5, 4).red, 8) << "ones glyph 7";
    draw_two_digits(canvas, strip, 100, pen, 8);
    EXPECT_EQ(pen, 8) << "values above 99 draw nothing";
    draw_two_digits(canvas, strip, -1, pen, 8);
    EXPECT_EQ(pen, 8);
}

TEST(Digits, AmPmMarkUsesGlyphsTenOrElevenThenTwelve) {
    CImageStrip strip = digit_strip();
    CPicture canvas = solid_picture(20, 10, kBackground);
    int32_t pen = 0;
    draw_am_pm(canvas, strip, true, pen, 4);
    EXPECT_EQ(canvas.colour(0, 0).red, kGlyphP + 1);
    EXPECT_EQ(canvas.colour(3, 0).red, kGlyphM + 1);
    EXPECT_EQ(pen, 6);
    int32_t unknown_pen = 0;
    draw_digit(canvas, strip, 13, unknown_pen, 4);
    EXPECT_EQ(unknown_pen, 0) << "a glyph the strip lacks does not advance";
}

TEST(Digits, ScaledStripAdvancesByDoubleWidth) {
    CImageStrip source = digit_strip();
    CPicture copy = *CPicture::create(source.picture()->width(), source.picture()->height());
    std::memcpy(copy.bits(), source.picture()->bits(), copy.byte_size());
    copy.set_scaled(true);
    CImageStrip scaled(std::move(copy));
    CPicture canvas = solid_picture(20, 20, kBackground);
    int32_t pen = 0;
    draw_digit(canvas, scaled, 3, pen, 8);
    EXPECT_EQ(pen, 6);
    EXPECT_EQ(canvas.colour(1, 1).red, 4) << "drawn at double size from y = 8 - 2 * 4";
}

TEST(TwelveHourClock, LocaleIndicatorZeroOrFortyEightMeansTwelveHours) {
    EXPECT_TRUE(is_twelve_hour_indicator(u"0"));
    EXPECT_TRUE(is_twelve_hour_indicator(u"48"));
    EXPECT_FALSE(is_twelve_hour_indicator(u"1"));
    EXPECT_FALSE(is_twelve_hour_indicator(u""));
    platform::gui::set_locale_time_indicator_override(u"0");
    EXPECT_TRUE(twelve_hour_clock());
    platform::gui::set_locale_time_indicator_override(u"1");
    EXPECT_FALSE(twelve_hour_clock());
    platform::gui::set_locale_time_indicator_override(std::nullopt);
}

TEST(TwelveHourClock, HoursAsTheClockShowsThem) {
    EXPECT_EQ(twelve_hour(0), (ClockHour { 12, false })) << "00:30 shows 12:30 AM";
    EXPECT_EQ(twelve_hour(12), (ClockHour { 12, true })) << "12:05 shows 12:05 PM";
    EXPECT_EQ(twelve_hour(13), (ClockHour { 1, true })) << "13:00 shows 01:00 PM";
    EXPECT_EQ(twelve_hour(11), (ClockHour { 11, false }));
    EXPECT_EQ(twelve_hour(23), (ClockHour { 11, true }));
    EXPECT_EQ(twelve_hour(24), (ClockHour { 12, false })) << "taken modulo 24";
    EXPECT_EQ(twelve_hour(-1), (ClockHour { 11, true }));
}

}  // namespace
}  // namespace zt::skins
