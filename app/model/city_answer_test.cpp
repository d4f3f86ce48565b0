#include "app/model/city_answer.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/model/testing/window_recorder.h"
#include "platform/testing/temp_device_root.h"
#include "platform/testing/temp_folder.h"
#include "platform/windows/window.h"
#include "world/city_database.h"
#include "world/testing/city_db_builder.h"

namespace {

using namespace zt::world;
namespace built = zt::world::testing;
using zt::app::build_city_answer;
using zt::app::CommandLine;
using zt::app::StartMode;

class CityAnswers : public ::testing::Test {
protected:
    void SetUp() override {
        built::CityDbBuilder builder;
        builder.countries.push_back({ .name = "Germany", .cities = { { .key = 5, .name = "Berlin", .time_zone = 2 } } });
        TimeZoneRules utc {};
        utc.bias = 0;
        builder.zones.push_back({ "UTC", utc });
        builder.zones.push_back({ "Central Europe", built::central_european_rules() });
        ASSERT_TRUE(built::write_file(folder / "cities.dat", builder.build()));
        ASSERT_TRUE(database.open(folder / "cities.dat"));
        ASSERT_EQ(database.time_zone_count(), 2u);
    }
    static CityRecord city_in_zone(uint32_t zone) {
        CityRecord city;
        city.id = 5;
        city.country_index = 1;
        city.set_name(u"Berlin");
        city.latitude = 3151;
        city.longitude = 804;
        city.time_zone = zone;
        return city;
    }

    zt::platform::testing::TempFolder folder;
    CityDatabase database;
};

TEST_F(CityAnswers, RecordThenTheRulesOfItsOneBasedZone) {
    const CityRecord city = city_in_zone(2);
    const auto answer = build_city_answer(city, database);
    ASSERT_EQ(answer.size(), 300u);
    const auto record = encode_city_record(city);
    EXPECT_TRUE(std::equal(record.begin(), record.end(), answer.begin()));
    const auto rules = encode_time_zone_rules(built::central_european_rules());
    EXPECT_TRUE(std::equal(rules.begin(), rules.end(), answer.begin() + 128)) << "zone 2, not zone 1 or 3";
}

TEST_F(CityAnswers, NoZoneOrOneBeyondTheTableGivesZeroRules) {
    for (uint32_t zone : { 0u, 3u, 0xFFFFFFFFu }) {
        const auto answer = build_city_answer(city_in_zone(zone), database);
        EXPECT_TRUE(std::all_of(answer.begin() + 128, answer.end(), [](uint8_t b) { return b == 0; })) << zone;
        EXPECT_EQ(decode_city_record(std::span<const uint8_t, 128>(answer.data(), 128)), city_in_zone(zone));
    }
}

TEST_F(CityAnswers, ConfirmSendsThreeHundredBytesWithDataWord1130AndCancelSendsNothing) {
    zt::platform::testing::TempDeviceRoot root;
    zt::app::testing::WindowRecorder requester(u"ZUNTIME{Requester}");
    ASSERT_NE(requester.handle(), 0u);
    const CommandLine line { StartMode::ChooseCity, { requester.handle(), 1, 0, 5 } };

    zt::app::CityPreselection seen;
    const bool cancelled = zt::app::answer_city_request(line, [](const auto&) { return std::optional<CityRecord> {}; }, database, 0);
    const bool answered = zt::app::answer_city_request(line, [&](const zt::app::CityPreselection& preselection) {
        seen = preselection;
        return std::optional<CityRecord> { city_in_zone(2) };
    }, database, 0);

    EXPECT_FALSE(cancelled);
    EXPECT_TRUE(answered);
    EXPECT_EQ(seen.country_index, 1u);
    EXPECT_EQ(seen.region_index, 0u);
    EXPECT_EQ(seen.city_id, 5u);
    const auto received = requester.messages();
    ASSERT_EQ(received.size(), 1u) << "the cancel sent nothing";
    EXPECT_EQ(received[0].number, zt::platform::WM_COPYDATA);
    EXPECT_EQ(received[0].data_word, 1130u);
    const auto expected = build_city_answer(city_in_zone(2), database);
    EXPECT_EQ(received[0].bytes, std::vector<uint8_t>(expected.begin(), expected.end()));
}

TEST_F(CityAnswers, AVanishedRequesterIsNeverAsked) {
    zt::platform::testing::TempDeviceRoot root;
    bool asked = false;
    const CommandLine line { StartMode::ChooseCity, { 12345, 1, 0, 5 } };
    EXPECT_FALSE(zt::app::answer_city_request(line, [&](const auto&) {
        asked = true;
        return std::optional<CityRecord> { city_in_zone(1) };
    }, database, 0));
    EXPECT_FALSE(asked);
}

}  // namespace
