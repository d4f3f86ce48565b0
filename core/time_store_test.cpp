#include "core/time_store.h"

#include <gtest/gtest.h>

#include "contracts/registry_keys.h"
#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"

namespace zt::core {
namespace {

namespace registry = zt::platform::registry;

class TimeStore : public ::testing::Test {
protected:
    static registry::Key key(const char16_t* path) {
        auto created = registry::Key::create(registry::Root::CurrentUser, path);
        EXPECT_TRUE(created);
        return std::move(created->key);
    }
    static void put(const char16_t* path, const char16_t* name, std::u16string_view text) {
        ASSERT_EQ(key(path).set_string(name, text), registry::Status::Ok);
    }
    static bool stored(const char16_t* path, const char16_t* name) {
        auto k = registry::Key::open(registry::Root::CurrentUser, path);
        return k && k->get_binary(name).has_value();
    }
    static constexpr char16_t kValidAlarm[] = u"acstr=;actp=0;alt=70000;alszdt=5;alo=127";
    static constexpr char16_t kValidTimer[] = u"acstr=;actp=0;tint=60;tind=0;tu=0";

    zt::platform::testing::TempDeviceRoot m_root;
    CTimeStore m_store;
};

TEST_F(TimeStore, ReloadFindsRecordsAndNextIdFollowsTheHighest) {
    put(contracts::kAlarmsKeyPath, u"3", kValidAlarm);
    put(contracts::kAlarmsKeyPath, u"17", kValidAlarm);
    put(contracts::kTimersKeyPath, u"9", kValidTimer);
    ASSERT_TRUE(m_store.reload_all());
    EXPECT_EQ(m_store.item_count(), 3u);
    EXPECT_TRUE(m_store.find_alarm(3));
    EXPECT_TRUE(m_store.find_timer(9));
    EXPECT_FALSE(m_store.find_alarm(9)) << "typed find checks the type";
    CTimeItem* fresh = m_store.create_new_item(ItemType::Alarm);
    ASSERT_TRUE(fresh);
    EXPECT_EQ(fresh->id(), 18);
}

TEST_F(TimeStore, ReloadDeletesInvalidAlarmButKeepsInvalidTimerValue) {
    put(contracts::kAlarmsKeyPath, u"4", u"not a list");
    put(contracts::kAlarmsKeyPath, u"5", kValidAlarm);
    put(contracts::kTimersKeyPath, u"6", u"acstr=;actp=0;tint=60;tind=0");  // no "tu"
    ASSERT_TRUE(m_store.reload_all());
    EXPECT_FALSE(m_store.find(4));
    EXPECT_FALSE(stored(contracts::kAlarmsKeyPath, u"4")) << "an invalid alarm is deleted from the registry";
    EXPECT_TRUE(m_store.find(5));
    EXPECT_FALSE(m_store.find(6));
    EXPECT_TRUE(stored(contracts::kTimersKeyPath, u"6")) << "an invalid timer is only dropped from memory";
    ASSERT_TRUE(m_store.reload_all());
    EXPECT_FALSE(m_store.find(6)) << "and dropped again on every reload";
}

TEST_F(TimeStore, ReloadIgnoresNamesThatAreNotRecordIds) {
    for (const char16_t* name : { u"abc", u"0", u"12abc", u"-3", u"007", u"" }) put(contracts::kAlarmsKeyPath, name, kValidAlarm);
    ASSERT_TRUE(m_store.reload_all());
    EXPECT_EQ(m_store.item_count(), 0u);
    EXPECT_EQ(m_store.highest_id(), 0);
    for (const char16_t* name : { u"abc", u"0", u"12abc", u"-3", u"007" })
        EXPECT_TRUE(stored(contracts::kAlarmsKeyPath, name)) << "foreign values are left alone";
}

TEST_F(TimeStore, ReloadVisitsEveryValueOnceWhileDeletingInvalidOnes) {
    // Alternate valid and invalid alarms: deletions during the walk must not skip values.
    for (int id = 1; id <= 40; ++id) {
        std::u16string name = zt::platform::to_u16(std::to_string(id));
        put(contracts::kAlarmsKeyPath, name.c_str(), id % 2 ? kValidAlarm : u"broken");
    }
    ASSERT_TRUE(m_store.reload_all());
    EXPECT_EQ(m_store.item_count(), 20u);
    for (int id = 1; id <= 40; ++id) EXPECT_EQ(m_store.find(id) != nullptr, id % 2 == 1) << id;
    auto alarms = registry::Key::open(registry::Root::CurrentUser, contracts::kAlarmsKeyPath);
    EXPECT_FALSE(alarms->enum_value(20)) << "exactly the 20 valid values remain";
}

TEST_F(TimeStore, HugeNumbersAndOutOfRangeDatesLoadClamped) {
    put(contracts::kAlarmsKeyPath, u"2",
        u"acstr=;actp=0;alt=99999999999;alszdt=99999999999999;alo=4294967296;alond=99999999;acrtp=5;acrvl=x");
    ASSERT_TRUE(m_store.reload_all());
    CAlarm* alarm = m_store.find_alarm(2);
    ASSERT_TRUE(alarm);
    EXPECT_EQ(alarm->snooze_minutes, 0xFFFFFFFFu);
    EXPECT_EQ(alarm->alarm_time.wHour, 23);
    EXPECT_LE(alarm->alarm_time.wYear, 9999);
}

TEST_F(TimeStore, CreatePutAndDelete) {
    CTimeItem* first = m_store.create_item(ItemType::Alarm, 7);
    ASSERT_TRUE(first);
    first->name = u"original";
    EXPECT_FALSE(m_store.create_item(ItemType::Timer, 7)) << "id taken";
    EXPECT_EQ(m_store.find(7)->name, u"original");
    EXPECT_EQ(m_store.put(std::unique_ptr<CTimeItem>(first)), first) << "putting the stored object changes nothing";
    EXPECT_EQ(m_store.item_count(), 1u);

    auto replacement = std::make_unique<CAlarm>(7);
    replacement->name = u"new";
    m_store.put(std::move(replacement));
    EXPECT_EQ(m_store.find(7)->name, u"new");

    std::unique_ptr<CTimeItem> refused = std::make_unique<CAlarm>(3);
    EXPECT_FALSE(m_store.add_new_item(refused));
    EXPECT_TRUE(refused) << "a refused item stays with the caller";
    std::unique_ptr<CTimeItem> accepted = std::make_unique<CAlarm>(0);
    CTimeItem* added = m_store.add_new_item(accepted);
    ASSERT_TRUE(added);
    EXPECT_EQ(added->id(), 8);

    put(contracts::kAlarmsKeyPath, u"8", kValidAlarm);
    put(contracts::kTimersKeyPath, u"8", kValidTimer);
    m_store.remove(8);
    EXPECT_FALSE(m_store.find(8));
    EXPECT_FALSE(stored(contracts::kAlarmsKeyPath, u"8"));
    EXPECT_TRUE(stored(contracts::kTimersKeyPath, u"8")) << "deletion never touches the Timers key";
    EXPECT_EQ(m_store.create_new_item(ItemType::Alarm)->id(), 9) << "no id is given twice in one run";
}

TEST_F(TimeStore, AfterTheLargestIdNewRecordsTakeTheLowestFreeOne) {
    put(contracts::kAlarmsKeyPath, u"2147483647", kValidAlarm);
    put(contracts::kAlarmsKeyPath, u"1", kValidAlarm);
    put(contracts::kTimersKeyPath, u"2", kValidTimer);
    put(contracts::kTimersKeyPath, u"4", u"acstr=;actp=0;tint=60;tind=0");  // invalid: dropped, value kept
    ASSERT_TRUE(m_store.reload_all());
    ASSERT_EQ(m_store.highest_id(), INT32_MAX);

    CTimeItem* alarm = m_store.create_new_item(ItemType::Alarm);
    ASSERT_TRUE(alarm) << "one value named 2147483647 must not stop new records";
    EXPECT_EQ(alarm->id(), 3);
    std::unique_ptr<CTimeItem> added = std::make_unique<CAlarm>(0);
    CTimeItem* second = m_store.add_new_item(added);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->id(), 5) << "3 is in memory, 4 names a stored timer value";
    EXPECT_EQ(m_store.fill_timer_slots(true), 5);
    EXPECT_TRUE(m_store.find_timer(6));
    EXPECT_TRUE(m_store.find_timer(10));
    EXPECT_TRUE(stored(contracts::kTimersKeyPath, u"4")) << "no stored value was overwritten";
    EXPECT_EQ(*key(contracts::kTimersKeyPath).get_string(u"4"), u"acstr=;actp=0;tint=60;tind=0");
}

TEST_F(TimeStore, DefaultAlarmAndSaveAsDefault) {
    EXPECT_EQ(m_store.default_alarm().id(), 0);
    EXPECT_EQ(m_store.default_alarm().flags, 127u) << "defaults when nothing is stored";
    CAlarm mine(5);
    mine.name = u"mine";
    mine.snooze_minutes = 15;
    mine.snoozed = true;
    mine.flags = 0x1F;
    m_store.save_as_default(mine);
    EXPECT_TRUE(stored(contracts::kAlarmsKeyPath, u"0"));

    CTimeStore other;
    CAlarm& loaded = other.default_alarm();
    EXPECT_EQ(loaded.snooze_minutes, 15u);
    EXPECT_EQ(loaded.flags, 0x1Fu);
    EXPECT_FALSE(loaded.snoozed);
    EXPECT_TRUE(loaded.name.empty());
    auto copy = other.copy_of_default_alarm();
    EXPECT_EQ(copy->id(), 0);
    EXPECT_EQ(copy->snooze_minutes, 15u);
    ASSERT_TRUE(other.reload_all());
    EXPECT_FALSE(other.find(0)) << "the default alarm is not an ordinary record";
}

TEST_F(TimeStore, ApplicationFolderAndDefaultSound) {
    EXPECT_EQ(m_store.application_folder(), u"");
    put(contracts::kProductKeyPath, contracts::kAppPathValue, u"\\Program Files\\Zun Time\\ZunTime.exe");
    CTimeStore store;
    EXPECT_EQ(store.application_folder(), u"\\Program Files\\Zun Time\\");
    EXPECT_EQ(store.default_sound(), u"\\Program Files\\Zun Time\\sounds\\ZunAlarm1.wav");
    put(contracts::kProductKeyPath, contracts::kAppPathValue, u"\\Apps\\x/ZunTime.exe");
    EXPECT_EQ(CTimeStore().application_folder(), u"\\Apps\\x/") << "the later separator counts";
    put(contracts::kProductKeyPath, contracts::kAppPathValue, u"ZunTime.exe");
    EXPECT_EQ(CTimeStore().application_folder(), u"");
}

TEST_F(TimeStore, FillTimerSlotsMakesMissingSlotsWithDefaults) {
    put(contracts::kProductKeyPath, contracts::kAppPathValue, u"\\Zt\\ZunTime.exe");
    int reschedules = 0;
    m_store.set_reschedule_hook([&](CTimeStore&) { ++reschedules; });
    auto* existing = static_cast<CTimer*>(m_store.create_item(ItemType::Timer, 1));
    existing->count_up = false;
    existing->slot_index = 2;
    EXPECT_EQ(m_store.fill_timer_slots(false), 4);
    EXPECT_EQ(reschedules, 1);
    const uint32_t expected[] = { 30, 60, 0, 600, 1800 };
    for (uint32_t slot = 0; slot < 5; ++slot) {
        CTimer* timer = m_store.timer_in_slot(false, slot);
        ASSERT_TRUE(timer) << slot;
        if (slot == 2) continue;
        EXPECT_EQ(timer->interval, expected[slot]);
        EXPECT_EQ(timer->sound_action()->sound_file(), u"\\Zt\\sounds\\ZunAlarm1.wav");
    }
    EXPECT_EQ(m_store.fill_timer_slots(true), 5);
    EXPECT_EQ(m_store.timer_in_slot(true, 4)->interval, 0u);
    EXPECT_EQ(m_store.fill_timer_slots(true), 0);

    CTimeStore other;
    ASSERT_TRUE(other.reload_all());
    EXPECT_EQ(other.item_count(), 9u) << "every new slot was saved";
}

}  // namespace
}  // namespace zt::core
