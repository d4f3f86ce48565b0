#pragma once
// How the alarm control on the clocks changes an alarm's time, in minutes of the day
// (0..1439): a dragged icon snaps to quarter hours, and each arrow of the control steps one
// digit of the time.
namespace zt::app {

// What a drag to the very end of the day (24:00) becomes: the digital clock's bars end at 23:45,
// the analog dial goes round to 00:00.
enum class DayEnd { LastQuarter, Midnight };

// The nearest quarter hour (halves round up), within the day.
int snap_to_quarter(int minutes, DayEnd end);

// The control's digits in order; the AM/PM cell switches morning and afternoon.
enum class TimeDigit { HourTens = 0, HourOnes = 1, MinuteTens = 2, MinuteOnes = 3, AmPm = 4 };

// One step of a digit by `direction` (+1 up, -1 down):
//  - hour tens, 24-hour clock: the tens digit goes round 0, 1, 2 until the hour is at most 23
//    (19 up: 09; 23 up: 03);
//  - hour tens, 12-hour clock: the hour as shown (1-12) flips 1 <-> 11 and 2 <-> 12 whatever the
//    direction, other hours stay; morning or afternoon stays;
//  - hour ones, minute tens, minute ones, AM/PM: 60, 10, 1 and 720 minutes, round the day.
int step_time_digit(int minutes, TimeDigit digit, int direction, bool twelve_hour);

}  // namespace zt::app
