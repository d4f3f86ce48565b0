#include "world/slot_publisher.h"

#include <array>

#include "contracts/registry_keys.h"
#include "platform/base/text.h"
#include "platform/registry/registry.h"

namespace zt::world {

std::u16string slot_value_name(int slot) { return u"City" + zt::platform::to_u16(std::to_string(slot)); }

void publish_slot_value(int slot, const CityRecord* city, const TimeZoneRulesBytes* rules) {
    namespace registry = zt::platform::registry;
    auto created = registry::Key::create(registry::Root::CurrentUser, zt::contracts::kSettingsKeyPath);
    if (!created) return;
    const std::u16string name = slot_value_name(slot);
    if (!city || !rules) {
        created->key.delete_value(name);
        return;
    }
    std::array<uint8_t, kSlotValueSize> value {};
    auto record = encode_city_record(*city);
    std::copy(record.begin(), record.end(), value.begin());
    std::copy(rules->begin(), rules->end(), value.begin() + kCityRecordSize);
    created->key.set_binary(name, value);
}

}  // namespace zt::world
