#pragma once
// The cities the world map marks and a tap can pick: the database's map cities (flag bit 0,
// with a time zone), collected once in database order, followed by the favourites. An index
// below the number of map cities denotes a map city, the others a favourite.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "world/city_record.h"

namespace zt::world {

class CityDatabase;

inline constexpr uint32_t kMapCityFlag = 0x1;

std::vector<CityRecord> collect_map_cities(CityDatabase& database);

// A panel's city name: whole up to 15 characters, else its first 13 and "...".
std::u16string panel_city_name(std::u16string_view name);

}  // namespace zt::world
