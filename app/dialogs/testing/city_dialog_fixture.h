#pragma once
// A device with a small city database and favourites for the city dialogs' tests: the ZIP country
// with two states, Germany and France with lists of their own, ten more countries of one city
// each; message boxes kept and answered by the test.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/gui/testing/widget_test_app.h"
#include "platform/msgbox/message_box.h"
#include "platform/testing/temp_device_root.h"
#include "world/favorites_list.h"
#include "world/testing/city_db_builder.h"

namespace zt::app::testing {

class CityDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::gui::testing::widget_test_app();
        world::testing::CityDbBuilder b;
        b.countries = {
            { .name = "United States of America",
              .regions = { { .name = "California", .cities = { { 1, "Los Angeles", 2043, -7094, 2, 1 }, { 2, "San Francisco", 2266, -7345, 2, 1 } } },
                           { .name = "Texas", .cities = { { 3, "Austin", 1816, -5865, 2, 0 } } } },
              .own_list = false },
            { .name = "Germany", .cities = { { 7, "Berlin", 3151, 804, 1, 1 }, { 8, "Hamburg", 3213, 600, 1, 0 } } },
            { .name = "France", .cities = { { 9, "Paris", 2931, 140, 1, 1 } } },
        };
        for (int n = 1; n <= 10; ++n)
            b.countries.push_back({ .name = "Country " + std::to_string(n), .cities = { { static_cast<uint16_t>(100 + n), "Town", 0, 0, 1, 0 } } });
        b.zips = { { 90001, kUsa, kCalifornia, 1 }, { 73301, kUsa, kTexas, 3 } };
        b.zones = { { "(UTC+01:00) Berlin", world::testing::central_european_rules() }, { "(UTC-08:00) Pacific", {} } };
        ASSERT_TRUE(world::testing::write_file(root.path() / "TimeCitiesDB.dat", b.build()));
        ASSERT_TRUE(database.open(root.path() / "TimeCitiesDB.dat"));
        favourites.load(root.path() / "FavList.dat");
        platform::msgbox::set_message_box_presenter([this](const platform::msgbox::MessageBox& box) {
            boxes.push_back(box);
            return answer;
        });
    }
    void TearDown() override { platform::msgbox::set_message_box_presenter({}); }

    world::CityRecord database_city(uint32_t country, uint32_t region, uint16_t key) {
        std::vector<world::CityRecord> cities;
        database.list_cities(country, region, cities);
        for (const world::CityRecord& city : cities) {
            if (city.id == key) return city;
        }
        ADD_FAILURE() << "no city " << key << " in the test database";
        return {};
    }

    static constexpr uint32_t kUsa = 1, kGermany = 2, kFrance = 3, kFirstOther = 4;
    static constexpr uint32_t kCalifornia = 1, kTexas = 2;

    platform::testing::TempDeviceRoot root;
    world::CityDatabase database;
    world::FavoritesList favourites { database };
    std::vector<platform::msgbox::MessageBox> boxes;
    platform::msgbox::Answer answer { platform::msgbox::Answer::No };
};

}  // namespace zt::app::testing
