// The alarm control's time rules: quarter-hour snapping at the day's end and every digit step.
#include "app/model/alarm_time_steps.h"

#include <gtest/gtest.h>

namespace zt::app {
namespace {

constexpr int at(int hour, int minute) { return hour * 60 + minute; }

TEST(AlarmTimeSteps, SnappingRoundsToQuartersAndTheDayEndDependsOnTheClock) {
    EXPECT_EQ(snap_to_quarter(at(7, 7), DayEnd::Midnight), at(7, 0));
    EXPECT_EQ(snap_to_quarter(at(7, 8), DayEnd::Midnight), at(7, 15));
    EXPECT_EQ(snap_to_quarter(at(24, 0), DayEnd::LastQuarter), at(23, 45)) << "the digital bars end at 23:45";
    EXPECT_EQ(snap_to_quarter(at(23, 55), DayEnd::LastQuarter), at(23, 45));
    EXPECT_EQ(snap_to_quarter(at(23, 55), DayEnd::Midnight), 0) << "the dial goes round to 00:00";
}

TEST(AlarmTimeSteps, HourTensGoRoundUntilTheHourExistsOnA24HourClock) {
    EXPECT_EQ(step_time_digit(at(19, 30), TimeDigit::HourTens, 1, false), at(9, 30)) << "29 does not exist";
    EXPECT_EQ(step_time_digit(at(23, 10), TimeDigit::HourTens, 1, false), at(3, 10));
    EXPECT_EQ(step_time_digit(at(5, 0), TimeDigit::HourTens, -1, false), at(15, 0)) << "25 does not exist";
}

TEST(AlarmTimeSteps, HourTensOnA12HourClockFlipOnlyOneAndTwoWithinTheHalfDay) {
    EXPECT_EQ(step_time_digit(at(14, 0), TimeDigit::HourTens, 1, true), at(12, 0)) << "2:00 PM -> 12:00 PM";
    EXPECT_EQ(step_time_digit(at(5, 0), TimeDigit::HourTens, 1, true), at(5, 0)) << "5:00 AM stays";
    EXPECT_EQ(step_time_digit(at(0, 20), TimeDigit::HourTens, -1, true), at(2, 20)) << "12:20 AM -> 2:20 AM";
    EXPECT_EQ(step_time_digit(at(23, 0), TimeDigit::HourTens, 1, true), at(13, 0)) << "11 PM -> 1 PM";
}

TEST(AlarmTimeSteps, MinuteAndHourStepsWrapWithinTheDay) {
    EXPECT_EQ(step_time_digit(0, TimeDigit::MinuteOnes, -1, false), at(23, 59));
    EXPECT_EQ(step_time_digit(at(23, 55), TimeDigit::MinuteTens, 1, false), at(0, 5));
    EXPECT_EQ(step_time_digit(at(0, 30), TimeDigit::HourOnes, -1, false), at(23, 30));
    EXPECT_EQ(step_time_digit(at(13, 0), TimeDigit::AmPm, 1, true), at(1, 0));
}

}  // namespace
}  // namespace zt::app
