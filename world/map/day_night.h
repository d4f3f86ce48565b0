#pragma once
// Where it is day on one row of the world map: the sunrise and sunset lines of the row's
// latitude at the current universal time, as map columns. Computed once per row, so that
// shading a pixel costs two integer comparisons.
#include <cstdint>

#include "platform/base/system_time.h"
#include "world/map/linear_projection.h"

namespace zt::world {

struct DayRow {
    int32_t sunrise_x { 0 };  // day from this column ...
    int32_t sunset_x { 0 };   // ... up to, not including, this one (wrapping round the map)
    bool all_day { false };
    bool all_night { false };
};

// The row y of the map (its latitude taken at the centre column, kept within 89.999 degrees
// of the equator) at universal time `utc` (hour and minute count).
DayRow day_row(const CLinearProjection& projection, int32_t y, const platform::SYSTEMTIME& utc);

// Whether column x (taken into 0 .. map width - 1 by the caller) of the row is day.
inline bool is_day(const DayRow& row, int32_t x) {
    if (row.all_night) return false;
    if (row.all_day) return true;
    if (row.sunrise_x < row.sunset_x) return x >= row.sunrise_x && x < row.sunset_x;
    return x < row.sunset_x || x >= row.sunrise_x;
}

}  // namespace zt::world
