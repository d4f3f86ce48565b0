#include "core/alarm.h"

#include <gtest/gtest.h>

#include "contracts/registry_keys.h"
#include "core/property_list.h"
#include "platform/registry/registry.h"
#include "platform/registry/testing/temp_device_root.h"

namespace zt::core {
namespace {

namespace registry = zt::platform::registry;

void store_alarm_text(const char16_t* name, std::u16string_view text) {
    auto key = registry::Key::create(registry::Root::CurrentUser, contracts::kAlarmsKeyPath);
    ASSERT_TRUE(key);
    ASSERT_EQ(key->key.set_string(name, text), registry::Status::Ok);
}

std::optional<std::u16string> stored_alarm_text(const char16_t* name) {
    auto key = registry::Key::open(registry::Root::CurrentUser, contracts::kAlarmsKeyPath);
    return key ? key->get_string(name) : std::nullopt;
}

TEST(AlarmStoredForm, RepeatingAlarmHasTimeOfDayOnlyAndOneTimeAddsDate) {
    CAlarm repeating(1);
    repeating.alarm_time = SYSTEMTIME { 0, 1, 0, 1, 7, 5, 0, 0 };
    CValueMap map;
    ASSERT_TRUE(repeating.to_value_map(map));
    EXPECT_EQ(*map.text(u"alt"), u"70500");
    EXPECT_FALSE(map.text(u"alond"));
    EXPECT_FALSE(map.text(u"alszt")) << "snooze keys only while snoozed";
    EXPECT_EQ(*map.text(u"actp"), u"0");
    EXPECT_EQ(*map.text(u"alo"), u"127");
    EXPECT_EQ(*map.text(u"alszdt"), u"5");
    EXPECT_EQ(*map.text(u"gtib"), u"1") << "a new alarm snoozes automatically";

    CAlarm once(2);
    once.flags = CAlarm::kOneTime;
    once.alarm_time = SYSTEMTIME { 2009, 3, 1, 2, 7, 5, 0, 0 };
    CValueMap once_map;
    ASSERT_TRUE(once.to_value_map(once_map));
    EXPECT_EQ(*once_map.text(u"alond"), u"20090302");
}

TEST(AlarmStoredForm, SnoozeNeedsBothKeys) {
    CAlarm alarm(1);
    auto both = parse_property_list(u"acstr=;actp=0;alt=70000;alszdt=5;alo=127;alszd=20090302;alszt=71000");
    ASSERT_TRUE(alarm.from_value_map(*both));
    EXPECT_TRUE(alarm.snoozed);
    EXPECT_EQ(alarm.snooze_until, (SYSTEMTIME { 2009, 3, 1, 2, 7, 10, 0, 0 }));
    auto date_only = parse_property_list(u"acstr=;actp=0;alt=70000;alszdt=5;alo=127;alszd=20090302");
    ASSERT_TRUE(alarm.from_value_map(*date_only));
    EXPECT_FALSE(alarm.snoozed) << "alszd without alszt is not a snooze";
    EXPECT_EQ(alarm.kind, 0u) << "a missing gtib reads as 0";
}

TEST(AlarmStoredForm, InvalidRecordsLeaveTheAlarmUnchanged) {
    CAlarm alarm(1);
    alarm.name = u"keep";
    alarm.flags = 0x85;
    for (const char16_t* text : { u"garbage", u"acstr=;actp=0;alszdt=5;alo=127", u"acstr=;actp=1;alt=1;alszdt=5;alo=127",
                                  u"acstr=;alt=1;alszdt=5;alo=127", u"actp=0;alt=1;alszdt=5;alo=127",
                                  u"acstr=;actp=0;alt=seven;alszdt=5;alo=127" }) {
        auto map = parse_property_list(text);
        EXPECT_FALSE(map && alarm.from_value_map(*map)) << "accepted an invalid record";
        EXPECT_EQ(alarm.name, u"keep");
        EXPECT_EQ(alarm.flags, 0x85u);
    }
}

TEST(AlarmRegistry, SaveAndLoadRoundTripIncludingEqualsInName) {
    zt::platform::testing::TempDeviceRoot root;
    CAlarm alarm(4);
    alarm.name = u"a=b==c";
    alarm.alarm_time = SYSTEMTIME { 0, 1, 0, 1, 6, 30, 15, 0 };
    alarm.flags = 0x15;
    alarm.snooze(10, SYSTEMTIME { 2009, 3, 1, 2, 6, 30, 15, 500 });
    alarm.sound_action()->set_sound_file(u"\\My Documents\\bell.wav");
    alarm.sound_action()->vibrate = true;
    ASSERT_TRUE(alarm.save());

    CAlarm loaded(4);
    ASSERT_TRUE(loaded.load());
    EXPECT_EQ(loaded.name, u"a=b==c");
    EXPECT_EQ(loaded.flags, 0x15u);
    EXPECT_EQ(loaded.alarm_time.wHour, 6);
    EXPECT_EQ(loaded.alarm_time.wSecond, 15);
    EXPECT_TRUE(loaded.snoozed);
    EXPECT_EQ(loaded.snooze_until, (SYSTEMTIME { 2009, 3, 1, 2, 6, 40, 0, 0 }));
    EXPECT_EQ(loaded.sound_action()->sound_file(), u"\\My Documents\\bell.wav");
    EXPECT_TRUE(loaded.sound_action()->vibrate);
}

TEST(AlarmRegistry, HandWrittenRecordLoads) {
    zt::platform::testing::TempDeviceRoot root;
    store_alarm_text(u"12", u"alo=42;alt=223000;alszdt=9;actp=0;acstr=\\Windows\\Alarm1.wav;acrtp=0;acrvl=3;acv=0;tn=Gym");
    CAlarm alarm(12);
    ASSERT_TRUE(alarm.load());
    EXPECT_EQ(alarm.flags, 42u);
    EXPECT_EQ(alarm.alarm_time.wHour, 22);
    EXPECT_EQ(alarm.alarm_time.wMinute, 30);
    EXPECT_EQ(alarm.snooze_minutes, 9u);
    EXPECT_EQ(alarm.name, u"Gym");
    EXPECT_EQ(alarm.sound_action()->repeat_value, 3u);
    EXPECT_EQ(alarm.sound_action()->volume_mode, 0u);
}

TEST(AlarmRegistry, MissingRecordFailsWithoutLeavingAnEmptyValue) {
    zt::platform::testing::TempDeviceRoot root;
    store_alarm_text(u"1", u"alt=1;alszdt=1;alo=1;actp=0;acstr=");
    CAlarm alarm(77);
    EXPECT_FALSE(alarm.load());
    EXPECT_EQ(alarm.last_load_failure(), LoadFailure::Missing);
    EXPECT_FALSE(stored_alarm_text(u"77")) << "a failed load must not write a value";
}

TEST(AlarmOperations, SnoozeEnableAndOneTimeDate) {
    CAlarm alarm(1);
    alarm.snooze(5, SYSTEMTIME { 2009, 12, 4, 31, 23, 58, 42, 250 });
    EXPECT_TRUE(alarm.snoozed);
    EXPECT_EQ(alarm.snooze_until, (SYSTEMTIME { 2010, 1, 5, 1, 0, 3, 0, 250 })) << "second set to 0, ms kept";
    alarm.set_enabled(false);
    EXPECT_FALSE(alarm.snoozed);
    EXPECT_FALSE(alarm.enabled());
    alarm.set_enabled(true);
    EXPECT_TRUE(alarm.enabled());

    CAlarm once(2);
    once.flags = CAlarm::kOneTime;
    once.alarm_time = SYSTEMTIME { 0, 1, 0, 1, 7, 0, 0, 0 };
    once.fix_one_time_date(SYSTEMTIME { 2009, 2, 6, 28, 6, 0, 0, 0 });
    EXPECT_EQ(once.alarm_time, (SYSTEMTIME { 2009, 2, 6, 28, 7, 0, 0, 0 })) << "later today stays today";
    once.fix_one_time_date(SYSTEMTIME { 2009, 2, 6, 28, 7, 0, 0, 0 });
    EXPECT_EQ(once.alarm_time, (SYSTEMTIME { 2009, 3, 0, 1, 7, 0, 0, 0 })) << "now is not later: tomorrow";
}

TEST(AlarmOperations, CopyToCopiesSettingsButNeverTheId) {
    CAlarm source(3);
    source.name = u"n";
    source.flags = 0x101;
    source.snooze_minutes = 12;
    source.sound_action()->set_sound_file(u"x.wav");
    CAlarm target(9);
    source.copy_to(target);
    EXPECT_EQ(target.id(), 9);
    EXPECT_EQ(target.name, u"n");
    EXPECT_EQ(target.flags, 0x101u);
    EXPECT_EQ(target.snooze_minutes, 12u);
    EXPECT_EQ(target.sound_action()->sound_file(), u"x.wav");
}

}  // namespace
}  // namespace zt::core
