#include "setup/default_favorites.h"

#include <vector>

#include "platform/base/device_path.h"
#include "world/favorites_list.h"

namespace zt::setup {

std::optional<world::CityRecord> look_up_default_city(world::CityDatabase& database, const DefaultCity& wanted) {
    uint32_t country = database.find_country_index(wanted.country);
    if (country == 0) return std::nullopt;
    uint32_t region = 0;
    if (!wanted.region.empty()) {
        region = database.find_region_index(country, wanted.region);
        if (region == 0) return std::nullopt;
    }
    std::vector<world::CityRecord> cities;
    database.list_cities(country, region, cities);
    for (const auto& city : cities)
        if (city.name_view() == wanted.city) return city;
    return std::nullopt;
}

void seed_default_favorites(std::u16string_view installation_folder, world::CitiesChangedNotifier& notifier) {
    std::u16string folder(installation_folder);
    auto database_path = platform::map_device_path(folder + u"\\" + world::kCityDatabaseFileName);
    auto list_path = platform::map_device_path(folder + u"\\FavList.dat");
    if (!list_path) return;

    world::CityDatabase database;
    if (database_path) database.open(*database_path);  // a closed database finds nothing
    world::FavoritesList favorites(database, &notifier);
    if (favorites.load(*list_path)) return;

    favorites.clear();
    for (const DefaultCity& wanted : kDefaultCities)
        if (auto city = look_up_default_city(database, wanted)) favorites.add(*city);
    for (int slot = 0; slot < static_cast<int>(world::kSlotCount) && slot < static_cast<int>(favorites.count()); ++slot)
        favorites.set_slot(slot, slot);
    favorites.save();
}

}  // namespace zt::setup
