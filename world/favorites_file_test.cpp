#include "world/favorites_file.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/base/le_bytes.h"

namespace zt::world {
namespace {

CityRecord city(uint32_t id, std::u16string_view name, uint32_t zone = 1) {
    CityRecord c;
    c.id = id;
    c.country_index = 3;
    c.region_index = 0;
    c.set_name(name);
    c.latitude = -2000;
    c.longitude = 8000;
    c.time_zone = zone;
    c.flags = 1;
    return c;
}

FavoritesFileContents sample() {
    FavoritesFileContents c;
    c.entries = { city(7, u"Berlin"), city(100003, u"Hut \u00FCber dem See"), city(9, u"Tokyo") };
    c.slot_ids = { 9, 0, 7, 100003 };
    c.next_custom_id = 100004;
    return c;
}

TEST(FavoritesFile, RoundTripKeepsEntriesSlotsAndCounter) {
    auto bytes = serialize_favorites_file(sample());
    ASSERT_EQ(bytes.size(), 36u + 1 + 2 + 3 * 128 + 2 + 2 + 1 + 16);
    EXPECT_EQ(zt::platform::read_le32(&bytes[8]), 36u);
    EXPECT_EQ(zt::platform::read_le32(&bytes[12]), 37u);
    EXPECT_EQ(zt::platform::read_le32(&bytes[28]), 0u);
    auto back = parse_favorites_file(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->entries, sample().entries);
    EXPECT_EQ(back->slot_ids, sample().slot_ids);
    EXPECT_EQ(back->next_custom_id, 100004u);
}

TEST(FavoritesFile, ForeignShortOrOtherVersionFilesAreRefused) {
    auto bytes = serialize_favorites_file(sample());
    EXPECT_FALSE(parse_favorites_file(std::span(bytes).first(35)));
    auto foreign = bytes;
    foreign[3] = 'X';
    EXPECT_FALSE(parse_favorites_file(foreign));
    auto old = bytes;
    zt::platform::write_le32(&old[4], 0x00010000);
    EXPECT_FALSE(parse_favorites_file(old));
}

TEST(FavoritesFile, LowCustomCounterIsRaisedAndSlotCountIsCappedAtFour) {
    auto bytes = serialize_favorites_file(sample());
    zt::platform::write_le32(&bytes[32], 5);
    const uint32_t slots_at = zt::platform::read_le32(&bytes[24]);
    bytes[slots_at] = 7;
    bytes.insert(bytes.end(), { 9, 0, 0, 0, 9, 0, 0, 0, 9, 0, 0, 0 });
    auto back = parse_favorites_file(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->next_custom_id, 100000u);
    EXPECT_EQ(back->slot_ids, sample().slot_ids) << "only four ids are read";
}

TEST(FavoritesFile, CutFileKeepsTheRecordsBeforeTheCut) {
    const auto bytes = serialize_favorites_file(sample());
    for (size_t n = 36; n < bytes.size(); ++n) {
        auto back = parse_favorites_file(std::span(bytes).first(n));
        ASSERT_TRUE(back) << n;
        size_t whole_records = n < 39 ? 0 : std::min<size_t>(3, (n - 39) / 128);
        EXPECT_EQ(back->entries.size(), whole_records) << "prefix of " << n << " bytes";
    }
}

TEST(FavoritesFile, RandomDamageParsesToSomethingThatRoundTrips) {
    const auto bytes = serialize_favorites_file(sample());
    std::mt19937 random(77);
    for (int round = 0; round < 3000; ++round) {
        auto damaged = bytes;
        for (int i = 0; i < 3; ++i) damaged[random() % damaged.size()] ^= static_cast<uint8_t>(1u << (random() % 8));
        auto parsed = parse_favorites_file(damaged);
        if (!parsed) continue;
        EXPECT_LE(parsed->entries.size(), 3u);
        auto again = parse_favorites_file(serialize_favorites_file(*parsed));
        ASSERT_TRUE(again);
        EXPECT_EQ(again->entries, parsed->entries);
        EXPECT_EQ(again->slot_ids, parsed->slot_ids);
    }
}

TEST(CityRecordLayout, NameWithoutTerminatorIsCutToFortyNineUnits) {
    CityRecordBytes bytes {};
    for (size_t i = 12; i < 112; i += 2) bytes[i] = 'a';
    zt::platform::write_le32(&bytes[112], static_cast<uint32_t>(-1234));
    auto c = decode_city_record(bytes);
    EXPECT_EQ(c.name_view(), std::u16string(49, u'a'));
    EXPECT_EQ(c.latitude, -1234);
    auto again = encode_city_record(c);
    EXPECT_EQ(again[110], 0) << "the written record is terminated";
}

}  // namespace
}  // namespace zt::world
