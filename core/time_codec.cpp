#include "core/time_codec.h"

#include <algorithm>

namespace zt::core {

uint32_t encode_time_of_day(const SYSTEMTIME& time) {
    return uint32_t { time.wHour } * 10000u + uint32_t { time.wMinute } * 100u + time.wSecond;
}

uint32_t encode_date(const SYSTEMTIME& time) {
    return uint32_t { time.wYear } * 10000u + uint32_t { time.wMonth } * 100u + time.wDay;
}

SYSTEMTIME decode_date_time(uint32_t date, uint32_t time_of_day) {
    SYSTEMTIME t {};
    t.wHour = static_cast<uint16_t>(std::min(time_of_day / 10000u, 23u));
    t.wMinute = static_cast<uint16_t>(std::min(time_of_day / 100u % 100u, 59u));
    t.wSecond = static_cast<uint16_t>(std::min(time_of_day % 100u, 59u));
    t.wYear = static_cast<uint16_t>(std::min(date / 10000u, 9999u));
    t.wMonth = static_cast<uint16_t>(std::clamp(date / 100u % 100u, 1u, 12u));
    t.wDay = static_cast<uint16_t>(std::clamp(date % 100u, 1u, 31u));
    if (t.wYear == 0) return t;
    t.wYear = std::max<uint16_t>(t.wYear, 1601);
    t.wDay = static_cast<uint16_t>(std::min<int>(t.wDay, zt::platform::days_in_month(t.wYear, t.wMonth)));
    if (auto normalised = zt::platform::normalize(t)) return *normalised;
    return t;
}

}  // namespace zt::core
