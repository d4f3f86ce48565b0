#pragma once
// The handheld's calendar types: SYSTEMTIME (a broken-down date and time) and file times
// (a 64-bit count of 100-ns units since 1601-01-01 00:00). All arithmetic on times goes
// through file times; SYSTEMTIME is only for showing and storing.
#include <cstdint>
#include <optional>

namespace zt::platform {

struct SYSTEMTIME {
    uint16_t wYear = 0;
    uint16_t wMonth = 0;      // 1..12
    uint16_t wDayOfWeek = 0;  // 0 = Sunday
    uint16_t wDay = 0;        // 1..31
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;
    friend bool operator==(const SYSTEMTIME&, const SYSTEMTIME&) = default;
};

// 100-ns units. Valid file times are 0 .. INT64_MAX (the platform refuses the upper half).
using FileTime = int64_t;
inline constexpr FileTime kFileTimeTicksPerMillisecond = 10'000;
inline constexpr FileTime kFileTimeTicksPerSecond = 10'000'000;
inline constexpr FileTime kFileTimeTicksPerDay = 864'000'000'000;
// 1970-01-01 00:00 as a file time.
inline constexpr FileTime kUnixEpochAsFileTime = 116'444'736'000'000'000;

bool is_leap_year(int year);
int days_in_month(int year, int month);  // 0 for a month outside 1..12

// Fails (nullopt) for any field out of range: year 1601..30827, month 1..12, day within the
// month, hour < 24, minute < 60, second < 60, millisecond < 1000. The day of week is ignored.
// An impossible date is refused rather than rolled over; callers decide what it means.
std::optional<FileTime> system_time_to_file_time(const SYSTEMTIME& time);

// Fails for negative file times and for those past year 30827. Sets the day of week.
std::optional<SYSTEMTIME> file_time_to_system_time(FileTime time);

// Round trip through a file time: checks the fields and sets the day of week.
std::optional<SYSTEMTIME> normalize(const SYSTEMTIME& time);

// Day of week (0 = Sunday) of a valid proleptic Gregorian date.
int day_of_week(int year, int month, int day);

}  // namespace zt::platform
