#include "world/map/nearest_city.h"

namespace zt::world {

std::optional<size_t> nearest_city(std::span<const GeoPoint> cities, GeoPoint tap) {
    std::optional<size_t> nearest;
    double best = 0;
    for (size_t i = 0; i < cities.size(); ++i) {
        const double dy = cities[i].latitude - tap.latitude;
        const double dx = cities[i].longitude - tap.longitude;
        const double d = dy * dy + dx * dx;
        if (!nearest || d <= best) {
            nearest = i;
            best = d;
        }
    }
    if (!nearest || best >= kNearestCityLimit) return std::nullopt;
    return nearest;
}

}  // namespace zt::world
