#pragma once
// Local wall-clock arithmetic for the schedule. Every computation goes through 64-bit file
// times; there is no time-zone arithmetic here, records hold local times.
#include <cstdint>

#include "platform/base/system_time.h"

namespace zt::core {

using zt::platform::SYSTEMTIME;

inline constexpr int64_t kMillisecondsPerDay = 86'400'000;

// A time with year 0 is a bare time of day and is returned unchanged. Otherwise the result is
// normalised (day of week set). Results beyond the calendar's ends stop at its ends.
SYSTEMTIME add_milliseconds(const SYSTEMTIME& time, int64_t milliseconds);

// (a - b) in milliseconds, truncated toward zero. A field out of range (a bare time of day,
// a 31 April kept in memory) is first clamped into the calendar rather than failing.
int64_t difference_ms(const SYSTEMTIME& a, const SYSTEMTIME& b);

// Dates ignored: hours, minutes, seconds and milliseconds of a minus those of b.
int64_t time_of_day_difference_ms(const SYSTEMTIME& a, const SYSTEMTIME& b);

// The target's time of day becomes the source's (each field clamped to its range); the
// target's date fields are untouched.
void copy_time_of_day(SYSTEMTIME& target, const SYSTEMTIME& source);

// File time of a SYSTEMTIME after clamping each field into range; never fails.
zt::platform::FileTime clamped_file_time(const SYSTEMTIME& time);

}  // namespace zt::core
