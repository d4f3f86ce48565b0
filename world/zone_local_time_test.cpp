#include "world/zone_local_time.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/testing/date_time.h"
#include "world/testing/city_db_builder.h"

namespace zt::world {
namespace {

using zt::platform::SYSTEMTIME;

using zt::platform::testing::date_time;

// "y-m-d h:m:s.ms" of the local time, or "fail".
std::string local(const TimeZoneRules& rules, const SYSTEMTIME& utc) {
    auto t = zone_local_time(rules, utc);
    if (!t) return "fail";
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u.%03u", t->wYear, t->wMonth, t->wDay, t->wHour, t->wMinute, t->wSecond,
                  t->wMilliseconds);
    return text;
}

TEST(TransitionDates, LastWeekdayOfTheMonthIsTheFifthWhenThereAreFive) {
    SYSTEMTIME last_sunday_october { .wMonth = 10, .wDayOfWeek = 0, .wDay = 5, .wHour = 3 };
    // October 2022 has five Sundays (2 .. 30), October 2023 also (1 .. 29), October 2021 too
    // (3 .. 31); October 2024 has four (6 .. 27).
    EXPECT_EQ(transition_wall_time(last_sunday_october, 2022), zt::platform::system_time_to_file_time(date_time(2022, 10, 30, 3)));
    EXPECT_EQ(transition_wall_time(last_sunday_october, 2021), zt::platform::system_time_to_file_time(date_time(2021, 10, 31, 3)));
    EXPECT_EQ(transition_wall_time(last_sunday_october, 2024), zt::platform::system_time_to_file_time(date_time(2024, 10, 27, 3)));
}

TEST(TransitionDates, FirstWeekdayOfAMonthStartingOnItIsTheFirst) {
    SYSTEMTIME first_sunday { .wMonth = 10, .wDayOfWeek = 0, .wDay = 1, .wHour = 2 };
    EXPECT_EQ(transition_wall_time(first_sunday, 2023), zt::platform::system_time_to_file_time(date_time(2023, 10, 1, 2)));
    SYSTEMTIME second_sunday_march { .wMonth = 3, .wDayOfWeek = 0, .wDay = 2, .wHour = 2 };
    EXPECT_EQ(transition_wall_time(second_sunday_march, 2024), zt::platform::system_time_to_file_time(date_time(2024, 3, 10, 2)));
}

TEST(TransitionDates, ImpossibleRulesHaveNoDate) {
    for (SYSTEMTIME rule : { SYSTEMTIME { .wMonth = 13, .wDay = 1 }, SYSTEMTIME { .wMonth = 3, .wDay = 0 },
                             SYSTEMTIME { .wMonth = 3, .wDay = 6 }, SYSTEMTIME { .wMonth = 3, .wDayOfWeek = 7, .wDay = 1 },
                             SYSTEMTIME { .wMonth = 3, .wDay = 1, .wHour = 24 } })
        EXPECT_FALSE(transition_wall_time(rule, 2024)) << "month " << rule.wMonth << " day " << rule.wDay;
    EXPECT_FALSE(transition_wall_time(SYSTEMTIME { .wYear = 2023, .wMonth = 2, .wDay = 30 }, 2024)) << "an absolute date that does not exist";
}

TEST(ZoneLocalTime, NorthernZoneSwitchesAtTheUniversalInstantsOfItsRules) {
    const auto cet = testing::central_european_rules();
    // 2024: daylight time from 31 March 01:00 UTC to 27 October 01:00 UTC.
    EXPECT_EQ(local(cet, date_time(2024, 3, 31, 0, 59, 59, 999)), "2024-03-31 01:59:59.999");
    EXPECT_EQ(local(cet, date_time(2024, 3, 31, 1, 0, 0, 1)), "2024-03-31 03:00:00.001");
    EXPECT_EQ(local(cet, date_time(2024, 7, 1, 12)), "2024-07-01 14:00:00.000");
    EXPECT_EQ(local(cet, date_time(2024, 10, 27, 0, 59, 59, 999)), "2024-10-27 02:59:59.999");
    EXPECT_EQ(local(cet, date_time(2024, 10, 27, 1)), "2024-10-27 02:00:00.000") << "the end is given in daylight time";
    EXPECT_EQ(local(cet, date_time(2024, 12, 31, 23, 30)), "2025-01-01 00:30:00.000") << "carries into the next year";
}

TEST(ZoneLocalTime, SouthernZoneIsOnDaylightTimeInJanuary) {
    // Sydney-like: +10:00, daylight from the first Sunday of October 02:00 to the first
    // Sunday of April 03:00 (daylight time).
    TimeZoneRules sydney;
    sydney.bias = 600;
    sydney.daylight_bias = -60;
    sydney.daylight_date = { .wMonth = 10, .wDayOfWeek = 0, .wDay = 1, .wHour = 2 };
    sydney.standard_date = { .wMonth = 4, .wDayOfWeek = 0, .wDay = 1, .wHour = 3 };
    EXPECT_EQ(local(sydney, date_time(2024, 1, 15, 12)), "2024-01-15 23:00:00.000");
    EXPECT_EQ(local(sydney, date_time(2024, 6, 15, 12)), "2024-06-15 22:00:00.000");
    // 2024-04-07 03:00 daylight = 2024-04-06 16:00 UTC.
    EXPECT_EQ(local(sydney, date_time(2024, 4, 6, 15, 59)), "2024-04-07 02:59:00.000");
    EXPECT_EQ(local(sydney, date_time(2024, 4, 6, 16, 0, 0, 1)), "2024-04-07 02:00:00.001");
    // 2024-10-06 02:00 standard = 2024-10-05 16:00 UTC.
    EXPECT_EQ(local(sydney, date_time(2024, 10, 5, 16, 0, 0, 1)), "2024-10-06 03:00:00.001");
}

TEST(ZoneLocalTime, ZoneWithoutDaylightTimeOnlyAddsTheBias) {
    TimeZoneRules kolkata;
    kolkata.bias = 330;
    kolkata.daylight_bias = -60;  // ignored: no standard date
    kolkata.daylight_date = { .wMonth = 3, .wDay = 1 };
    EXPECT_EQ(local(kolkata, date_time(2024, 7, 1, 20, 45)), "2024-07-02 02:15:00.000");
    TimeZoneRules west;
    west.bias = -600;
    EXPECT_EQ(local(west, date_time(2024, 3, 1, 5)), "2024-02-29 19:00:00.000");
}

TEST(ZoneLocalTime, AbsoluteDatesUseTheirOwnYear) {
    auto rules = testing::central_european_rules();
    rules.daylight_date = { .wYear = 2024, .wMonth = 5, .wDay = 1 };
    rules.standard_date = { .wYear = 2024, .wMonth = 6, .wDay = 1 };
    EXPECT_EQ(local(rules, date_time(2024, 5, 15, 12)), "2024-05-15 14:00:00.000");
    EXPECT_EQ(local(rules, date_time(2025, 5, 15, 12)), "2025-05-15 13:00:00.000") << "2024's dates do not repeat in 2025";
}

TEST(ZoneLocalTime, DamagedRulesFallBackToStandardTimeOrFailAtTheCalendarEdge) {
    auto rules = testing::central_european_rules();
    rules.standard_date.wMonth = 14;
    EXPECT_EQ(local(rules, date_time(2024, 7, 1, 12)), "2024-07-01 13:00:00.000");
    TimeZoneRules huge;
    huge.bias = std::numeric_limits<int32_t>::max();
    EXPECT_EQ(local(huge, date_time(30827, 12, 31, 23)), "fail");
    huge.bias = std::numeric_limits<int32_t>::min();
    EXPECT_EQ(local(huge, date_time(1601, 1, 1)), "fail");
    huge.bias = std::numeric_limits<int32_t>::max();
    EXPECT_FALSE(zone_local_file_time(huge, std::numeric_limits<int64_t>::max())) << "the sum would overflow";
}

TEST(ZoneLocalTime, ATransitionBeyondAnyFileTimeLeavesStandardTime) {
    // A daylight bias of 2^31 - 1 minutes moves the end of daylight time in the year 30000
    // past the last file time; the zone then never changes to daylight time.
    TimeZoneRules rules;
    rules.bias = 60;
    rules.daylight_bias = std::numeric_limits<int32_t>::max();
    rules.daylight_date = { .wYear = 2000, .wMonth = 10, .wDay = 1 };
    rules.standard_date = { .wYear = 30000, .wMonth = 3, .wDay = 1 };
    EXPECT_EQ(local(rules, date_time(2024, 7, 1, 12)), "2024-07-01 13:00:00.000");
    rules.daylight_date = { .wYear = 30000, .wMonth = 3, .wDay = 1 };
    rules.standard_date = { .wYear = 2000, .wMonth = 10, .wDay = 1 };
    rules.bias = std::numeric_limits<int32_t>::min() / 2;
    rules.daylight_bias = 0;
    EXPECT_EQ(local(rules, date_time(30000, 6, 1)), local(TimeZoneRules { .bias = rules.bias }, date_time(30000, 6, 1)))
        << "a start moved past the last file time";
}

}  // namespace
}  // namespace zt::world
