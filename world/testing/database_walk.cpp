#include "world/testing/database_walk.h"

#include <vector>

namespace zt::world::testing {

size_t walk_database(CityDatabase& db) {
    size_t seen = 0;
    std::vector<CityRecord> cities;
    for (uint32_t k = 0; k <= db.country_count() + 1; ++k) {
        db.list_cities(k, 0, cities);
        seen += cities.size();
        for (const auto& r : db.regions_of(k)) seen += r.city_count > 0;
        if (const CountryRecord* c = db.country(k)) db.find_country(c->name);
    }
    for (uint32_t r = 0; r <= db.region_table_count() + 1; ++r) {
        db.list_cities(1, r, cities);
        seen += cities.size();
    }
    db.enumerate_cities([&](const CityRecord&) { ++seen; });
    CityRecord city;
    for (uint32_t zip : { 0u, 1u, 10001u, 73301u, 99999u, 131071u }) seen += db.find_by_zip(zip, city);
    for (uint32_t z = 0; z <= db.time_zone_count() + 1; ++z) seen += db.time_zone(z) != nullptr;
    return seen;
}

}  // namespace zt::world::testing
