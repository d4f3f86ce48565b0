// Records read while memory runs short. This binary replaces the nothrow array allocation,
// the one CGenericMap grows its tables with, so that a test can refuse large tables the way
// an exhausted heap would; everything else allocates as usual.
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <new>
#include <string>

#include "contracts/registry_keys.h"
#include "core/property_list.h"
#include "core/time_store.h"
#include "platform/registry/registry.h"
#include "platform/registry/testing/temp_device_root.h"

namespace {

std::atomic<std::size_t> g_largest_table_bytes { SIZE_MAX };

}  // namespace

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (size > g_largest_table_bytes.load()) return nullptr;
    try {
        return ::operator new[](size);
    } catch (...) {
        return nullptr;
    }
}

namespace zt::core {
namespace {

namespace registry = zt::platform::registry;

// A value map starts with one group of 32 slots (about 2 KB of text pairs) and needs a second
// group once it holds more than 16 pairs; the store's own item map stays within one small
// group. Refusing tables above 3000 bytes is a heap that cannot grow any record's map.
class ShortOfMemory {
public:
    ShortOfMemory() { g_largest_table_bytes = 3000; }
    ~ShortOfMemory() { g_largest_table_bytes = SIZE_MAX; }
    ShortOfMemory(const ShortOfMemory&) = delete;
    ShortOfMemory& operator=(const ShortOfMemory&) = delete;
};

// A valid alarm with `extra` further pairs that no reader looks at.
std::u16string alarm_text(int extra) {
    std::u16string text = u"acstr=;actp=0;alt=70000;alszdt=5;alo=127";
    for (int i = 0; i < extra; ++i) text += u";x" + std::u16string(1, static_cast<char16_t>(u'a' + i)) + u"=1";
    return text;
}

TEST(RecordsShortOfMemory, PropertyListTellsAShortageFromAMalformedText) {
    ShortOfMemory short_of_memory;
    EXPECT_EQ(read_property_list(alarm_text(11)).status, PropertyListStatus::Ok) << "16 pairs fit the first table";
    PropertyListRead big = read_property_list(alarm_text(15));
    EXPECT_EQ(big.status, PropertyListStatus::OutOfMemory);
    EXPECT_EQ(big.map.count(), 0u);
    EXPECT_EQ(read_property_list(u"alt=1;broken").status, PropertyListStatus::Malformed);
    EXPECT_FALSE(parse_property_list(alarm_text(15)));
}

TEST(RecordsShortOfMemory, ReloadKeepsAnAlarmItCouldNotParseForWantOfMemory) {
    zt::platform::testing::TempDeviceRoot root;
    auto alarms = registry::Key::create(registry::Root::CurrentUser, contracts::kAlarmsKeyPath);
    ASSERT_TRUE(alarms);
    ASSERT_EQ(alarms->key.set_string(u"3", alarm_text(15)), registry::Status::Ok);
    ASSERT_EQ(alarms->key.set_string(u"4", u"alt=70000;broken"), registry::Status::Ok);
    ASSERT_EQ(alarms->key.set_string(u"5", alarm_text(0)), registry::Status::Ok);

    CTimeStore store;
    {
        ShortOfMemory short_of_memory;
        ASSERT_TRUE(store.reload_all());
    }
    EXPECT_FALSE(store.find(3));
    EXPECT_TRUE(alarms->key.get_string(u"3")) << "a sound record that met a shortage of memory is not deleted";
    EXPECT_FALSE(store.find(4));
    EXPECT_FALSE(alarms->key.get_string(u"4")) << "a malformed record still is";
    EXPECT_TRUE(store.find_alarm(5));

    ASSERT_TRUE(store.reload_all());
    ASSERT_TRUE(store.find_alarm(3)) << "with memory back the record loads again";
    EXPECT_EQ(store.find_alarm(3)->alarm_time.wHour, 7);
}

}  // namespace
}  // namespace zt::core
