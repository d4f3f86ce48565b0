#pragma once
// Publishing of the four city slots to the other displays (the Today item, the dock applet):
// each slot is the REG_BINARY value "City0".."City3" of the settings key, exactly 300 bytes
// (the 128-byte city record, then the 172 bytes of its zone's rules), and the Today item is
// told to reload.
//
// The message goes through a notifier the owner supplies: TodayWindowNotifier posts it to the
// Today item's window; tests and tools that must not disturb a running Today item pass none.
#include <cstddef>
#include <string>

#include "world/city_record.h"
#include "world/time_zone_rules.h"

namespace zt::world {

inline constexpr size_t kSlotValueSize = kCityRecordSize + kTimeZoneRulesSize;  // 300

// Tells the Today item's window, if one exists, that the cities changed
// (contracts::kMsgCitiesChanged).
class CitiesChangedNotifier {
public:
    virtual ~CitiesChangedNotifier() = default;
    virtual void post_cities_changed() = 0;
};

class NoCitiesChangedNotifier : public CitiesChangedNotifier {
public:
    void post_cities_changed() override {}
};

// Posts to the Today item's window through the device's windows; nothing when
// there is none (the Today item reads the slots when it starts).
class TodayWindowNotifier : public CitiesChangedNotifier {
public:
    void post_cities_changed() override;
};

// "City%d" for slot n.
std::u16string slot_value_name(int slot);

// Writes the slot's value when both the city and its zone's rules are given, else deletes
// it. Registry failures are not reported (the product does not report registry writes).
void publish_slot_value(int slot, const CityRecord* city, const TimeZoneRulesBytes* rules);

}  // namespace zt::world
