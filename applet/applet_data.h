#pragma once
// The applet's persistent blob, as the host stores it between sessions (little-endian):
// version 1, the skin name's length n in UTF-16 units, the name, flags (bit 0: show the date),
// the view (0 analog, 1 digital), the chosen city's 128-byte record and its 172-byte zone rules:
// 316 + 2n bytes. Anything else the host hands back reads as the defaults.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "world/city_record.h"
#include "world/time_zone_rules.h"

namespace zt::applet {

inline constexpr uint32_t kAppletDataVersion = 1;
inline constexpr size_t kAppletDataFixedSize = 316;
inline constexpr uint32_t kShowDateFlag = 1;
inline constexpr uint32_t kAnalogView = 0;
inline constexpr uint32_t kDigitalView = 1;

struct AppletData {
    std::u16string skin_name { u"default" };
    uint32_t flags { 0 };
    uint32_t view { kAnalogView };
    // Kept as the bytes that arrived, so that a record written by another build round-trips.
    world::CityRecordBytes city {};
    world::TimeZoneRulesBytes rules {};

    bool show_date() const { return (flags & kShowDateFlag) != 0; }
    // The record's zone index (offset 120) is not 0 and its name (offset 12) is not empty.
    bool city_chosen() const;
    world::CityRecord city_record() const { return world::decode_city_record(city); }
    world::TimeZoneRules city_rules() const { return world::decode_time_zone_rules(rules); }
    void clear_city() {
        city = {};
        rules = {};
    }
    bool operator==(const AppletData&) const = default;
};

size_t applet_data_size(const AppletData& data);
// The defaults for a blob that is empty, shorter than its fields or of another version.
AppletData read_applet_data(std::span<const uint8_t> blob);
std::vector<uint8_t> write_applet_data(const AppletData& data);

}  // namespace zt::applet
