#pragma once
// The answer to a "ChooseCity" requester (the Today item, the dock applet): 300 bytes sent with
// WM_COPYDATA, data word 1130. Bytes 0-127 are the chosen city record; bytes 128-299 the
// 172-byte time-zone rules of the record's 1-based zone index from the city database, or zeros
// when the index is 0 or beyond the zone table.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "app/model/start_mode.h"
#include "contracts/city_requester.h"
#include "platform/windows/message_sender.h"
#include "world/city_record.h"
#include "world/time_zone_rules.h"

namespace zt::world {
class CityDatabase;
}

namespace zt::app {

static_assert(contracts::kCityAnswerSize == world::kCityRecordSize + world::kTimeZoneRulesSize);
using CityAnswer = std::array<uint8_t, contracts::kCityAnswerSize>;

CityAnswer build_city_answer(const world::CityRecord& city, const world::CityDatabase& database);

// Sends the answer to the requester's window (from `sender`, 0 when there is no window to name).
zt::platform::DeliveryStatus send_city_answer(zt::platform::WindowHandle requester, zt::platform::WindowHandle sender,
                                             const CityAnswer& answer);

// The requester's current city, which preselects the chooser.
struct CityPreselection {
    uint32_t country_index { 0 };
    uint32_t region_index { 0 };
    uint32_t city_id { 0 };
};
// Shows the chooser; the chosen city, or nullopt when the user cancelled.
using CityPicker = std::function<std::optional<world::CityRecord>(const CityPreselection&)>;

// A ChooseCity line (numbers: requester, country, region, city) whose requester is still a
// window: lets `pick` choose and sends the answer when a city was chosen. Returns whether an
// answer was delivered; anything else (another mode, a vanished requester, a cancel) sends
// nothing.
bool answer_city_request(const CommandLine& line, const CityPicker& pick, const world::CityDatabase& database,
                         zt::platform::WindowHandle sender);

}  // namespace zt::app
