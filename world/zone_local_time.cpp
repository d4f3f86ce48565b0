#include "world/zone_local_time.h"

namespace zt::world {
namespace {

using zt::platform::FileTime;
using zt::platform::SYSTEMTIME;

constexpr FileTime kTicksPerMinute = 60 * zt::platform::kFileTimeTicksPerSecond;

bool add_within_calendar(FileTime a, FileTime b, FileTime& out) {
    if (__builtin_add_overflow(a, b, &out)) return false;
    return out >= 0;
}

}  // namespace

std::optional<FileTime> transition_wall_time(const SYSTEMTIME& rule, int year) {
    if (rule.wYear != 0) return zt::platform::system_time_to_file_time(rule);
    if (rule.wMonth < 1 || rule.wMonth > 12 || rule.wDay < 1 || rule.wDay > 5 || rule.wDayOfWeek > 6) return std::nullopt;
    if (year < 1601 || year > 30827) return std::nullopt;
    int day;
    if (rule.wDay <= 4) {
        int first_weekday = zt::platform::day_of_week(year, rule.wMonth, 1);
        day = 1 + (rule.wDayOfWeek - first_weekday + 7) % 7 + 7 * (rule.wDay - 1);
    } else {
        int last = zt::platform::days_in_month(year, rule.wMonth);
        int last_weekday = zt::platform::day_of_week(year, rule.wMonth, last);
        day = last - (last_weekday - rule.wDayOfWeek + 7) % 7;
    }
    SYSTEMTIME moment;
    moment.wYear = static_cast<uint16_t>(year);
    moment.wMonth = rule.wMonth;
    moment.wDay = static_cast<uint16_t>(day);
    moment.wHour = rule.wHour;
    moment.wMinute = rule.wMinute;
    moment.wSecond = rule.wSecond;
    return zt::platform::system_time_to_file_time(moment);
}

std::optional<FileTime> zone_local_file_time(const TimeZoneRules& rules, FileTime t) {
    const FileTime bias = FileTime { rules.bias } * kTicksPerMinute;
    const FileTime daylight_bias = FileTime { rules.daylight_bias } * kTicksPerMinute;
    FileTime result = 0;
    if (!add_within_calendar(t, bias, result)) return std::nullopt;
    if (!rules.has_daylight_time()) return result;

    auto universal = zt::platform::file_time_to_system_time(t);
    if (!universal) return std::nullopt;
    auto start_wall = transition_wall_time(rules.daylight_date, universal->wYear);
    auto end_wall = transition_wall_time(rules.standard_date, universal->wYear);
    if (!start_wall || !end_wall) return result;
    // Biases of millions of minutes come only from damaged rules; a change they would move
    // beyond any file time is a change that never happens.
    FileTime start = 0;
    FileTime end = 0;
    if (__builtin_sub_overflow(*start_wall, bias, &start) || __builtin_sub_overflow(*end_wall, bias - daylight_bias, &end))
        return result;

    bool daylight = rules.daylight_date.wMonth < 6 ? (start < t && t < end) : (t > start || t <= end);
    if (!daylight) return result;
    FileTime shifted = 0;
    if (!add_within_calendar(result, -daylight_bias, shifted)) return std::nullopt;
    return shifted;
}

std::optional<SYSTEMTIME> zone_local_time(const TimeZoneRules& rules, const SYSTEMTIME& universal) {
    auto t = zt::platform::system_time_to_file_time(universal);
    if (!t) return std::nullopt;
    auto local = zone_local_file_time(rules, *t);
    if (!local) return std::nullopt;
    return zt::platform::file_time_to_system_time(*local);
}

}  // namespace zt::world
