#include "core/time_math.h"

#include <gtest/gtest.h>

namespace zt::core {
namespace {

TEST(TimeMath, AddMillisecondsCrossesMonthAndYearAndSetsWeekday) {
    SYSTEMTIME new_year_eve { 2008, 12, 3, 31, 23, 59, 0, 0 };
    SYSTEMTIME next = add_milliseconds(new_year_eve, kMillisecondsPerDay);
    EXPECT_EQ(next.wYear, 2009);
    EXPECT_EQ(next.wMonth, 1);
    EXPECT_EQ(next.wDay, 1);
    EXPECT_EQ(next.wDayOfWeek, 4);
    SYSTEMTIME back = add_milliseconds(next, -kMillisecondsPerDay - 1);
    EXPECT_EQ(back.wDay, 31);
    EXPECT_EQ(back.wMinute, 58);
    EXPECT_EQ(back.wMilliseconds, 999);
}

TEST(TimeMath, YearZeroIsLeftAloneAndExtremesSaturate) {
    SYSTEMTIME bare { 0, 1, 0, 1, 7, 0, 0, 0 };
    EXPECT_EQ(add_milliseconds(bare, 5000), bare);
    SYSTEMTIME t { 2009, 3, 1, 2, 0, 0, 0, 0 };
    SYSTEMTIME far = add_milliseconds(t, INT64_MAX);
    EXPECT_EQ(far.wYear, 30827);
    SYSTEMTIME early = add_milliseconds(t, INT64_MIN);
    EXPECT_EQ(early.wYear, 1601);
}

TEST(TimeMath, DifferenceTruncatesTowardZero) {
    SYSTEMTIME a { 2009, 3, 1, 2, 10, 0, 0, 0 };
    SYSTEMTIME b { 2009, 3, 0, 1, 10, 0, 0, 500 };
    EXPECT_EQ(difference_ms(a, b), kMillisecondsPerDay - 500);
    EXPECT_EQ(difference_ms(b, a), -(kMillisecondsPerDay - 500));
    SYSTEMTIME invalid { 2009, 4, 0, 31, 0, 0, 0, 0 };
    EXPECT_EQ(difference_ms(invalid, SYSTEMTIME { 2009, 4, 4, 30, 0, 0, 0, 0 }), 0) << "31 April clamps to 30 April";
}

TEST(TimeMath, TimeOfDayDifferenceIgnoresDates) {
    SYSTEMTIME a { 2009, 3, 1, 2, 7, 0, 0, 0 };
    SYSTEMTIME b { 1999, 1, 5, 1, 7, 0, 0, 1 };
    EXPECT_EQ(time_of_day_difference_ms(a, b), -1);
    EXPECT_EQ(time_of_day_difference_ms(b, a), 1);
}

TEST(TimeMath, CopyTimeOfDayClampsAndKeepsDate) {
    SYSTEMTIME target { 2009, 3, 1, 2, 0, 0, 0, 0 };
    copy_time_of_day(target, SYSTEMTIME { 1, 1, 0, 1, 30, 70, 80, 5000 });
    EXPECT_EQ(target, (SYSTEMTIME { 2009, 3, 1, 2, 23, 59, 59, 999 }));
}

}  // namespace
}  // namespace zt::core
