#include "core/generic_map.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace zt::core {
namespace {

using IntMap = CGenericMap<uint32_t, uint32_t, IntegerHash>;
using TextMap = CGenericMap<std::u16string, int, TextHash>;

// A hash that puts every key in one probe run starting at the last of 32 slots
// (0xEBB34377 * 0x9E3779B9 = 0xFFFFFFFF mod 2^32), to exercise wrap-around and removal.
class CollidingMap : public CGenericMap<uint32_t, uint32_t, IntegerHash> {
public:
    CollidingMap() : CGenericMap(5) {}
    uint32_t hash(const uint32_t&) const override { return 0xEBB34377u; }
};

std::vector<uint32_t> keys_in_order(const IntMap& map) {
    std::vector<uint32_t> keys;
    map.for_each([&](uint32_t key, uint32_t) { keys.push_back(key); });
    return keys;
}

TEST(GenericMapHashes, TextHashIsTimesFivePlusUnitTimes37) {
    EXPECT_EQ(TextHash {}(u""), 0u);
    EXPECT_EQ(TextHash {}(u"a"), 97u * 37u);
    EXPECT_EQ(TextHash {}(u"ab"), 97u * 37u * 5u + 98u * 37u);
    // Unsigned wrap-around, not saturation.
    std::u16string long_text(40, u'\xFFFF');
    uint32_t expected = 0;
    for (char16_t c : long_text) expected = expected * 5u + uint32_t { c } * 37u;
    EXPECT_EQ(TextHash {}(long_text), expected);
    EXPECT_EQ(IntegerHash {}(int32_t { -1 }), 0xFFFFFFFFu);
}

TEST(GenericMapGrowth, HalfFullFitsThenNextInsertDoubles) {
    IntMap map(5);
    EXPECT_EQ(map.bits(), 0u) << "no table before the first insert";
    for (uint32_t k = 0; k < 16; ++k) ASSERT_TRUE(map.insert(k * 7919u, k));
    EXPECT_EQ(map.bits(), 5u) << "16 entries fit into 32 slots";
    EXPECT_EQ(map.count(), 16u);
    ASSERT_TRUE(map.insert(123456u, 99u));
    EXPECT_EQ(map.bits(), 6u) << "the 17th entry grows the table to 64 slots";
    for (uint32_t k = 0; k < 16; ++k) ASSERT_NE(map.lookup(k * 7919u), nullptr) << k;
    EXPECT_EQ(*map.lookup(123456u), 99u);
}

TEST(GenericMapGrowth, ReserveSizesTheTableOnceForAllEntries) {
    IntMap map(5);
    ASSERT_TRUE(map.reserve(41'689));
    EXPECT_EQ(map.bits(), 17u) << "41,689 entries need 2^16 of a table's half";
    for (uint32_t k = 0; k < 41'689; ++k) ASSERT_TRUE(map.insert(k * 3u, k));
    EXPECT_EQ(map.bits(), 17u) << "no growth after the reserve";
    ASSERT_TRUE(map.reserve(10)) << "room already there";
    EXPECT_EQ(map.bits(), 17u);
    ASSERT_TRUE(map.reserve(70'000)) << "reserving on a filled map keeps every pair";
    EXPECT_EQ(map.bits(), 18u);
    EXPECT_EQ(map.count(), 41'689u);
    for (uint32_t k = 0; k < 41'689; k += 97) ASSERT_EQ(*map.lookup(k * 3u), k) << k;
    EXPECT_FALSE(map.reserve((size_t { 1 } << 23) + 1)) << "beyond 2^24 slots is refused";
    EXPECT_EQ(map.bits(), 18u) << "and leaves the map as it was";
}

TEST(GenericMapGrowth, ReplacingKeepsCount) {
    TextMap map;
    ASSERT_TRUE(map.insert(u"alt", 1));
    ASSERT_TRUE(map.insert(u"alt", 2));
    EXPECT_EQ(map.count(), 1u);
    EXPECT_EQ(*map.lookup(u"alt"), 2);
    EXPECT_EQ(map.lookup(u"ALT"), nullptr) << "text keys compare exactly";
}

TEST(GenericMapGrowth, RefusesBeyondTwoToThe24SlotsAndStaysIntact) {
    CGenericMap<uint32_t, uint8_t, IntegerHash> map(24);
    const uint32_t limit = 1u << 23;
    for (uint32_t k = 0; k < limit; ++k) ASSERT_TRUE(map.insert(k, static_cast<uint8_t>(k))) << k;
    EXPECT_EQ(map.bits(), 24u);
    EXPECT_FALSE(map.insert(limit, 1)) << "a 2^25-slot table is never made";
    EXPECT_EQ(map.count(), limit);
    EXPECT_FALSE(map.contains(limit));
    EXPECT_TRUE(map.insert(5, 42)) << "replacing still works in a full map";
    EXPECT_EQ(*map.lookup(5), 42);
    EXPECT_EQ(*map.lookup(limit - 1), static_cast<uint8_t>(limit - 1));
}

TEST(GenericMapGrowth, MoveOnlyValuesMoveInAndReplace) {
    CGenericMap<uint32_t, std::unique_ptr<int>, IntegerHash> map(5);
    auto value = std::make_unique<int>(7);
    ASSERT_TRUE(map.insert(1, std::move(value)));
    EXPECT_EQ(value, nullptr) << "moved in on success";
    ASSERT_TRUE(map.insert(1, std::make_unique<int>(8)));
    EXPECT_EQ(**map.lookup(1), 8);
    EXPECT_EQ(map.count(), 1u);
}

TEST(GenericMapRemoval, KeysOfTheSameRunStayFoundIncludingWrapAround) {
    CollidingMap map;
    // All keys start probing at the last slot, so the run wraps to slot 0 and onward.
    for (uint32_t k = 1; k <= 10; ++k) ASSERT_TRUE(map.insert(k, k * 10));
    ASSERT_TRUE(map.remove(3));
    EXPECT_FALSE(map.contains(3));
    EXPECT_EQ(map.count(), 9u);
    for (uint32_t k = 1; k <= 10; ++k) {
        if (k == 3) continue;
        ASSERT_NE(map.lookup(k), nullptr) << "key " << k << " lost after removing 3";
        EXPECT_EQ(*map.lookup(k), k * 10);
    }
    ASSERT_TRUE(map.remove(1));
    ASSERT_TRUE(map.remove(10));
    EXPECT_FALSE(map.remove(10)) << "removing twice reports absence";
    for (uint32_t k : { 2u, 4u, 5u, 6u, 7u, 8u, 9u }) EXPECT_TRUE(map.contains(k)) << k;
}

TEST(GenericMapRemoval, RandomInsertRemoveAgreesWithReference) {
    IntMap map(5);
    std::vector<bool> present(4096, false);
    uint32_t state = 12345;
    for (int step = 0; step < 20000; ++step) {
        state = state * 1103515245u + 12345u;
        uint32_t key = (state >> 8) % 4096;
        if ((state >> 4) & 1) {
            ASSERT_TRUE(map.insert(key, key + 1));
            present[key] = true;
        } else {
            EXPECT_EQ(map.remove(key), present[key]);
            present[key] = false;
        }
    }
    size_t expected = 0;
    for (uint32_t k = 0; k < present.size(); ++k) {
        expected += present[k];
        ASSERT_EQ(map.contains(k), present[k]) << k;
    }
    EXPECT_EQ(map.count(), expected);
    EXPECT_LE(map.count(), map.capacity() / 2);
}

TEST(GenericMapIteration, AscendingSlotOrderDependsOnInsertionOrder) {
    CollidingMap a;
    CollidingMap b;
    a.insert(1, 0);
    a.insert(2, 0);
    b.insert(2, 0);
    b.insert(1, 0);
    std::vector<uint32_t> order_a, order_b;
    a.for_each([&](uint32_t k, uint32_t) { order_a.push_back(k); });
    b.for_each([&](uint32_t k, uint32_t) { order_b.push_back(k); });
    // Slot 31 holds the first inserted, slot 0 the second: iteration starts at slot 0.
    EXPECT_EQ(order_a, (std::vector<uint32_t> { 2, 1 }));
    EXPECT_EQ(order_b, (std::vector<uint32_t> { 1, 2 }));

    IntMap ints(5);
    for (uint32_t k : { 9u, 3u, 27u, 1u }) ints.insert(k, 0);
    EXPECT_EQ(keys_in_order(ints), keys_in_order(ints)) << "stable while unchanged";
}

TEST(GenericMapIteration, SlotIndexIsMultiplicative) {
    IntMap map(5);
    map.insert(1, 0);
    // 0x9E3779B9 >> 27 = 19: key 1 sits alone in slot 19; probe order shows it first.
    size_t visited = 0;
    map.for_each([&](uint32_t k, uint32_t) {
        EXPECT_EQ(k, 1u);
        ++visited;
    });
    EXPECT_EQ(visited, 1u);
    EXPECT_EQ((uint32_t { 1 } * 0x9E3779B9u) >> 27, 19u);
}

TEST(GenericMapLifetime, ClearReleasesTableAndValues) {
    auto shared = std::make_shared<int>(1);
    {
        CGenericMap<std::u16string, std::shared_ptr<int>, TextHash> map;
        for (int i = 0; i < 100; ++i) map.insert(std::u16string(1, static_cast<char16_t>(u'a' + i)), shared);
        EXPECT_EQ(shared.use_count(), 101);
        map.clear();
        EXPECT_EQ(map.bits(), 0u);
        EXPECT_EQ(shared.use_count(), 1);
        map.insert(u"again", shared);
        EXPECT_EQ(map.bits(), 5u) << "the initial bit count is used again after clear";
    }
    EXPECT_EQ(shared.use_count(), 1) << "destruction releases values";
}

}  // namespace
}  // namespace zt::core
