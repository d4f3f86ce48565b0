// The four published city slots and the time a city shows.
#include <span>

#include "contracts/registry_keys.h"
#include "platform/registry/registry.h"
#include "today/today_view.h"
#include "world/slot_publisher.h"
#include "world/zone_local_time.h"

namespace zt::today {

CitySlots load_city_slots() {
    namespace registry = platform::registry;
    CitySlots slots;
    const std::optional<registry::Key> key = registry::Key::open(registry::Root::CurrentUser, contracts::kSettingsKeyPath);
    if (!key) return slots;
    for (int slot = 0; slot < kCitySlotCount; ++slot) {
        const std::optional<std::vector<uint8_t>> value = key->get_binary(world::slot_value_name(slot));
        if (!value || value->size() != world::kSlotValueSize) continue;
        const std::span<const uint8_t> bytes(*value);
        slots[static_cast<size_t>(slot)] = CitySlot {
            world::decode_city_record(bytes.first<world::kCityRecordSize>()),
            world::decode_time_zone_rules(bytes.subspan<world::kCityRecordSize, world::kTimeZoneRulesSize>()),
        };
    }
    return slots;
}

std::optional<CitySlot> shown_city(const TodayContent& content) {
    const int32_t index = content.settings.city_index;
    if (index < 0 || index >= kCitySlotCount) return std::nullopt;
    return content.city_slots[static_cast<size_t>(index)];
}

platform::SYSTEMTIME city_time(const TodayContent& content, const std::optional<CitySlot>& city) {
    if (!city) return content.local;
    // Rules that put the time outside the device's calendar leave the local time showing.
    return world::zone_local_time(city->rules, content.universal).value_or(content.local);
}

}  // namespace zt::today
