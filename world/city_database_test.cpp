#include "world/city_database.h"

#include <gtest/gtest.h>

#include "platform/testing/temp_folder.h"
#include "world/testing/city_db_builder.h"

namespace zt::world {
namespace {

using testing::BuiltCity;
using testing::BuiltCountry;
using testing::BuiltRegion;
using testing::BuiltZip;
using testing::CityDbBuilder;

// Two countries: one with two regions (and its own list), one with an own list only.
CityDbBuilder sample() {
    CityDbBuilder b;
    BuiltCountry usa { .name = "United States of America" };
    usa.regions.push_back({ .name = "New York", .cities = { { 1, "New York", 2443, -4440, 1, 1 }, { 2, "Albany", 2559, -4425, 1, 0 } } });
    usa.regions.push_back({ .name = "Texas", .cities = { { 3, "Austin", 1816, -5865, 1, 0 } } });
    usa.cities = { { 1, "New York", 2443, -4440, 1, 1 } };
    BuiltCountry germany { .name = "Germany" };
    germany.cities = { { 7, "Berlin", 3151, 804, 1, 1 }, { 8, "Bonn", 3043, 426, 1, 0 } };
    b.countries = { usa, germany };
    b.zips = { { 10001, 1, 1, 1 }, { 73301, 1, 2, 3 } };
    b.zones = { { "(UTC-05:00) New York", testing::central_european_rules() } };
    return b;
}

class CityDatabaseTest : public ::testing::Test {
protected:
    bool open(const CityDbBuilder& b) {
        testing::write_file(path, b.build());
        return db.open(path);
    }
    bool open_bytes(const std::vector<uint8_t>& bytes) {
        testing::write_file(path, bytes);
        return db.open(path);
    }
    zt::platform::testing::TempFolder folder;
    std::filesystem::path path { folder / "TimeCitiesDB.dat" };
    CityDatabase db;
    std::vector<CityRecord> cities;
};

TEST_F(CityDatabaseTest, OpensTablesAndListsCitiesWithTheirIndices) {
    ASSERT_TRUE(open(sample()));
    EXPECT_EQ(db.country_count(), 2u);
    EXPECT_EQ(db.country(2)->name, u"Germany");
    EXPECT_EQ(db.country(1)->first_region_index, 0u);
    EXPECT_EQ(db.country(2)->first_region_index, 2u);
    EXPECT_EQ(db.zip_country(), 1u);
    EXPECT_EQ(db.time_zone_count(), 1u);
    EXPECT_EQ(db.time_zone(1)->name, u"(UTC-05:00) New York");
    EXPECT_EQ(decode_time_zone_rules(db.time_zone(1)->rules), testing::central_european_rules());

    db.list_cities(2, 0, cities);
    ASSERT_EQ(cities.size(), 2u);
    EXPECT_EQ(cities[1].name_view(), u"Bonn");
    EXPECT_EQ(cities[1].id, 8u);
    EXPECT_EQ(cities[1].country_index, 2u);
    EXPECT_EQ(cities[1].region_index, 0u);
    EXPECT_EQ(cities[1].latitude, 3043);
    EXPECT_EQ(cities[1].longitude, 426);

    db.list_cities(1, 2, cities);
    ASSERT_EQ(cities.size(), 1u);
    EXPECT_EQ(cities[0].name_view(), u"Austin");
    EXPECT_EQ(cities[0].region_index, 2u);
}

TEST_F(CityDatabaseTest, RejectsForeignOrOldFiles) {
    auto old = sample();
    old.version = 0x00010000;
    EXPECT_FALSE(open(old));
    EXPECT_FALSE(db.is_open());

    auto bytes = sample().build();
    bytes[0] = 'X';
    EXPECT_FALSE(open_bytes(bytes));
    EXPECT_FALSE(open_bytes(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 27)));
    EXPECT_FALSE(db.open(folder / "missing.dat"));
    EXPECT_FALSE(db.open(folder.path())) << "a folder is not a database";
}

TEST_F(CityDatabaseTest, EntryWithIdZeroFailsTheOpen) {
    auto country = sample();
    country.countries[1].id = 0;
    EXPECT_FALSE(open(country));
    auto region = sample();
    region.countries[0].regions[1].id = 0;
    EXPECT_FALSE(open(region));
    auto zip = sample();
    zip.zips[1].city_key = 0;
    EXPECT_FALSE(open(zip));
    EXPECT_EQ(db.country_count(), 0u) << "a failed open leaves nothing behind";
}

TEST_F(CityDatabaseTest, RegionZeroOfACountryWithRegionsListsItsOwnListOnlyWhenThereIsOne) {
    auto b = sample();
    ASSERT_TRUE(open(b));
    db.list_cities(1, 0, cities);
    EXPECT_EQ(cities.size(), 1u);
    b.countries[0].own_list = false;
    ASSERT_TRUE(open(b));
    db.list_cities(1, 0, cities);
    EXPECT_TRUE(cities.empty());
}

TEST_F(CityDatabaseTest, SixtyCharacterNameIsCutAndTheCityStillReadsWhole) {
    auto b = sample();
    b.countries[1].cities[0].name = std::string(60, 'x');
    ASSERT_TRUE(open(b));
    db.list_cities(2, 0, cities);
    ASSERT_EQ(cities.size(), 2u);
    EXPECT_EQ(cities[0].name_view(), std::u16string(49, u'x'));
    EXPECT_EQ(cities[0].latitude, 3151);
    EXPECT_EQ(cities[0].flags, 1u);
    EXPECT_EQ(cities[1].name_view(), u"Bonn");
}

TEST_F(CityDatabaseTest, SectionOffsetPastTheEndIsAnEmptySection) {
    auto b = sample();
    b.zip_offset_override = 0x7FFFFFF0;
    b.zone_offset_override = 0xFFFFFFFF;
    ASSERT_TRUE(open(b));
    CityRecord city;
    EXPECT_FALSE(db.find_by_zip(10001, city));
    EXPECT_EQ(db.time_zone_count(), 0u);
    EXPECT_EQ(db.country_count(), 2u);
}

TEST_F(CityDatabaseTest, ZipLookUpResolvesTheLaterOfTwoEntriesAndChecksTheKey) {
    auto b = sample();
    b.zips.push_back({ 10001, 1, 1, 2 });
    b.zips.push_back({ 10002, 1, 1, 99 });
    b.zips.push_back({ 10003, 1, 77, 1 });
    ASSERT_TRUE(open(b));
    CityRecord city;
    ASSERT_TRUE(db.find_by_zip(10001, city));
    EXPECT_EQ(city.name_view(), u"Albany");
    EXPECT_EQ(city.country_index, 1u);
    EXPECT_EQ(city.region_index, 1u);
    EXPECT_FALSE(db.find_by_zip(10002, city)) << "key not in its list";
    EXPECT_FALSE(db.find_by_zip(10003, city)) << "region not in the table";
    EXPECT_FALSE(db.find_by_zip(99999, city));
    ASSERT_TRUE(db.find_by_zip(73301, city));
    EXPECT_EQ(city.name_view(), u"Austin");
}

TEST_F(CityDatabaseTest, ZipCountryNeedsTheExactName) {
    auto b = sample();
    b.countries[0].name = "United States";
    ASSERT_TRUE(open(b));
    EXPECT_EQ(db.zip_country(), 0u);
    b.countries[0].name = "United States of America";
    b.countries[1].name = "United States of America";
    ASSERT_TRUE(open(b));
    EXPECT_EQ(db.zip_country(), 1u) << "the first country of that name";
}

TEST_F(CityDatabaseTest, BrokenCityListEndsEarlyKeepingWhatCameBefore) {
    auto b = sample();
    b.countries[1].cities.push_back({ 0, "Broken", 0, 0, 1, 0 });
    b.countries[1].cities.push_back({ 9, "Hamburg", 0, 0, 1, 0 });
    ASSERT_TRUE(open(b));
    db.list_cities(2, 0, cities);
    ASSERT_EQ(cities.size(), 2u);
    EXPECT_EQ(cities[1].name_view(), u"Bonn");
}

TEST_F(CityDatabaseTest, OutOfRangeIndicesGiveNothing) {
    ASSERT_TRUE(open(sample()));
    EXPECT_EQ(db.country(0), nullptr);
    EXPECT_EQ(db.country(3), nullptr);
    EXPECT_EQ(db.region(0), nullptr);
    EXPECT_EQ(db.region(3), nullptr);
    EXPECT_EQ(db.time_zone(2), nullptr);
    EXPECT_EQ(db.region_count(9), 0u);
    EXPECT_TRUE(db.regions_of(0).empty());
    EXPECT_EQ(db.find_country(u""), nullptr);
    EXPECT_EQ(db.find_country(u"germany"), nullptr) << "names compare case-sensitively";
    cities.resize(3);
    db.list_cities(3, 0, cities);
    EXPECT_TRUE(cities.empty()) << "the sink is reset even when nothing is listed";
    db.list_cities(1, 5, cities);
    EXPECT_TRUE(cities.empty());
}

TEST_F(CityDatabaseTest, RegionsOfACountryAreItsSliceOfTheRegionTable) {
    ASSERT_TRUE(open(sample()));
    EXPECT_EQ(db.region_count(1), 2u);
    RegionRecord out[4];
    EXPECT_EQ(db.copy_regions(1, out), 2u);
    EXPECT_EQ(out[1].name, u"Texas");
    EXPECT_EQ(db.copy_regions(2, out), 0u);
    EXPECT_EQ(db.find_region_index(1, u"Texas"), 2u);
    EXPECT_EQ(db.find_region_index(2, u"Texas"), 0u);
}

TEST_F(CityDatabaseTest, EnumerationReadsRegionListsOfCountriesWithRegions) {
    ASSERT_TRUE(open(sample()));
    std::vector<std::u16string> seen;
    db.enumerate_cities([&](const CityRecord& c) { seen.emplace_back(c.name_view()); });
    EXPECT_EQ(seen, (std::vector<std::u16string> { u"New York", u"Albany", u"Austin", u"Berlin", u"Bonn" }));
}

// The sharing rules themselves are MappedFile's (mapped_file_test.cpp).
TEST_F(CityDatabaseTest, ReadersShareTheFile) {
    ASSERT_TRUE(open(sample()));
    CityDatabase second;
    ASSERT_TRUE(second.open(path)) << "a second reader shares the open database";
    EXPECT_EQ(second.country_count(), 2u);
}

TEST_F(CityDatabaseTest, ClosedDatabaseAnswersNothing) {
    ASSERT_TRUE(open(sample()));
    db.close();
    CityRecord city;
    EXPECT_FALSE(db.find_by_zip(10001, city));
    EXPECT_EQ(db.country_count(), 0u);
    EXPECT_EQ(db.zip_country(), 0u);
    db.list_cities(2, 0, cities);
    EXPECT_TRUE(cities.empty());
    int visited = 0;
    db.enumerate_cities([&](const CityRecord&) { ++visited; });
    EXPECT_EQ(visited, 0);
}

}  // namespace
}  // namespace zt::world
