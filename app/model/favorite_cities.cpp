#include "app/model/favorite_cities.h"

#include "core/settings_bag.h"
#include "texts/text_table.h"
#include "world/favorites_list.h"

namespace zt::app {

std::u16string favorite_display_name(const world::CityRecord& city) {
    std::u16string name(city.name_view());
    if (!city.is_custom()) return name;
    return name + u" (" + CTextTable::instance().translate(u"custom") + u")";
}

int append_chosen_city(world::FavoritesList& favourites, world::CityRecord city) {
    if (city.id > world::kFirstCustomCityId - 1) city.id = favourites.take_next_custom_id();
    favourites.add(city);
    return static_cast<int>(favourites.count()) - 1;
}

bool assign_slot(world::FavoritesList& favourites, core::CSettingsBag& settings, int slot, int index) {
    if (!favourites.set_slot(slot, index)) return false;
    settings.save();
    favourites.save();
    return true;
}

}  // namespace zt::app
