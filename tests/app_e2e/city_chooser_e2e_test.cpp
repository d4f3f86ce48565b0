// "ChooseCity" end to end: a requester window of this test process asks the installed main
// program for a city, a person answers the "Change City" dialog through the device's debug
// bridge, and the requester receives the 300-byte answer only after OK.
#include <gtest/gtest.h>

#include "app/model/testing/window_recorder.h"
#include "contracts/city_requester.h"
#include "contracts/today_item.h"
#include "core/number_text.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/main_program_fixture.h"
#include "world/city_database.h"

namespace zt::e2e {
namespace {

using zt::platform::gui::UiLine;

constexpr uint32_t kMarker = 0x0401;

TEST_F(MainProgramEndToEnd, ChooseCityAnswersTheRequesterAfterOkAndNothingAfterCancel) {
    // The requester's current city: one of the installed database, not the first of its list.
    world::CityDatabase database;
    ASSERT_TRUE(database.open(device.root() / "Program Files" / "Zun Time" / "TimeCitiesDB.dat"));
    const uint32_t country = database.find_country_index(u"France");
    const uint32_t region = database.region_count(country) == 0 ? 0 : database.country(country)->first_region_index + 1;
    std::vector<world::CityRecord> cities;
    database.list_cities(country, region, cities);
    ASSERT_GE(cities.size(), 2u);
    const world::CityRecord city = cities[1];
    app::testing::WindowRecorder requester(contracts::kTodayItemClass);
    ASSERT_NE(requester.handle(), 0u);

    size_t answers_before = 0;
    for (const std::u16string_view button : { u"Cancel", u"OK" }) {
        const auto number = [](uint32_t value) { return core::format_unsigned(value); };
        start_main(u"ChooseCity " + number(requester.handle()) + u" " + number(country) + u" " + number(region) + u" " +
                       number(city.id),
                   false);
        std::vector<UiLine> lines;
        ASSERT_TRUE(eventually(
            [&] {
                lines = ui_lines().value_or(std::vector<UiLine> {});
                return !lines.empty() && lines.front().kind == "dialog" && lines.front().text == u"Change City";
            },
            kStartLimit, "the Change City dialog in front"));
        EXPECT_TRUE(find_line(lines, "combo", city.name_view())) << "the requester's city preselected";
        const auto tap = find_line(lines, "button", button);
        ASSERT_TRUE(tap);
        // Closing the dialog ends the program, often before the bridge reports the tap: "program
        // gone" (1) is a tap that worked too; what it did is checked below.
        EXPECT_LE(tap_centre_of(*tap), 1);
        ASSERT_EQ(m_main->wait(std::chrono::seconds(20)), platform::Process::WaitResult::Ended);
        // Everything sent before the marker has arrived once the marker has.
        platform::post_message(requester.handle(), kMarker);
        ASSERT_TRUE(eventually([&] { return requester.messages().size() == answers_before + 1 + (button == u"OK"); },
                               kPatience, "the marker message"));
        answers_before = requester.messages().size();
    }
    const auto received = requester.messages();
    ASSERT_EQ(received.size(), 3u);
    EXPECT_EQ(received[0].number, kMarker) << "no answer after Cancel";
    EXPECT_EQ(received[1].data_word, contracts::kCityAnswerDataWord);
    ASSERT_EQ(received[1].bytes.size(), 300u);
    EXPECT_EQ(world::decode_city_record(std::span<const uint8_t, world::kCityRecordSize>(received[1].bytes.data(), 128)), city);
    EXPECT_NE(std::vector<uint8_t>(received[1].bytes.begin() + 128, received[1].bytes.end()), std::vector<uint8_t>(172, 0))
        << "the rules of the city's zone";
    EXPECT_EQ(received[2].number, kMarker);
}

}  // namespace
}  // namespace zt::e2e
