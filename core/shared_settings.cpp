#include "core/shared_settings.h"

#include <limits>

#include "contracts/registry_keys.h"
#include "core/number_text.h"
#include "core/property_list.h"
#include "core/registry_key.h"

namespace zt::core {

void TodaySettings::load() {
    CRegistryKey key(RegistryRoot::CurrentUser, contracts::kSettingsKeyPath, false, false);
    skin_name = key.read_string(u"TodaySkinName", u"default");
    view = key.read_number(u"View", 1);
    cities_count = key.read_number(u"CitiesCount", 1);
    uint32_t stored_city = key.read_number(u"CityIndex", kStoredNoCity);
    city_index = stored_city == kStoredNoCity || stored_city > static_cast<uint32_t>(std::numeric_limits<int32_t>::max())
                     ? kNoCity
                     : static_cast<int32_t>(stored_city);
    hide_icon = key.read_number(u"HideIcon", 0) != 0;
}

void TodaySettings::save() const {
    CRegistryKey key(RegistryRoot::CurrentUser, contracts::kSettingsKeyPath, true, true);
    key.write_string(u"TodaySkinName", skin_name);
    key.write_number(u"View", view);
    key.write_number(u"CitiesCount", cities_count);
    key.write_number(u"CityIndex", city_index < 0 ? kStoredNoCity : static_cast<uint32_t>(city_index));
    key.write_number(u"HideIcon", hide_icon ? 1 : 0);
}

AddCityOptions load_add_city_options() {
    AddCityOptions options;
    CRegistryKey key(RegistryRoot::CurrentUser, contracts::kSettingsKeyPath, false, false);
    auto map = parse_property_list(key.read_string(u"Add City Options", u""));
    if (!map) return options;
    options.state = map->number(u"state").value_or(0);
    options.city = map->number(u"city").value_or(0);
    for (uint32_t index = 0; index < map->count(); ++index) {
        auto count = map->number(u"cnt" + format_unsigned(index));
        if (!count) break;
        options.counts.push_back(*count);
    }
    return options;
}

void save_add_city_options(const AddCityOptions& options) {
    CValueMap map;
    if (options.state != 0) map.put_number(u"state", options.state);
    if (options.city != 0) map.put_number(u"city", options.city);
    for (size_t index = 0; index < options.counts.size(); ++index)
        map.put_number(u"cnt" + format_unsigned(static_cast<uint32_t>(index)), options.counts[index]);
    CRegistryKey key(RegistryRoot::CurrentUser, contracts::kSettingsKeyPath, true, true);
    key.write_string(u"Add City Options", join_property_list(map));
}

}  // namespace zt::core
