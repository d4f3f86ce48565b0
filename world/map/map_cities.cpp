#include "world/map/map_cities.h"

#include "world/city_database.h"

namespace zt::world {

std::vector<CityRecord> collect_map_cities(CityDatabase& database) {
    std::vector<CityRecord> cities;
    database.enumerate_cities([&](const CityRecord& city) {
        if ((city.flags & kMapCityFlag) && city.time_zone != 0) cities.push_back(city);
    });
    return cities;
}

std::u16string panel_city_name(std::u16string_view name) {
    if (name.size() < 16) return std::u16string(name);
    return std::u16string(name.substr(0, 13)) + u"...";
}

}  // namespace zt::world
