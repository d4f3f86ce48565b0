#pragma once
// Publishing of the four city slots to the other displays (the Today item, the dock applet):
// each slot is the REG_BINARY value "City0".."City3" of the settings key, exactly 300 bytes
// (the 128-byte city record, then the 172 bytes of its zone's rules), and the Today item is
// told to reload with message 0x046A.
//
// The window layer that finds the Today item's window is not part of the device yet, so the
// message goes through a notifier the owner supplies; the default one sends nothing.
#include <cstddef>
#include <string>

#include "world/city_record.h"
#include "world/time_zone_rules.h"

namespace zt::world {

inline constexpr size_t kSlotValueSize = kCityRecordSize + kTimeZoneRulesSize;  // 300
inline constexpr char16_t kTodayWindowClass[] = u"ZUNTIME{D9561A90-B72D-44F9-866C-E22E9455AF57}";
inline constexpr uint32_t kCitiesChangedMessage = 0x046A;

// Tells the Today item's window (class kTodayWindowClass), if one exists, that the cities
// changed: message kCitiesChangedMessage with both parameters 0.
class CitiesChangedNotifier {
public:
    virtual ~CitiesChangedNotifier() = default;
    virtual void post_cities_changed() = 0;
};

class NoCitiesChangedNotifier : public CitiesChangedNotifier {
public:
    void post_cities_changed() override {}
};

// "City%d" for slot n.
std::u16string slot_value_name(int slot);

// Writes the slot's value when both the city and its zone's rules are given, else deletes
// it. Registry failures are not reported (the product does not report registry writes).
void publish_slot_value(int slot, const CityRecord* city, const TimeZoneRulesBytes* rules);

}  // namespace zt::world
