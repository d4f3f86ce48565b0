#include "world/map/sun_times.h"

#include <cmath>

namespace zt::world {
namespace {

const double kPi = 4.0 * std::atan(1.0);
double radians(double degrees) { return degrees * kPi / 180.0; }

double reduce_degrees(double degrees) {
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0 ? degrees + 360.0 : degrees;
}

double into_day(double hours) {
    if (hours < 0) return hours + 24.0;
    if (hours > 24) return hours - 24.0;
    return hours;
}

}  // namespace

SunTimes sun_times(double latitude, int year, int month, int day) {
    const int whole = 367 * year - (7 * (year + (month + 9) / 12)) / 4 + (275 * month) / 9 + day;
    const double n = static_cast<double>(whole) - 730532.0;
    const double obliquity = 23.439 - 0.0000004 * n;
    const double mean_longitude = reduce_degrees(280.461 + 0.9856474 * n);
    const double anomaly = reduce_degrees(357.528 + 0.9856003 * n);
    const double ecliptic =
        reduce_degrees(mean_longitude + 1.915 * std::sin(radians(anomaly)) + 0.020 * std::sin(radians(2 * anomaly)));
    const double declination = std::asin(std::sin(radians(obliquity)) * std::sin(radians(ecliptic)));
    const double side = latitude >= 0 ? 1.0 : -1.0;
    double x = std::tan(radians(latitude)) * std::tan(declination + side * radians(0.8316666666666667));
    if (x > 0.999) x = 1.0;
    if (x < -0.999) x = -1.0;
    const double half_arc = kPi / 2 + std::asin(x);
    return { into_day(12.0 - half_arc * 12.0 / kPi), into_day(12.0 + half_arc * 12.0 / kPi) };
}

}  // namespace zt::world
