#pragma once
// Local time of a zone from its rules, the way every world-time display of the product
// computes it.
//
// - Without daylight time (standard-date month 0): local = UTC + bias.
// - Otherwise the daylight start S and end E are built in the year of the universal time:
//   S from the daylight date, given in local standard time (S = wall - bias); E from the
//   standard date, given as the wall-clock time in force when daylight time ends, that is
//   daylight time (E = wall - (bias - daylight bias)). This choice of E is what makes the
//   result agree with the IANA zones, whose rules state the end in daylight time too.
// - Daylight time holds when the start month is before June and S < t < E, or, for a start
//   in June or later (southern hemisphere), when t > S or t <= E.
// - A transition date that cannot exist (month 13, occurrence 0, hour 24, ...) leaves the
//   zone on standard time all year: damaged rules never stop a clock.
// Fails (nullopt) only when the result is outside the calendar the device can show.
#include <optional>

#include "platform/base/system_time.h"
#include "world/time_zone_rules.h"

namespace zt::world {

std::optional<zt::platform::FileTime> zone_local_file_time(const TimeZoneRules& rules, zt::platform::FileTime universal);
std::optional<zt::platform::SYSTEMTIME> zone_local_time(const TimeZoneRules& rules, const zt::platform::SYSTEMTIME& universal);

// The wall-clock moment of a rule date in a year: day-in-month form when the rule's year is
// 0 (occurrence 5 = last such weekday), else the absolute date with its own year.
std::optional<zt::platform::FileTime> transition_wall_time(const zt::platform::SYSTEMTIME& rule, int year);

}  // namespace zt::world
