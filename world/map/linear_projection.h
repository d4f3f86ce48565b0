#pragma once
// How the world map turns latitude and longitude into map pixels and back. The map is
// equirectangular: x = 0 is longitude -180, y = 0 latitude +90, and the centre pixel is
// (0, 0) degrees. The state is kept in single precision, as the map has always computed it,
// so that markers land on the same pixels.
#include <cstdint>
#include <string_view>

namespace zt::world {

struct MapPoint {
    int32_t x { 0 };
    int32_t y { 0 };
    bool operator==(const MapPoint&) const = default;
};

struct GeoPoint {
    double latitude { 0 };   // degrees, north positive
    double longitude { 0 };  // degrees, east positive
};

// The nearest integer, halves away from zero.
int32_t near(float value);

class Projection {
public:
    virtual ~Projection() = default;
    virtual std::u16string_view name() const = 0;
    // The pixel of a point; false (and the centre) for a latitude beyond 90 or a longitude
    // beyond 180 degrees either way.
    virtual bool forward(double latitude, double longitude, MapPoint& pixel) const = 0;
    // The point of a pixel, (0, 0) being the map's top-left.
    virtual GeoPoint inverse(int32_t x, int32_t y) const = 0;
    virtual void set_size(int32_t width, int32_t height) = 0;
};

class CLinearProjection final : public Projection {
public:
    CLinearProjection() { set_size(2, 2); }

    std::u16string_view name() const override { return u"Linear Projection"; }
    bool forward(double latitude, double longitude, MapPoint& pixel) const override;
    GeoPoint inverse(int32_t x, int32_t y) const override;
    void set_size(int32_t width, int32_t height) override;

    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }
    MapPoint centre() const { return { m_cx, m_cy }; }

private:
    static constexpr float kLongitudeFactor = 1.0f / 180.0f;
    static constexpr float kLatitudeFactor = -1.0f / 90.0f;
    static constexpr float kOffset = 1.0f;

    int32_t m_width { 0 };
    int32_t m_height { 0 };
    float m_kx { 1 };
    float m_ky { 1 };
    int32_t m_cx { 0 };
    int32_t m_cy { 0 };
};

// A city's place on the map, from its record's minutes of arc.
MapPoint city_map_point(const Projection& projection, int32_t latitude_minutes, int32_t longitude_minutes);

}  // namespace zt::world
