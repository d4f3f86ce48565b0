#include "app/model/alarm_time_steps.h"

namespace zt::app {
namespace {

constexpr int kMinutesPerDay = 24 * 60;

int within_day(int minutes) { return ((minutes % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay; }

int step_hour_tens(int hour, int direction, bool twelve_hour) {
    if (twelve_hour) {
        const bool afternoon = hour >= 12;
        const int shown = hour % 12 == 0 ? 12 : hour % 12;
        if (shown % 10 != 1 && shown % 10 != 2) return hour;
        const int flipped = shown >= 10 ? shown - 10 : shown + 10;
        return flipped % 12 + (afternoon ? 12 : 0);
    }
    const int ones = hour % 10;
    int tens = hour / 10;
    do {
        tens = ((tens + direction) % 3 + 3) % 3;
    } while (tens * 10 + ones > 23);
    return tens * 10 + ones;
}

}  // namespace

int snap_to_quarter(int minutes, DayEnd end) {
    // 24:00 (the end of the afternoon bar) is kept: it snaps to the day's end.
    const int t = minutes == kMinutesPerDay ? minutes : within_day(minutes);
    const int snapped = (t + 7) / 15 * 15;
    if (snapped < kMinutesPerDay) return snapped;
    return end == DayEnd::LastQuarter ? kMinutesPerDay - 15 : 0;
}

int step_time_digit(int minutes, TimeDigit digit, int direction, bool twelve_hour) {
    const int t = within_day(minutes);
    switch (digit) {
        case TimeDigit::HourTens: return step_hour_tens(t / 60, direction, twelve_hour) * 60 + t % 60;
        case TimeDigit::HourOnes: return within_day(t + 60 * direction);
        case TimeDigit::MinuteTens: return within_day(t + 10 * direction);
        case TimeDigit::MinuteOnes: return within_day(t + direction);
        case TimeDigit::AmPm: return within_day(t + 12 * 60);
    }
    return t;
}

}  // namespace zt::app
