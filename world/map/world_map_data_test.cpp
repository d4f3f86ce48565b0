// What the world map keeps besides its geometry: its two settings, the cities it marks, and the
// panels' city names.
#include <gtest/gtest.h>

#include "contracts/registry_keys.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"
#include "world/city_database.h"
#include "world/map/map_cities.h"
#include "world/map/world_map_settings.h"
#include "world/testing/city_db_builder.h"

namespace zt::world {
namespace {

TEST(WorldMapSettings, DefaultToOnAndAreWrittenBackTogether) {
    platform::testing::TempDeviceRoot root;
    WorldMapSettings settings = WorldMapSettings::load();
    EXPECT_TRUE(settings.twilight);
    EXPECT_TRUE(settings.show_cities);
    settings.show_cities = false;
    settings.save();
    auto key = platform::registry::Key::open(platform::registry::Root::CurrentUser, contracts::kWorldMapKeyPath);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->get_dword(u"TZShowCities"), 0u);
    EXPECT_EQ(key->get_dword(u"TZTwilightOn"), 1u);
    const WorldMapSettings again = WorldMapSettings::load();
    EXPECT_FALSE(again.show_cities);
    EXPECT_TRUE(again.twilight);
}

TEST(MapCities, OnlyFlaggedCitiesWithAZoneAreMarked) {
    platform::testing::TempDeviceRoot root;
    testing::CityDbBuilder b;
    testing::BuiltCountry country { .name = "Japan" };
    country.cities = { { 1, "Tokyo", 2141, 8381, 1, 1 }, { 2, "Kyoto", 2100, 8145, 1, 0 }, { 3, "Nowhere", 0, 0, 0, 1 },
                       { 4, "Osaka", 2081, 8110, 1, 3 } };
    b.countries = { country };
    b.zones = { { "(UTC+09:00) Tokyo", {} } };
    const auto path = root.path() / "TimeCitiesDB.dat";
    ASSERT_TRUE(testing::write_file(path, b.build()));
    CityDatabase database;
    ASSERT_TRUE(database.open(path));
    std::vector<std::u16string> names;
    for (const CityRecord& city : collect_map_cities(database)) names.emplace_back(city.name_view());
    EXPECT_EQ(names, (std::vector<std::u16string> { u"Tokyo", u"Osaka" }));
}

TEST(MapCities, PanelNamesOfSixteenCharactersOrMoreAreCut) {
    EXPECT_EQ(panel_city_name(u"Rio de Janeiro!"), u"Rio de Janeiro!") << "15 characters";
    EXPECT_EQ(panel_city_name(u"Santo Domingo Es"), u"Santo Domingo...") << "16 characters";
}

}  // namespace
}  // namespace zt::world
