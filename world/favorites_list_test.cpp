#include "world/favorites_list.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "contracts/registry_keys.h"
#include "contracts/today_item.h"
#include "platform/kernel/event.h"
#include "platform/registry/registry.h"
#include "platform/registry/testing/temp_device_root.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/window.h"
#include "world/testing/city_db_builder.h"

namespace zt::world {
namespace {

namespace registry = zt::platform::registry;

class CountingNotifier : public CitiesChangedNotifier {
public:
    void post_cities_changed() override { ++posts; }
    int posts { 0 };
};

std::vector<uint8_t> file_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

CityRecord city(uint32_t id, std::u16string_view name, uint32_t zone = 1) {
    CityRecord c;
    c.id = id;
    c.set_name(name);
    c.time_zone = zone;
    return c;
}

class FavoritesListTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::CityDbBuilder b;
        b.countries = { { .name = "Germany", .cities = { { 7, "Berlin", 3151, 804, 1, 1 } } } };
        b.zones = { { "(UTC+01:00) Berlin", testing::central_european_rules() } };
        ASSERT_TRUE(testing::write_file(root.path() / "TimeCitiesDB.dat", b.build()));
        ASSERT_TRUE(database.open(root.path() / "TimeCitiesDB.dat"));
    }
    std::filesystem::path favorites_path() const { return root.path() / "FavList.dat"; }
    std::optional<std::vector<uint8_t>> slot_value(int n) const {
        auto key = registry::Key::open(registry::Root::CurrentUser, zt::contracts::kSettingsKeyPath);
        return key ? key->get_binary(slot_value_name(n)) : std::nullopt;
    }

    zt::platform::testing::TempDeviceRoot root;
    CityDatabase database;
    CountingNotifier notifier;
    FavoritesList list { database, &notifier };
};

TEST_F(FavoritesListTest, MissingFileLoadsEmptyAndTheNextSaveWritesAFreshOne) {
    EXPECT_FALSE(list.load(favorites_path()));
    EXPECT_EQ(list.count(), 0u);
    EXPECT_EQ(list.next_custom_id(), 100000u);
    for (int n = 0; n < 4; ++n) EXPECT_EQ(list.slot(n), -1);
    ASSERT_TRUE(list.save());
    FavoritesList again(database);
    EXPECT_TRUE(again.load(favorites_path()));
    EXPECT_FALSE(again.load(""));
}

TEST_F(FavoritesListTest, SaveAndLoadKeepEntriesSlotsAndTheCustomCounter) {
    list.load(favorites_path());
    list.add(city(7, u"Berlin"));
    list.add(city(list.take_next_custom_id(), u"Cabin"));
    list.add(city(3, u"Amsterdam"));
    ASSERT_TRUE(list.set_slot(2, 1));
    ASSERT_TRUE(list.save());

    FavoritesList again(database);
    ASSERT_TRUE(again.load(favorites_path()));
    ASSERT_EQ(again.count(), 3u);
    EXPECT_EQ(again.entry(0)->name_view(), u"Amsterdam") << "a load sorts by name";
    EXPECT_EQ(again.slot_city_name(2), u"Cabin");
    EXPECT_EQ(again.slot_city_name(0), u"");
    EXPECT_EQ(again.take_next_custom_id(), 100001u);
    EXPECT_EQ(again.find_slot(100000), 2);
    EXPECT_FALSE(again.find_slot(7));
}

TEST_F(FavoritesListTest, SlotNamingAnUnknownIdStaysEmpty) {
    FavoritesFileContents contents;
    contents.entries = { city(7, u"Berlin") };
    contents.slot_ids = { 7, 55, 0, 7 };
    ASSERT_TRUE(testing::write_file(favorites_path(), serialize_favorites_file(contents)));
    ASSERT_TRUE(list.load(favorites_path()));
    EXPECT_EQ(list.slot(0), 0);
    EXPECT_EQ(list.slot(1), -1);
    EXPECT_EQ(list.slot(2), -1);
    EXPECT_EQ(list.slot(3), 0);
}

TEST_F(FavoritesListTest, SortIsOrdinalAndKeepsSlotsOnTheirCities) {
    list.add(city(1, u"paris"));
    list.add(city(2, u"Zurich"));
    list.add(city(3, u"Paris"));
    ASSERT_TRUE(list.set_slot(0, 0));
    ASSERT_TRUE(list.set_slot(3, 2));
    list.sort();
    EXPECT_EQ(list.entry(0)->id, 3u) << "upper case sorts first";
    EXPECT_EQ(list.entry(1)->id, 2u);
    EXPECT_EQ(list.entry(2)->id, 1u);
    EXPECT_EQ(list.slot_city(0)->id, 1u);
    EXPECT_EQ(list.slot_city(3)->id, 3u);
}

TEST_F(FavoritesListTest, DeleteIsRefusedForSlotCitiesAndShiftsLaterSlots) {
    for (uint32_t id = 1; id <= 5; ++id) list.add(city(id, u"City"));
    ASSERT_TRUE(list.set_slot(1, 4));
    EXPECT_FALSE(list.remove(5)) << "the city is in slot 1";
    EXPECT_FALSE(list.remove(0));
    EXPECT_FALSE(list.remove(42));
    EXPECT_TRUE(list.remove(3));  // the entry at index 2
    EXPECT_EQ(list.count(), 4u);
    EXPECT_EQ(list.slot(1), 3);
    EXPECT_EQ(list.slot_city(1)->id, 5u);
    EXPECT_EQ(list.index_of(0), -1);
    EXPECT_FALSE(list.contains(3));
}

