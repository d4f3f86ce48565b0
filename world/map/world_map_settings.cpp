#include "world/map/world_map_settings.h"

#include "contracts/registry_keys.h"
#include "core/registry_key.h"

namespace zt::world {

WorldMapSettings WorldMapSettings::load() {
    core::CRegistryKey key(core::RegistryRoot::CurrentUser, contracts::kWorldMapKeyPath, false, false);
    return { key.read_number(u"TZTwilightOn", 1) != 0, key.read_number(u"TZShowCities", 1) != 0 };
}

void WorldMapSettings::save() const {
    core::CRegistryKey key(core::RegistryRoot::CurrentUser, contracts::kWorldMapKeyPath, true, true);
    key.write_number(u"TZTwilightOn", twilight ? 1 : 0);
    key.write_number(u"TZShowCities", show_cities ? 1 : 0);
}

}  // namespace zt::world
