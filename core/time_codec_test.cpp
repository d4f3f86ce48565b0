#include "core/time_codec.h"

#include <gtest/gtest.h>

namespace zt::core {
namespace {

TEST(TimeCodec, EncodesTimeOfDayAndDate) {
    SYSTEMTIME t { 2009, 3, 1, 2, 7, 5, 0, 999 };
    EXPECT_EQ(encode_time_of_day(t), 70500u);
    EXPECT_EQ(encode_date(t), 20090302u);
}

TEST(TimeCodec, DecodeClampsEachFieldSeparately) {
    SYSTEMTIME t = decode_date_time(0, 256199);
    EXPECT_EQ(t.wHour, 23);
    EXPECT_EQ(t.wMinute, 59);
    EXPECT_EQ(t.wSecond, 59);
    SYSTEMTIME huge = decode_date_time(0xFFFFFFFFu, 0xFFFFFFFFu);
    EXPECT_EQ(huge.wYear, 9999) << "year at most 9999 even from a huge number";
    EXPECT_LE(huge.wMonth, 12);
    EXPECT_EQ(huge.wHour, 23);
    SYSTEMTIME zero_month = decode_date_time(20090000, 0);
    EXPECT_EQ(zero_month.wMonth, 1);
    EXPECT_EQ(zero_month.wDay, 1);
    SYSTEMTIME month_13 = decode_date_time(20091340, 0);
    EXPECT_EQ(month_13.wMonth, 12);
    EXPECT_EQ(month_13.wDay, 31);
}

TEST(TimeCodec, MissingDateStaysABareTimeOfDay) {
    SYSTEMTIME t = decode_date_time(0, 70500);
    EXPECT_EQ(t.wYear, 0);
    EXPECT_EQ(t.wMonth, 1);
    EXPECT_EQ(t.wDay, 1);
    EXPECT_EQ(t.wDayOfWeek, 0);
    EXPECT_EQ(t.wHour, 7);
    EXPECT_EQ(t.wMinute, 5);
}

TEST(TimeCodec, DatesAreNormalisedWithDayOfWeek) {
    SYSTEMTIME t = decode_date_time(20090302, 70500);
    EXPECT_EQ(t.wDayOfWeek, 1) << "2 March 2009 was a Monday";
    SYSTEMTIME april31 = decode_date_time(20090431, 0);
    EXPECT_EQ(april31.wMonth, 4);
    EXPECT_EQ(april31.wDay, 30) << "a day past the month's end becomes its last day";
    SYSTEMTIME feb29 = decode_date_time(20090229, 0);
    EXPECT_EQ(feb29.wDay, 28);
    EXPECT_EQ(decode_date_time(20080229, 0).wDay, 29);
    SYSTEMTIME early = decode_date_time(15000101, 0);
    EXPECT_EQ(early.wYear, 1601) << "the calendar starts in 1601";
    EXPECT_EQ(early.wDayOfWeek, 1);
}

}  // namespace
}  // namespace zt::core