TEST_F(FavoritesListTest, SettingASlotPublishesCityAndRulesAndTellsTheTodayItem) {
    list.add(city(7, u"Berlin"));
    list.add(city(8, u"Nowhere", 0));
    list.add(city(9, u"Beyond", 2));
    ASSERT_TRUE(list.set_slot(0, 0));
    auto value = slot_value(0);
    ASSERT_TRUE(value);
    ASSERT_EQ(value->size(), 300u);
    EXPECT_EQ(decode_city_record(std::span<const uint8_t, 128>(value->data(), 128)), *list.entry(0));
    EXPECT_TRUE(std::equal(value->begin() + 128, value->end(), database.time_zone(1)->rules.begin()));
    EXPECT_EQ(notifier.posts, 1);

    ASSERT_TRUE(list.set_slot(1, 0));
    ASSERT_TRUE(slot_value(1));
    ASSERT_TRUE(list.set_slot(1, 1));
    EXPECT_FALSE(slot_value(1)) << "a city without a zone is published as a deleted value";
    ASSERT_TRUE(list.set_slot(2, 2));
    EXPECT_FALSE(slot_value(2)) << "a zone beyond the table counts as none";
    list.publish_slot(3);
    EXPECT_FALSE(slot_value(3)) << "an empty slot removes its value";
    EXPECT_EQ(notifier.posts, 5);

    EXPECT_FALSE(list.set_slot(4, 0));
    EXPECT_FALSE(list.set_slot(-1, 0));
    EXPECT_FALSE(list.set_slot(0, 3));
    EXPECT_FALSE(list.set_slot(0, -1));
    EXPECT_EQ(list.slot(4), -1);
}

TEST_F(FavoritesListTest, LocalTimeNeedsAZoneOfTheTable) {
    const zt::platform::SYSTEMTIME noon { .wYear = 2024, .wMonth = 7, .wDay = 1, .wHour = 12 };
    auto berlin = list.local_time(city(7, u"Berlin"), noon);
    ASSERT_TRUE(berlin);
    EXPECT_EQ(berlin->wHour, 14);
    EXPECT_FALSE(list.local_time(city(8, u"Nowhere", 0), noon));
    EXPECT_FALSE(list.local_time(city(9, u"Beyond", 2), noon));
}

TEST_F(FavoritesListTest, ALoadThatCouldNotReadTheFileNeverLeadsToASaveOverIt) {
    FavoritesFileContents contents;
    contents.entries = { city(7, u"Berlin") };
    contents.slot_ids = { 7, 0, 0, 0 };
    const std::vector<uint8_t> users_file = serialize_favorites_file(contents);
    ASSERT_TRUE(testing::write_file(favorites_path(), users_file));
    {
        // Another object of the device holding the mutex's name: the lock cannot be had.
        auto squatter = zt::platform::Event::create_or_open(kFavoritesMutexName, zt::platform::ResetPolicy::Manual, false);
        ASSERT_TRUE(squatter);
        EXPECT_FALSE(list.load(favorites_path()));
    }
    EXPECT_EQ(list.count(), 0u);
    list.add(city(100000, u"Cabin"));
    EXPECT_FALSE(list.save()) << "the empty list must not replace a file it never read";
    list.clear();
    EXPECT_FALSE(list.save()) << "clearing keeps the refusal";
    EXPECT_EQ(file_bytes(favorites_path()), users_file);

    ASSERT_TRUE(list.load(favorites_path())) << "a later load reads the file";
    list.add(city(100000, u"Cabin"));
    EXPECT_TRUE(list.save());
    FavoritesList again(database);
    ASSERT_TRUE(again.load(favorites_path()));
    EXPECT_EQ(again.count(), 2u);
    EXPECT_EQ(again.slot_city_name(0), u"Berlin");
}

TEST_F(FavoritesListTest, TheProcessListTellsTheTodayItemOfSlotChanges) {
    auto today = zt::platform::Window::create(contracts::kTodayItemClass, u"", nullptr);
    ASSERT_TRUE(today);
    FavoritesList& shared = FavoritesList::instance();
    shared.add(city(7, u"Berlin"));
    ASSERT_TRUE(shared.set_slot(0, static_cast<int>(shared.count()) - 1));

    zt::platform::Message message;
    ASSERT_EQ(zt::platform::get_message(*today, message, std::chrono::seconds(5)), zt::platform::GetResult::Message)
        << "no message reached the Today item's window";
    EXPECT_EQ(message.number, contracts::kMsgCitiesChanged);
    EXPECT_EQ(message.wparam, 0u);
    EXPECT_EQ(message.lparam, 0u);
    shared.clear();
}

TEST_F(FavoritesListTest, SaveIntoAMissingFolderIsSkippedAndChangesNothing) {
    list.load(root.path() / "no such folder" / "FavList.dat");
    list.add(city(7, u"Berlin"));
    EXPECT_FALSE(list.save());
    EXPECT_EQ(list.count(), 1u);
    EXPECT_FALSE(std::filesystem::exists(root.path() / "no such folder"));
}

}  // namespace
}  // namespace zt::world
