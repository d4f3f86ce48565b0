// "ChooseCity" end to end: a requester window of this test process asks the installed main
// program for a city, a person answers the "Change City" dialog through the device's debug
// bridge, and the requester receives the 300-byte answer only after OK.
#include <gtest/gtest.h>

#include "app/model/testing/window_recorder.h"
#include "contracts/city_requester.h"
#include "contracts/today_item.h"
#include "core/number_text.h"
#include "platform/windows/message_sender.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/main_program_fixture.h"
#include "world/city_database.h"

namespace zt::e2e {
namespace {

using zt::platform::gui::UiLine;

constexpr uint32_t kMarker = 0x0401;

class CityChooserEndToEnd : public MainProgramEndToEnd {
protected:
    void SetUp() override {
        MainProgramEndToEnd::SetUp();
        if (HasFatalFailure()) return;
        // A city of the installed database to stand for the requester's current city.
        world::CityDatabase database;
        ASSERT_TRUE(database.open(device.root() / "Program Files" / "Zun Time" / "TimeCitiesDB.dat"));
        country = database.find_country_index(u"France");
        ASSERT_NE(country, 0u);
        region = database.region_count(country) == 0 ? 0 : database.country(country)->first_region_index + 1;
        std::vector<world::CityRecord> cities;
        database.list_cities(country, region, cities);
        ASSERT_GE(cities.size(), 2u);
        city = cities[1];  // not the list's first: the preselection has to be made
    }

    // Starts the chooser for the requester and waits for its dialog in front.
    std::vector<UiLine> start_chooser(platform::WindowHandle requester) {
        const auto number = [](uint32_t value) { return core::format_unsigned(value); };
        start_main(u"ChooseCity " + number(requester) + u" " + number(country) + u" " + number(region) + u" " +
                       number(city.id),
                   false);
        std::vector<UiLine> lines;
        const bool shown = eventually(
            [&] {
                lines = ui_lines().value_or(std::vector<UiLine> {});
                return !lines.empty() && lines.front().kind == "dialog" && lines.front().text == u"Change City";
            },
            kStartLimit, "the Change City dialog in front");
        EXPECT_TRUE(shown) << "no Change City dialog";
        return lines;
    }
    // The dialog's end ends the program, often before the bridge can report the tap played: a
    // "program gone" (1) is a tap that worked too. What it did is checked afterwards.
    static bool tapped(const UiLine& line) {
        const int code = tap_centre_of(line);
        return code == 0 || code == 1;
    }
    bool ended() { return m_main->wait(std::chrono::seconds(20)) == platform::Process::WaitResult::Ended; }
    // Everything sent before the marker has arrived once the marker has.
    static std::vector<app::testing::RecordedMessage> after_marker(app::testing::WindowRecorder& requester) {
        platform::post_message(requester.handle(), kMarker);
        EXPECT_TRUE(eventually(
            [&] {
                const auto seen = requester.messages();
                return !seen.empty() && seen.back().number == kMarker;
            },
            kPatience, "the marker message"));
        return requester.messages();
    }

    uint32_t country { 0 };
    uint32_t region { 0 };
    world::CityRecord city;
};

TEST_F(CityChooserEndToEnd, OkSendsTheRequesterThePreselectedCityAndItsZone) {
    app::testing::WindowRecorder requester(contracts::kTodayItemClass);
    ASSERT_NE(requester.handle(), 0u);
    const auto lines = start_chooser(requester.handle());
    const auto chosen = find_line(lines, "combo", city.name_view());
    ASSERT_TRUE(chosen) << "the requester's city preselected";
    const auto ok = find_line(lines, "button", u"OK");
    ASSERT_TRUE(ok);
    ASSERT_TRUE(tapped(*ok));
    ASSERT_TRUE(ended()) << "the program ends after the answer";

    const auto received = after_marker(requester);
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0].data_word, contracts::kCityAnswerDataWord);
    ASSERT_EQ(received[0].bytes.size(), 300u);
    const world::CityRecord answered =
        world::decode_city_record(std::span<const uint8_t, world::kCityRecordSize>(received[0].bytes.data(), world::kCityRecordSize));
    EXPECT_EQ(answered, city);
    EXPECT_NE(std::vector<uint8_t>(received[0].bytes.begin() + 128, received[0].bytes.end()), std::vector<uint8_t>(172, 0))
        << "the rules of the city's zone";
}

TEST_F(CityChooserEndToEnd, CancelSendsNothing) {
    app::testing::WindowRecorder requester(contracts::kTodayItemClass);
    ASSERT_NE(requester.handle(), 0u);
    const auto cancel = find_line(start_chooser(requester.handle()), "button", u"Cancel");
    ASSERT_TRUE(cancel);
    ASSERT_TRUE(tapped(*cancel));
    ASSERT_TRUE(ended());
    const auto received = after_marker(requester);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0].number, kMarker) << "no answer after Cancel";
}

}  // namespace
}  // namespace zt::e2e
