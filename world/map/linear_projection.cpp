#include "world/map/linear_projection.h"

#include <cmath>

namespace zt::world {

int32_t near(float value) { return static_cast<int32_t>(std::lround(value)); }

void CLinearProjection::set_size(int32_t width, int32_t height) {
    m_width = width;
    m_height = height;
    m_kx = 2.0f / static_cast<float>(width);
    m_ky = 2.0f / static_cast<float>(height);
    m_cx = near(static_cast<float>(width) / 2.0f);
    m_cy = near(static_cast<float>(height) / 2.0f);
}

bool CLinearProjection::forward(double latitude, double longitude, MapPoint& pixel) const {
    if (!(std::fabs(latitude) <= 90.0) || !(std::fabs(longitude) <= 180.0)) {
        pixel = centre();
        return false;
    }
    pixel.x = near(static_cast<float>(longitude) * kLongitudeFactor / m_kx) + m_cx;
    pixel.y = near(static_cast<float>(latitude) * kLatitudeFactor / m_ky) + m_cy;
    return true;
}

GeoPoint CLinearProjection::inverse(int32_t x, int32_t y) const {
    const float longitude = (static_cast<float>(x) * m_kx - kOffset) / kLongitudeFactor;
    const float latitude = (static_cast<float>(y) * m_ky - kOffset) / kLatitudeFactor;
    return { latitude, longitude };
}

MapPoint city_map_point(const Projection& projection, int32_t latitude_minutes, int32_t longitude_minutes) {
    MapPoint pixel;
    projection.forward(latitude_minutes / 60.0, longitude_minutes / 60.0, pixel);
    return pixel;
}

}  // namespace zt::world
