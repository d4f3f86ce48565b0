#pragma once
// Dates and times of day as records store them: a time of day is hour*10000 + minute*100 +
// second (07:05:00 is 70500), a date year*10000 + month*100 + day (2 March 2009 is 20090302).
// Milliseconds are not stored.
#include <cstdint>

#include "platform/base/system_time.h"

namespace zt::core {

using zt::platform::SYSTEMTIME;

uint32_t encode_time_of_day(const SYSTEMTIME& time);
uint32_t encode_date(const SYSTEMTIME& time);

// Each field is clamped on its own (hour <= 23, minute and second <= 59, year <= 9999,
// month 1..12, day 1..31); day of week and millisecond are 0. A date of 0 gives year 0,
// month 1, day 1 and stays a bare time of day. Any other date is normalised, which sets the
// day of week; a day past the end of its month (31 April) becomes the month's last day, and
// a year before 1601, which the calendar cannot hold, becomes 1601.
SYSTEMTIME decode_date_time(uint32_t date, uint32_t time_of_day);

}  // namespace zt::core
