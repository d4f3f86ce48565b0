#pragma once
// Calendar times written briefly in tests: date_time(2009, 3, 2, 7, 30) is Monday 2 March 2009,
// 07:30:00.000.
#include "platform/base/system_time.h"

namespace zt::platform::testing {

// The day of week is filled in for a real date and left 0 for an impossible one (month 13,
// 30 February), which tests build on purpose to see it refused.
SYSTEMTIME date_time(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                     int millisecond = 0);

}  // namespace zt::platform::testing
