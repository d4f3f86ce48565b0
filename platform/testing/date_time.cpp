#include "platform/testing/date_time.h"

#include <cstdint>

namespace zt::platform::testing {

SYSTEMTIME date_time(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    SYSTEMTIME time;
    time.wYear = static_cast<uint16_t>(year);
    time.wMonth = static_cast<uint16_t>(month);
    time.wDay = static_cast<uint16_t>(day);
    time.wHour = static_cast<uint16_t>(hour);
    time.wMinute = static_cast<uint16_t>(minute);
    time.wSecond = static_cast<uint16_t>(second);
    time.wMilliseconds = static_cast<uint16_t>(millisecond);
    if (year >= 1 && day >= 1 && day <= days_in_month(year, month))
        time.wDayOfWeek = static_cast<uint16_t>(day_of_week(year, month, day));
    return time;
}

}  // namespace zt::platform::testing
