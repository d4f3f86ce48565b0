#include "platform/notify/user_notification.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <fstream>
#include <iterator>

#include "platform/dbvol/database_volume.h"
#include "platform/notify/registration_store.h"
#include "platform/testing/child_process.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::notify {
namespace {

using testing::TempDeviceRoot;

Trigger time_trigger(std::u16string name, SYSTEMTIME start) {
    Trigger trigger;
    trigger.type = kTriggerTime;
    trigger.event = kEventWakeup;
    trigger.application = std::u16string(kNamedEventPrefix) + name;
    trigger.start = start;
    trigger.end = start;
    trigger.end.wSecond += 1;
    return trigger;
}

Trigger time_change_trigger(std::u16string name) {
    Trigger trigger;
    trigger.type = kTriggerEvent;
    trigger.event = kEventTimeChange;
    trigger.application = std::u16string(kNamedEventPrefix) + name;
    return trigger;
}

constexpr SYSTEMTIME kMorning { 2009, 3, 0, 2, 6, 59, 30, 0 };

TEST(UserNotifications, RegisterListAndClear) {
    TempDeviceRoot device;
    EXPECT_TRUE(list_user_notifications().empty()) << "no volume yet is an empty list";
    auto alarm = set_user_notification(0, time_trigger(u"ZunAlarmNotify", kMorning));
    auto change = set_user_notification(0, time_change_trigger(u"TimeChangeNotify"));
    ASSERT_TRUE(alarm && change);
    EXPECT_NE(*alarm, 0u);
    EXPECT_NE(*alarm, *change);

    auto all = list_user_notifications();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].handle, *alarm);
    EXPECT_EQ(all[0].trigger.application, u"\\\\.\\Notifications\\NamedEvents\\ZunAlarmNotify");
    EXPECT_EQ(all[0].trigger.start.wHour, 6);
    EXPECT_EQ(all[0].trigger.start.wDayOfWeek, 1) << "stored times are normalised (2009-03-02 is a Monday)";
    EXPECT_EQ(all[1].trigger.type, kTriggerEvent);
    EXPECT_EQ(all[1].trigger.start, SYSTEMTIME {});

    EXPECT_TRUE(clear_user_notification(*alarm));
    EXPECT_FALSE(clear_user_notification(*alarm)) << "a cleared handle is unknown";
    EXPECT_FALSE(clear_user_notification(0));
    ASSERT_EQ(list_user_notifications().size(), 1u);
}

TEST(UserNotifications, PropertyOneIsTheApplicationTextForCleanUpTools) {
    TempDeviceRoot device;
    Trigger program;
    program.type = kTriggerTime;
    program.application = u"\\windows\\zuntimenotify.exe";
    program.arguments = u"AppRunAtTime";
    program.start = kMorning;
    auto handle = set_user_notification(0, program);
    ASSERT_TRUE(handle);
    auto volume = dbvol::Volume::mount_existing(u"mxip_notify.vol");
    ASSERT_TRUE(volume);
    auto db = dbvol::Database::open(*volume, u"DB_notify_events");
    ASSERT_TRUE(db);
    EXPECT_EQ(db->text_property(*handle, 1), u"\\windows\\zuntimenotify.exe");
}

TEST(UserNotifications, ReplacingByHandleKeepsTheHandle) {
    TempDeviceRoot device;
    auto handle = set_user_notification(0, time_trigger(u"A", kMorning));
    ASSERT_TRUE(handle);
    SYSTEMTIME later = kMorning;
    later.wHour = 8;
    EXPECT_EQ(set_user_notification(*handle, time_trigger(u"A", later)), handle);
    auto all = list_user_notifications();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].trigger.start.wHour, 8);
    EXPECT_FALSE(set_user_notification(*handle + 100, time_trigger(u"A", later)))
        << "a handle that names nothing is refused, not registered anew";
}

TEST(UserNotifications, RefusesTriggersThePlatformWouldRefuse) {
    TempDeviceRoot device;
    auto wrong_size = time_trigger(u"A", kMorning);
    wrong_size.size = 48;
    EXPECT_FALSE(set_user_notification(0, wrong_size));
    auto wrong_type = time_trigger(u"A", kMorning);
    wrong_type.type = 3;
    EXPECT_FALSE(set_user_notification(0, wrong_type));
    SYSTEMTIME feb30 = kMorning;
    feb30.wMonth = 2;
    feb30.wDay = 30;
    EXPECT_FALSE(set_user_notification(0, time_trigger(u"A", feb30)));
    EXPECT_FALSE(set_user_notification(0, time_trigger(u"A", SYSTEMTIME {}))) << "a time trigger needs a start";
    auto bad_end = time_trigger(u"A", kMorning);
    bad_end.end.wHour = 24;
    EXPECT_FALSE(set_user_notification(0, bad_end));
    EXPECT_FALSE(set_user_notification(0, time_trigger(u"", kMorning))) << "an empty event name";
    auto no_app = time_trigger(u"A", kMorning);
    no_app.application.clear();
    EXPECT_FALSE(set_user_notification(0, no_app));
    auto no_event = time_change_trigger(u"A");
    no_event.event = 0;
    EXPECT_FALSE(set_user_notification(0, no_event));
    EXPECT_TRUE(list_user_notifications().empty());
    EXPECT_EQ(notification_change_count(), 0u) << "a refused call does not wake the device";
}

TEST(UserNotifications, SurviveTheProcessThatMadeThem) {
    TempDeviceRoot device;
    pid_t child = testing::fork_child([] {
        auto handle = set_user_notification(0, time_trigger(u"Child", kMorning));
        return handle ? static_cast<int>(*handle) : 0;
    });
    int handle = testing::wait_child(child);
    ASSERT_GT(handle, 0);
    auto found = find_user_notification(static_cast<Handle>(handle));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->trigger.application, u"\\\\.\\Notifications\\NamedEvents\\Child");
    EXPECT_TRUE(clear_user_notification(static_cast<Handle>(handle)));
}

