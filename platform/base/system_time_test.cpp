#include "platform/base/system_time.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/testing/date_time.h"

namespace zt::platform {
namespace {

using zt::platform::testing::date_time;

TEST(FileTimeConversion, EpochsAreExact) {
    EXPECT_EQ(system_time_to_file_time(date_time(1601, 1, 1)), 0);
    EXPECT_EQ(system_time_to_file_time(date_time(1970, 1, 1)), kUnixEpochAsFileTime);
    // 2009-03-02 00:00 UTC is Unix time 1235952000.
    EXPECT_EQ(system_time_to_file_time(date_time(2009, 3, 2)), kUnixEpochAsFileTime + 1235952000LL * kFileTimeTicksPerSecond);
}

TEST(FileTimeConversion, FirstFileTimeIsMonday1601) {
    auto t = file_time_to_system_time(0);
    ASSERT_TRUE(t);
    EXPECT_EQ(*t, (SYSTEMTIME { 1601, 1, 1, 1, 0, 0, 0, 0 }));
    EXPECT_FALSE(file_time_to_system_time(-1));
    EXPECT_FALSE(system_time_to_file_time(date_time(1600, 12, 31, 23, 59, 59, 999)));
}

TEST(FileTimeConversion, LeapYearsFollowTheGregorianRules) {
    EXPECT_TRUE(system_time_to_file_time(date_time(2000, 2, 29)));
    EXPECT_TRUE(system_time_to_file_time(date_time(2024, 2, 29)));
    EXPECT_FALSE(system_time_to_file_time(date_time(1900, 2, 29)));
    EXPECT_FALSE(system_time_to_file_time(date_time(2023, 2, 29)));
    // The day after 28 Feb 2100 (not a leap year) is 1 March.
    auto ft = system_time_to_file_time(date_time(2100, 2, 28));
    auto next = file_time_to_system_time(*ft + kFileTimeTicksPerDay);
    EXPECT_EQ(next->wMonth, 3);
    EXPECT_EQ(next->wDay, 1);
}

TEST(FileTimeConversion, InvalidFieldsFailInsteadOfRollingOver) {
    EXPECT_FALSE(system_time_to_file_time(date_time(2009, 4, 31)));
    EXPECT_FALSE(system_time_to_file_time(date_time(2009, 13, 1)));
    EXPECT_FALSE(system_time_to_file_time(date_time(2009, 0, 1)));
    EXPECT_FALSE(system_time_to_file_time(date_time(2009, 1, 0)));
    EXPECT_FALSE(system_time_to_file_time(date_time(2009, 1, 1, 24)));
    EXPECT_FALSE(system_time_to_file_time(date_time(2009, 1, 1, 0, 60)));
    EXPECT_FALSE(system_time_to_file_time(date_time(2009, 1, 1, 0, 0, 60)));
    EXPECT_FALSE(system_time_to_file_time(date_time(2009, 1, 1, 0, 0, 0, 1000)));
    EXPECT_FALSE(system_time_to_file_time(date_time(30828, 1, 1)));
    // The tail of the file-time range lies in 30828, a year SYSTEMTIME cannot hold.
    EXPECT_FALSE(file_time_to_system_time(INT64_MAX));
}

TEST(FileTimeConversion, LastYearOfTheRangeConverts) {
    auto ft = system_time_to_file_time(date_time(30827, 12, 31, 23, 59, 59, 999));
    ASSERT_TRUE(ft);
    auto back = file_time_to_system_time(*ft);
    EXPECT_EQ(back->wYear, 30827);
    EXPECT_EQ(back->wDay, 31);
}

TEST(FileTimeConversion, DayOfWeekIsSetAndInputDayOfWeekIgnored) {
    SYSTEMTIME t = date_time(2009, 3, 2, 7, 5);
    t.wDayOfWeek = 6;  // wrong on purpose
    auto n = normalize(t);
    ASSERT_TRUE(n);
    EXPECT_EQ(n->wDayOfWeek, 1);  // a Monday
    EXPECT_EQ(day_of_week(2026, 12, 7), 1);
    EXPECT_EQ(day_of_week(2000, 1, 1), 6);
}

TEST(FileTimeConversion, RoundTripsEverywhereInTheRange) {
    std::mt19937_64 random(42);
    std::uniform_int_distribution<int64_t> any(0, *system_time_to_file_time(date_time(30827, 12, 31, 23, 59, 59, 999)));
    for (int i = 0; i < 200'000; ++i) {
        FileTime ft = any(random) / kFileTimeTicksPerMillisecond * kFileTimeTicksPerMillisecond;
        auto st = file_time_to_system_time(ft);
        ASSERT_TRUE(st) << ft;
        auto back = system_time_to_file_time(*st);
        ASSERT_TRUE(back) << ft;
        ASSERT_EQ(*back, ft);
        ASSERT_EQ(st->wDayOfWeek, day_of_week(st->wYear, st->wMonth, st->wDay));
    }
}

TEST(FileTimeConversion, ConsecutiveDaysAdvanceTheCalendarByOne) {
    FileTime ft = *system_time_to_file_time(date_time(1601, 1, 1));
    SYSTEMTIME prev = *file_time_to_system_time(ft);
    for (int day = 1; day < 2 * 146'097; ++day) {
        SYSTEMTIME cur = *file_time_to_system_time(ft + day * kFileTimeTicksPerDay);
        bool same_month = cur.wYear == prev.wYear && cur.wMonth == prev.wMonth && cur.wDay == prev.wDay + 1;
        bool new_month = cur.wDay == 1 && prev.wDay == days_in_month(prev.wYear, prev.wMonth);
        ASSERT_TRUE(same_month || new_month) << cur.wYear << "-" << cur.wMonth << "-" << cur.wDay;
        ASSERT_EQ(cur.wDayOfWeek, (prev.wDayOfWeek + 1) % 7);
        prev = cur;
    }
}

}  // namespace
}  // namespace zt::platform
