#pragma once
// The night side of the world map, shaded toward grey (80, 80, 80) with weight 128 over a
// 24-bit bottom-up map picture (blue, green, red; rows padded to 4 bytes). The sun times are
// computed once per row; each pixel costs two comparisons.
#include <cstdint>

#include "platform/base/system_time.h"
#include "world/map/linear_projection.h"

namespace zt::world {

struct MapBits {
    uint8_t* bits { nullptr };
    int32_t width { 0 };
    int32_t height { 0 };
    int32_t stride { 0 };
};

// The bits hold a window of the map: their (0, 0) is map pixel `origin`, and their columns run on
// round the map's right edge to its column 0 (a map scrolled sideways). The projection has the
// whole map's size. `opacity` is the drawing's global opacity (256 and above: full weight; a
// fading map shades less).
void shade_night(const MapBits& map, const CLinearProjection& projection, const platform::SYSTEMTIME& utc,
                 int32_t opacity, MapPoint origin = {});

}  // namespace zt::world
