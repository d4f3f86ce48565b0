#include "app/model/city_answer.h"

#include <algorithm>
#include <chrono>

#include "platform/windows/window_lookup.h"
#include "world/city_database.h"

namespace zt::app {

CityAnswer build_city_answer(const world::CityRecord& city, const world::CityDatabase& database) {
    CityAnswer answer {};
    const auto record = world::encode_city_record(city);
    std::copy(record.begin(), record.end(), answer.begin());
    if (const world::TimeZoneRecord* zone = database.time_zone(city.time_zone)) {
        std::copy(zone->rules.begin(), zone->rules.end(), answer.begin() + world::kCityRecordSize);
    }
    return answer;
}

zt::platform::DeliveryStatus send_city_answer(zt::platform::WindowHandle requester, zt::platform::WindowHandle sender,
                                             const CityAnswer& answer) {
    // A requester that hangs must not hang the chooser: the answer is only a notice to it.
    return zt::platform::send_copy_data(requester, sender, contracts::kCityAnswerDataWord, answer, std::chrono::seconds(5)).status;
}

bool answer_city_request(const CommandLine& line, const CityPicker& pick, const world::CityDatabase& database,
                         zt::platform::WindowHandle sender) {
    if (line.mode != StartMode::ChooseCity || !pick) return false;
    const zt::platform::WindowHandle requester = line.numbers[0];
    if (!zt::platform::is_window(requester)) return false;
    const auto chosen = pick(CityPreselection { line.numbers[1], line.numbers[2], line.numbers[3] });
    if (!chosen) return false;
    // The requester may have gone while the user chose; the send then simply finds no window.
    return send_city_answer(requester, sender, build_city_answer(*chosen, database)) ==
           zt::platform::DeliveryStatus::Delivered;
}

}  // namespace zt::app
