#include "app/model/favorite_cities.h"

#include <gtest/gtest.h>

#include "core/settings_bag.h"
#include "platform/testing/temp_device_root.h"
#include "world/favorites_list.h"
#include "world/testing/city_db_builder.h"

namespace zt::app {
namespace {

world::CityRecord city(uint32_t id, std::u16string_view name) {
    world::CityRecord c;
    c.id = id;
    c.set_name(name);
    c.time_zone = 1;
    return c;
}

class FavoriteCitiesTest : public ::testing::Test {
protected:
    void SetUp() override {
        world::testing::CityDbBuilder b;
        b.countries = { { .name = "Germany", .cities = { { 7, "Berlin", 3151, 804, 1, 1 } } } };
        b.zones = { { "(UTC+01:00) Berlin", world::testing::central_european_rules() } };
        ASSERT_TRUE(world::testing::write_file(root.path() / "TimeCitiesDB.dat", b.build()));
        ASSERT_TRUE(database.open(root.path() / "TimeCitiesDB.dat"));
        list.load(root.path() / "FavList.dat");
    }
    platform::testing::TempDeviceRoot root;
    world::CityDatabase database;
    world::FavoritesList list { database };
};

TEST_F(FavoriteCitiesTest, CustomCitiesTakeTheNextIdAndDatabaseCitiesKeepTheirs) {
    EXPECT_EQ(append_chosen_city(list, city(7, u"Berlin")), 0);
    EXPECT_EQ(append_chosen_city(list, city(world::kFirstCustomCityId, u"Hut")), 1);
    EXPECT_EQ(append_chosen_city(list, city(world::kFirstCustomCityId, u"Cabin")), 2);
    EXPECT_EQ(list.entry(0)->id, 7u);
    EXPECT_EQ(list.entry(1)->id, 100000u);
    EXPECT_EQ(list.entry(2)->id, 100001u) << "two custom cities never share an id";
    EXPECT_EQ(favorite_display_name(*list.entry(0)), u"Berlin");
    EXPECT_EQ(favorite_display_name(*list.entry(2)), u"Cabin (custom)");
}

TEST_F(FavoriteCitiesTest, AssigningASlotSavesTheFavouritesFile) {
    core::CSettingsBag settings;
    append_chosen_city(list, city(7, u"Berlin"));
    EXPECT_FALSE(assign_slot(list, settings, 4, 0));
    EXPECT_FALSE(assign_slot(list, settings, 0, 1));
    EXPECT_FALSE(std::filesystem::exists(root.path() / "FavList.dat")) << "a refused slot saves nothing";
    ASSERT_TRUE(assign_slot(list, settings, 2, 0));
    world::FavoritesList again(database);
    ASSERT_TRUE(again.load(root.path() / "FavList.dat"));
    EXPECT_EQ(again.slot_city_name(2), u"Berlin");
}

}  // namespace
}  // namespace zt::app
