#include "platform/base/system_time.h"

namespace zt::platform {
namespace {

// Days from 1601-01-01 to the given date (proleptic Gregorian). 1601 starts a 400-year
// cycle, which keeps the arithmetic free of negative numbers.
int64_t days_since_1601(int year, int month, int day) {
    int64_t y = year - 1601;
    int64_t days = y * 365 + y / 4 - y / 100 + y / 400;
    static constexpr int kBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    days += kBefore[month - 1];
    if (month > 2 && is_leap_year(year)) ++days;
    return days + day - 1;
}

}  // namespace

bool is_leap_year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int days_in_month(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return (month == 2 && is_leap_year(year)) ? 29 : kDays[month - 1];
}

int day_of_week(int year, int month, int day) {
    // 1601-01-01 was a Monday.
    return static_cast<int>((days_since_1601(year, month, day) + 1) % 7);
}

std::optional<FileTime> system_time_to_file_time(const SYSTEMTIME& t) {
    if (t.wYear < 1601 || t.wYear > 30827 || t.wMonth < 1 || t.wMonth > 12 || t.wDay < 1 ||
        t.wDay > days_in_month(t.wYear, t.wMonth) || t.wHour > 23 || t.wMinute > 59 ||
        t.wSecond > 59 || t.wMilliseconds > 999)
        return std::nullopt;
    int64_t days = days_since_1601(t.wYear, t.wMonth, t.wDay);
    int64_t ms = ((days * 24 + t.wHour) * 60 + t.wMinute) * 60'000 + t.wSecond * 1000 +
                 t.wMilliseconds;
    FileTime ft = ms * kFileTimeTicksPerMillisecond;
    if (ft < 0) return std::nullopt;  // past the end of the file-time range in 30828
    return ft;
}

std::optional<SYSTEMTIME> file_time_to_system_time(FileTime ft) {
    if (ft < 0) return std::nullopt;
    int64_t ms_total = ft / kFileTimeTicksPerMillisecond;
    int64_t days = ms_total / 86'400'000;
    int64_t ms_of_day = ms_total % 86'400'000;

    SYSTEMTIME t;
    t.wDayOfWeek = static_cast<uint16_t>((days + 1) % 7);
    // Peel off 400-, 100-, 4- and 1-year cycles counted from 1601.
    int64_t n400 = days / 146'097;
    days %= 146'097;
    int64_t n100 = days / 36'524;
    if (n100 == 4) n100 = 3;  // the last day of a 400-year cycle
    days -= n100 * 36'524;
    int64_t n4 = days / 1461;
    days %= 1461;
    int64_t n1 = days / 365;
    if (n1 == 4) n1 = 3;  // the last day of a leap cycle
    days -= n1 * 365;
    int year = static_cast<int>(1601 + n400 * 400 + n100 * 100 + n4 * 4 + n1);
    if (year > 30827) return std::nullopt;
    int month = 1;
    while (days >= days_in_month(year, month)) {
        days -= days_in_month(year, month);
        ++month;
    }
    t.wYear = static_cast<uint16_t>(year);
    t.wMonth = static_cast<uint16_t>(month);
    t.wDay = static_cast<uint16_t>(days + 1);
    t.wHour = static_cast<uint16_t>(ms_of_day / 3'600'000);
    t.wMinute = static_cast<uint16_t>(ms_of_day / 60'000 % 60);
    t.wSecond = static_cast<uint16_t>(ms_of_day / 1000 % 60);
    t.wMilliseconds = static_cast<uint16_t>(ms_of_day % 1000);
    return t;
}

std::optional<SYSTEMTIME> normalize(const SYSTEMTIME& time) {
    auto ft = system_time_to_file_time(time);
    if (!ft) return std::nullopt;
    return file_time_to_system_time(*ft);
}

}  // namespace zt::platform
