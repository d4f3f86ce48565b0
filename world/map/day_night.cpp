#include "world/map/day_night.h"

#include <algorithm>

#include "world/map/sun_times.h"

namespace zt::world {
namespace {

constexpr float kPolarLimit = 89.999f;

double into_half_turns(double degrees) {
    if (degrees < -180.0) return degrees + 360.0;
    if (degrees >= 180.0) return degrees - 360.0;
    return degrees;
}

}  // namespace

DayRow day_row(const CLinearProjection& projection, int32_t y, const platform::SYSTEMTIME& utc) {
    const float latitude = std::clamp(static_cast<float>(projection.inverse(projection.centre().x, y).latitude),
                                      -kPolarLimit, kPolarLimit);
    const SunTimes sun = sun_times(latitude, utc.wYear, utc.wMonth, utc.wDay);
    const double length = 15.0 * sun.sunset - 15.0 * sun.sunrise;
    const double now = utc.wHour + utc.wMinute / 60.0;
    MapPoint rise;
    MapPoint set;
    projection.forward(latitude, into_half_turns(15.0 * sun.sunrise - 15.0 * now), rise);
    projection.forward(latitude, into_half_turns(15.0 * sun.sunset - 15.0 * now), set);
    DayRow row { rise.x, set.x, false, false };
    if (rise.x == set.x) {
        row.all_night = length >= 0 && length < 0.001;
        row.all_day = !row.all_night;
    }
    return row;
}

}  // namespace zt::world
