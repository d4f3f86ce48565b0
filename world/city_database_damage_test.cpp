// Damaged database files: every prefix and random bit flips of a valid file must open or fail
// cleanly, and whatever opened must answer every query without reading out of bounds (the
// sanitizer build turns any stray read into a failure).
#include <gtest/gtest.h>

#include <random>

#include "platform/testing/temp_folder.h"
#include "world/city_database.h"
#include "world/testing/city_db_builder.h"
#include "world/testing/database_walk.h"

namespace zt::world {
namespace {

using namespace testing;

std::vector<uint8_t> valid_file() {
    CityDbBuilder b;
    BuiltCountry usa { .name = "United States of America" };
    usa.regions.push_back({ .name = "New York", .cities = { { 1, "New York", 2443, -4440, 1, 1 }, { 2, "Albany", 2559, -4425, 1, 0 } } });
    usa.cities = { { 1, "New York", 2443, -4440, 1, 1 } };
    BuiltCountry france { .name = "France" };
    france.cities = { { 4, "Paris", 2931, 141, 1, 1 }, { 5, std::string(70, 'L'), 2700, 300, 1, 0 } };
    b.countries = { usa, france };
    b.zips = { { 10001, 1, 1, 1 }, { 12201, 1, 1, 2 } };
    b.zones = { { "(UTC+01:00) Paris", central_european_rules() } };
    return b.build();
}

TEST(CityDatabaseDamage, EveryPrefixOpensOrFailsCleanly) {
    zt::platform::testing::TempFolder folder;
    const auto full = valid_file();
    const auto path = folder / "db.dat";
    CityDatabase db;
    size_t opened = 0;
    for (size_t n = 0; n <= full.size(); ++n) {
        ASSERT_TRUE(write_file(path, std::vector<uint8_t>(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n))));
        bool ok = db.open(path);
        if (n < 28) {
            EXPECT_FALSE(ok) << "a file of " << n << " bytes has no header";
        }
        if (ok) {
            ++opened;
            walk_database(db);
        }
    }
    EXPECT_GT(opened, 0u);
    ASSERT_TRUE(db.open(path)) << "the whole file must open";
    std::vector<CityRecord> cities;
    db.list_cities(2, 0, cities);
    ASSERT_EQ(cities.size(), 2u);
}

TEST(CityDatabaseDamage, TruncatedCityListKeepsTheCitiesBeforeTheCut) {
    zt::platform::testing::TempFolder folder;
    const auto full = valid_file();
    // The last list written is the region's: cut into its second city.
    auto cut = std::vector<uint8_t>(full.begin(), full.end() - 5);
    ASSERT_TRUE(write_file(folder / "db.dat", cut));
    CityDatabase db;
    ASSERT_TRUE(db.open(folder / "db.dat"));
    std::vector<CityRecord> cities;
    db.list_cities(1, 1, cities);
    ASSERT_EQ(cities.size(), 1u);
    EXPECT_EQ(cities[0].name_view(), u"New York");
    CityRecord city;
    EXPECT_FALSE(db.find_by_zip(12201, city)) << "the city behind the cut is not found";
    EXPECT_TRUE(db.find_by_zip(10001, city));
}

TEST(CityDatabaseDamage, RandomBitFlipsNeverBreakTheReader) {
    zt::platform::testing::TempFolder folder;
    const auto full = valid_file();
    const auto path = folder / "db.dat";
    std::mt19937 random(20240615);
    CityDatabase db;
    for (int round = 0; round < 1500; ++round) {
        auto bytes = full;
        int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i) bytes[random() % bytes.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
        ASSERT_TRUE(write_file(path, bytes));
        if (db.open(path)) walk_database(db);
    }
}

}  // namespace
}  // namespace zt::world
