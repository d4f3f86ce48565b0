// The 300-byte answer to a "ChooseCity" requester, read and made. The first 300 bytes (zeros
// when the input is shorter) are an answer as a requester receives it: any bytes decode into
// a city record and zone rules, the rules encode back to the same bytes, and the requester's
// local time runs on them for a few fixed moments and for every further 8 bytes taken as a
// universal file time. The answer the main program builds from that city has the city as
// its first 128 bytes and the rules of the city's zone, or zeros when the database has no
// such zone, as the rest.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>

#include "app/model/city_answer.h"
#include "contracts/city_requester.h"
#include "platform/base/le_bytes.h"
#include "platform/testing/temp_folder.h"
#include "world/city_database.h"
#include "world/testing/city_db_builder.h"
#include "world/zone_local_time.h"

namespace world = zt::world;

namespace {

// A database of two zones, made once: the answer's zone part must come from it.
const world::CityDatabase& two_zone_database() {
    static zt::platform::testing::TempFolder folder;
    static world::CityDatabase database;
    static const bool opened = [] {
        world::testing::CityDbBuilder builder;
        world::TimeZoneRules southern = world::testing::central_european_rules();
        southern.bias = 600;
        std::swap(southern.standard_date, southern.daylight_date);
        builder.zones = { { "Central Europe", world::testing::central_european_rules() },
                          { "Eastern Australia", southern } };
        builder.countries = { { "Nowhere" } };
        const auto path = folder / "TimeCitiesDB.dat";
        return world::testing::write_file(path, builder.build()) && database.open(path);
    }();
    if (!opened) std::abort();
    return database;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    zt::app::CityAnswer received {};
    std::memcpy(received.data(), data, std::min(size, received.size()));
    const std::span<const uint8_t, zt::contracts::kCityAnswerSize> answer(received);

    const world::CityRecord city = world::decode_city_record(answer.first<world::kCityRecordSize>());
    if (city.name_view().size() >= world::kCityNameUnits) std::abort();
    if (world::decode_city_record(world::encode_city_record(city)) != city) std::abort();
    const auto rule_bytes = answer.last<world::kTimeZoneRulesSize>();
    const world::TimeZoneRules rules = world::decode_time_zone_rules(rule_bytes);
    const world::TimeZoneRulesBytes rules_again = world::encode_time_zone_rules(rules);
    if (!std::equal(rules_again.begin(), rules_again.end(), rule_bytes.begin())) std::abort();

    for (const zt::platform::SYSTEMTIME& moment :
         { zt::platform::SYSTEMTIME { 2009, 3, 1, 2, 12, 0, 0, 0 }, zt::platform::SYSTEMTIME { 2024, 10, 0, 27, 1, 30, 0, 0 },
           zt::platform::SYSTEMTIME { 1601, 1, 1, 1, 0, 0, 0, 0 }, zt::platform::SYSTEMTIME { 30827, 12, 4, 31, 23, 59, 59, 999 } })
        world::zone_local_time(rules, moment);
    for (size_t at = zt::contracts::kCityAnswerSize; at + 8 <= size; at += 8)
        world::zone_local_file_time(rules, static_cast<zt::platform::FileTime>(zt::platform::read_le64(data + at)));

    const world::CityDatabase& database = two_zone_database();
    const zt::app::CityAnswer built = zt::app::build_city_answer(city, database);
    const world::CityRecordBytes city_bytes = world::encode_city_record(city);
    if (!std::equal(city_bytes.begin(), city_bytes.end(), built.begin())) std::abort();
    world::TimeZoneRulesBytes zone {};
    if (const world::TimeZoneRecord* record = database.time_zone(city.time_zone)) zone = record->rules;
    if (!std::equal(zone.begin(), zone.end(), built.begin() + world::kCityRecordSize)) std::abort();
    return 0;
}
