#include "app/dialogs/testing/city_dialog_fixture.h"

#include "contracts/registry_keys.h"
#include "platform/gui/testing/widget_test_app.h"
#include "platform/registry/registry.h"
#include "world/slot_publisher.h"
#include "world/testing/city_db_builder.h"

namespace zt::app::testing {

namespace msgbox = platform::msgbox;
namespace builder = world::testing;

void CityDialogTest::SetUp() {
    platform::gui::testing::widget_test_app();
    builder::CityDbBuilder b;
    b.countries = {
        { .name = "United States of America",
          .regions = { { .name = "California", .cities = { { 1, "Los Angeles", 2043, -7094, 2, 1 }, { 2, "San Francisco", 2266, -7345, 2, 1 } } },
                       { .name = "Texas", .cities = { { 3, "Austin", 1816, -5865, 2, 0 } } } },
          .own_list = false },
        { .name = "Germany", .cities = { { 7, "Berlin", 3151, 804, 1, 1 }, { 8, "Hamburg", 3213, 600, 1, 0 } } },
        { .name = "France", .cities = { { 9, "Paris", 2931, 140, 1, 1 } } },
    };
    for (uint16_t n = 1; n <= 10; ++n)
        b.countries.push_back({ .name = "Country " + std::to_string(n),
                                .cities = { { static_cast<uint16_t>(100 + n), "Town " + std::to_string(n), 0, 0, 1, 0 } } });
    b.zips = { { 90001, kUsa, kCalifornia, 1 }, { 73301, kUsa, kTexas, 3 } };
    b.zones = { { "(UTC+01:00) Berlin", builder::central_european_rules() }, { "(UTC-08:00) Pacific", {} } };
    ASSERT_TRUE(builder::write_file(root.path() / "TimeCitiesDB.dat", b.build()));
    ASSERT_TRUE(database.open(root.path() / "TimeCitiesDB.dat"));
    favourites.load(root.path() / "FavList.dat");
    msgbox::set_message_box_presenter([this](const msgbox::MessageBox& box) {
        boxes.push_back(box);
        return answer;
    });
}

void CityDialogTest::TearDown() { msgbox::set_message_box_presenter({}); }

world::CityRecord CityDialogTest::database_city(uint32_t country, uint32_t region, uint16_t key) {
    std::vector<world::CityRecord> cities;
    database.list_cities(country, region, cities);
    for (const world::CityRecord& city : cities) {
        if (city.id == key) return city;
    }
    ADD_FAILURE() << "no city " << key << " in the test database";
    return {};
}

std::optional<world::CityRecord> CityDialogTest::published_slot(int n) const {
    auto key = platform::registry::Key::open(platform::registry::Root::CurrentUser, contracts::kSettingsKeyPath);
    const auto bytes = key ? key->get_binary(world::slot_value_name(n)) : std::nullopt;
    if (!bytes || bytes->size() < world::kCityRecordSize) return std::nullopt;
    return world::decode_city_record(std::span<const uint8_t, world::kCityRecordSize>(bytes->data(), world::kCityRecordSize));
}

}  // namespace zt::app::testing
