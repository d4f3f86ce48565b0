#pragma once
// Sunrise and sunset on a day at a latitude, in hours of universal time at longitude 0: the
// low-precision solar formulas the map shades its night side with (double precision,
// pi = 4 atan 1). The twilight constant 0.8316666666666667 degrees stands for the sun's
// radius and the refraction at the horizon.
namespace zt::world {

struct SunTimes {
    double sunrise { 0 };  // 0..24
    double sunset { 0 };
};

SunTimes sun_times(double latitude, int year, int month, int day);

}  // namespace zt::world
