#pragma once
// The platform's 172-byte TIME_ZONE_INFORMATION block, as the city database stores it and
// the City%d settings values carry it: Bias, StandardName[32], StandardDate, StandardBias,
// DaylightName[32], DaylightDate, DaylightBias; SYSTEMTIME as eight u16, names UTF-16.
//
// This system's convention (not the desktop one): local standard time = UTC + bias (minutes,
// east positive); the daylight bias is subtracted during daylight time (-60 moves the clock
// an hour forward); the standard bias is never applied. A standard-date month of 0 means no
// daylight time. A date with year 0 is in day-in-month form: wDay is the occurrence 1..5
// (5 = last), wDayOfWeek the weekday, hour and minute the wall-clock time of the change.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/base/system_time.h"

namespace zt::world {

inline constexpr size_t kTimeZoneRulesSize = 172;
using TimeZoneRulesBytes = std::array<uint8_t, kTimeZoneRulesSize>;

struct TimeZoneRules {
    int32_t bias { 0 };
    std::array<char16_t, 32> standard_name {};
    zt::platform::SYSTEMTIME standard_date {};
    int32_t standard_bias { 0 };
    std::array<char16_t, 32> daylight_name {};
    zt::platform::SYSTEMTIME daylight_date {};
    int32_t daylight_bias { 0 };

    bool has_daylight_time() const { return standard_date.wMonth != 0; }
    friend bool operator==(const TimeZoneRules&, const TimeZoneRules&) = default;
};

TimeZoneRules decode_time_zone_rules(std::span<const uint8_t, kTimeZoneRulesSize> bytes);
TimeZoneRulesBytes encode_time_zone_rules(const TimeZoneRules& rules);

}  // namespace zt::world