TEST(UserNotifications, EveryChangeBumpsTheDeviceWakeCounter) {
    TempDeviceRoot device;
    auto handle = set_user_notification(0, time_trigger(u"A", kMorning));
    EXPECT_EQ(notification_change_count(), 1u);
    set_user_notification(*handle, time_trigger(u"A", kMorning));
    clear_user_notification(*handle);
    EXPECT_EQ(notification_change_count(), 3u);
}

TEST(UserNotifications, FiredRemovalKeepsARegistrationReplacedMeanwhile) {
    TempDeviceRoot device;
    auto handle = set_user_notification(0, time_trigger(u"A", kMorning));
    auto seen = find_user_notification(*handle);
    ASSERT_TRUE(seen);
    SYSTEMTIME later = kMorning;
    later.wHour = 9;
    set_user_notification(*handle, time_trigger(u"A", later));
    EXPECT_FALSE(remove_fired_notification(*seen));
    auto now = find_user_notification(*handle);
    ASSERT_TRUE(now);
    EXPECT_TRUE(remove_fired_notification(*now));
    EXPECT_FALSE(find_user_notification(*handle));
}

}  // namespace
}  // namespace zt::platform::notify

namespace zt::platform::notify {
namespace {

std::string file_bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), {} };
}

std::vector<std::filesystem::path> moved_aside(const std::filesystem::path& root) {
    std::vector<std::filesystem::path> found;
    for (const auto& entry : std::filesystem::directory_iterator(root)) {
        auto name = entry.path().filename().string();
        if (name.starts_with("mxip_notify.vol.bad-") && !name.ends_with("-wal") && !name.ends_with("-shm"))
            found.push_back(entry.path());
    }
    return found;
}

TEST(UserNotifications, DamagedVolumeIsMovedAsideKeptAndReplaced) {
    testing::TempDeviceRoot device;
    auto first = set_user_notification(0, time_trigger(u"A", kMorning));
    auto second = set_user_notification(0, time_trigger(u"B", kMorning));
    ASSERT_TRUE(first && second);
    auto path = device.path() / "mxip_notify.vol";
    std::filesystem::remove(device.path() / "mxip_notify.vol-wal");
    std::filesystem::remove(device.path() / "mxip_notify.vol-shm");
    std::string garbage(4096, '\x33');
    { std::ofstream(path, std::ios::binary | std::ios::trunc) << garbage; }

    std::string problem;
    EXPECT_FALSE(read_user_notifications(&problem)) << "a damaged volume is not an empty one";
    EXPECT_NE(problem.find("mxip_notify.vol"), std::string::npos) << problem;
    EXPECT_EQ(file_bytes(path), garbage) << "reading repairs nothing";

    ::testing::internal::CaptureStderr();
    auto handle = set_user_notification(0, time_trigger(u"C", kMorning));
    std::string said = ::testing::internal::GetCapturedStderr();
    ASSERT_TRUE(handle) << "no registration is possible again until the volume is repaired";
    EXPECT_GT(*handle, *second) << "a handle of the lost volume must never name a new registration";
    EXPECT_NE(said.find("moved it to"), std::string::npos) << said;
    auto aside = moved_aside(device.path());
    ASSERT_EQ(aside.size(), 1u);
    EXPECT_EQ(file_bytes(aside[0]), garbage) << "the damaged file is kept, not deleted";
    auto all = read_user_notifications();
    ASSERT_TRUE(all);
    ASSERT_EQ(all->size(), 1u);
    EXPECT_EQ((*all)[0].handle, *handle);
    EXPECT_FALSE(clear_user_notification(*first)) << "a handle of the lost volume names nothing";
}

TEST(UserNotifications, ClearingOnADamagedVolumeRepairsIt) {
    testing::TempDeviceRoot device;
    { std::ofstream(device.path() / "mxip_notify.vol", std::ios::binary) << std::string(600, 'z'); }
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(clear_user_notification(3));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(moved_aside(device.path()).size(), 1u);
    EXPECT_TRUE(read_user_notifications());
}

TEST(UserNotifications, ADeletedVolumeStartsHandlesAfterTheOldOnes) {
    testing::TempDeviceRoot device;
    Handle last = 0;
    for (int i = 0; i < 3; ++i) last = set_user_notification(0, time_trigger(u"A", kMorning)).value_or(0);
    ASSERT_NE(last, 0u);
    for (const char* name : { "mxip_notify.vol", "mxip_notify.vol-wal", "mxip_notify.vol-shm" })
        std::filesystem::remove(device.path() / name);
    auto fresh = set_user_notification(0, time_trigger(u"B", kMorning));
    ASSERT_TRUE(fresh);
    EXPECT_GT(*fresh, last);
}

TEST(UserNotifications, ABusyVolumeIsNeverMovedAside) {
    testing::TempDeviceRoot device;
    ASSERT_TRUE(set_user_notification(0, time_trigger(u"Kept", kMorning)));
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open((device.path() / "mxip_notify.vol").c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
    // Waits out the volume's busy time-out, then fails: a writer of another process.
    EXPECT_FALSE(set_user_notification(0, time_trigger(u"Blocked", kMorning)));
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
    EXPECT_TRUE(moved_aside(device.path()).empty());
    auto all = read_user_notifications();
    ASSERT_TRUE(all);
    ASSERT_EQ(all->size(), 1u);
    EXPECT_EQ((*all)[0].trigger.application, u"\\\\.\\Notifications\\NamedEvents\\Kept");
}

}  // namespace
}  // namespace zt::platform::notify
