#pragma once
// The city a tap on the map picks: the nearest in plain degrees (latitude and longitude
// differences squared and added, no correction for latitude), a later city winning a tie,
// and none when even the nearest lies 50 square degrees away or more.
#include <cstddef>
#include <optional>
#include <span>

#include "world/map/linear_projection.h"

namespace zt::world {

inline constexpr double kNearestCityLimit = 50.0;

std::optional<size_t> nearest_city(std::span<const GeoPoint> cities, GeoPoint tap);

}  // namespace zt::world
