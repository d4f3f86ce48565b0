#include "world/map/night_shading.h"

#include "world/map/day_night.h"

namespace zt::world {
namespace {

constexpr int32_t kNightWeight = 128;
constexpr int32_t kNightGrey = 80;

}  // namespace

void shade_night(const MapBits& map, const CLinearProjection& projection, const platform::SYSTEMTIME& utc,
                 int32_t opacity, MapPoint origin) {
    const int32_t map_width = projection.width();
    if (!map.bits || opacity <= 0 || map_width <= 0) return;
    const int32_t k = opacity < 256 ? (kNightWeight * opacity) >> 8 : kNightWeight;
    const int32_t first_column = ((origin.x % map_width) + map_width) % map_width;
    for (int32_t y = 0; y < map.height; ++y) {
        const DayRow row = day_row(projection, origin.y + y, utc);
        if (row.all_day) continue;
        uint8_t* pixel = map.bits + static_cast<ptrdiff_t>(map.height - 1 - y) * map.stride;
        for (int32_t x = 0, column = first_column; x < map.width; ++x, pixel += 3) {
            const bool day = is_day(row, column);
            if (++column == map_width) column = 0;
            if (day) continue;
            for (int c = 0; c < 3; ++c)
                pixel[c] = static_cast<uint8_t>((pixel[c] * (255 - k) + kNightGrey * k) >> 8);
        }
    }
}

}  // namespace zt::world
