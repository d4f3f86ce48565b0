#pragma once
// What every place that changes the favourites or a slot does alike: the world screen's map menu
// and panels, the cities page and the favourites page.
#include <string>

#include "world/city_record.h"

namespace zt::core {
class CSettingsBag;
}
namespace zt::world {
class FavoritesList;
}

namespace zt::app {

// A favourite as lists show it: the name, and for a custom city the translated "custom" after
// it in brackets.
std::u16string favorite_display_name(const world::CityRecord& city);

// Appends a city the add-city dialog returned: a custom one (its id above 99999) first takes the
// list's next custom id, so two custom cities never share one. Returns the new entry's index.
int append_chosen_city(world::FavoritesList& favourites, world::CityRecord city);

// Puts entry `index` into slot n (which publishes it), then saves the settings and the
// favourites file, as each slot change does. False when the list refuses the slot or the index.
bool assign_slot(world::FavoritesList& favourites, core::CSettingsBag& settings, int slot, int index);

}  // namespace zt::app
