// The installed main program on a running device, offscreen: found by its anchor window, a
// second copy hands its command line over, the command-line modes set the screens (as
// `zt-device ui` shows them), item commands from another process change the records, and it
// ends on WM_CLOSE or the service's end of the screensaver, rescheduling as it goes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include "contracts/item_command.h"
#include "contracts/main_program.h"
#include "contracts/service.h"
#include "core/notification_schedule.h"
#include "core/time_math.h"
#include "core/time_store.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"
#include "platform/kernel/process.h"
#include "platform/notify/user_notification.h"
#include "platform/registry/registry.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window_lookup.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/main_program_fixture.h"
#include "tests/service_e2e/running_device.h"

namespace {

namespace fs = std::filesystem;
namespace platform = zt::platform;
using zt::core::CAlarm;
using zt::core::SYSTEMTIME;
using zt::core::CTimer;
using zt::core::ItemType;
using zt::e2e::built_program;
using zt::e2e::eventually;
using zt::e2e::kPatience;
using zt::e2e::kMainProgram;
using zt::e2e::kStartLimit;
using zt::e2e::MainProgramEndToEnd;
using zt::e2e::run_program;
using zt::e2e::settings_key;
using zt::e2e::window_of;
using platform::registry::Key;
using platform::registry::Root;

std::optional<SYSTEMTIME> registered_alarm_notice() {
    const std::u16string application = zt::core::named_event_application(zt::contracts::kAlarmNotifyName);
    for (const auto& registration : platform::notify::list_user_notifications()) {
        if (registration.trigger.application == application) return registration.trigger.start;
    }
    return std::nullopt;
}

TEST_F(MainProgramEndToEnd, AnchorWindowIsFoundByClassAndWmCloseEndsTheProgramWhichReschedules) {
    zt::core::CTimeStore store;
    auto* alarm = static_cast<CAlarm*>(store.create_item(ItemType::Alarm, 1));
    alarm->alarm_time = zt::core::add_milliseconds(platform::local_time(), 3 * 3'600'000);
    alarm->flags = CAlarm::kDayMask;
    ASSERT_TRUE(alarm->save());

    start_main(u"");
    const auto found = platform::find_window(std::u16string_view(zt::contracts::kMainProgramClass));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->process_id, m_main->id());
    EXPECT_TRUE(platform::equal_ignoring_case(found->module_path, kMainProgram));
    EXPECT_TRUE(found->visible);
    EXPECT_TRUE(eventually([] { return registered_alarm_notice().has_value(); },
                           kPatience, "a registered alarm notice")) << "start-up registers the next alarm";

    zt::core::CNotificationScheduler().clear_all();
    ASSERT_FALSE(registered_alarm_notice());
    EXPECT_EQ(close_main(), 0u);
    EXPECT_TRUE(registered_alarm_notice()) << "the end of the main dialog reschedules";
    EXPECT_FALSE(platform::find_window(std::u16string_view(zt::contracts::kMainProgramClass)));
}

TEST_F(MainProgramEndToEnd, SecondCopyWithNewAlarmHandsItOverAndEndsWithoutWindows) {
    start_main(u"");
    const int first = m_main->id();

    // Every window the device shows while the second copy runs, by owner.
    std::atomic<bool> running { true };
    std::set<int> owners;
    std::mutex owners_mutex;
    std::thread watcher([&] {
        while (running) {
            for (const auto& window : platform::list_windows()) {
                std::lock_guard lock(owners_mutex);
                owners.insert(window.process_id);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    auto second = platform::Process::create(kMainProgram, u"NewAlarm");
    ASSERT_TRUE(second);
    const int second_id = second->id();
    ASSERT_EQ(second->wait(std::chrono::seconds(20)), platform::Process::WaitResult::Ended);
    running = false;
    watcher.join();
    EXPECT_EQ(second->exit_status().code, 0u);
    EXPECT_EQ(owners.count(second_id), 0u) << "the second copy showed a window";

    EXPECT_TRUE(eventually([&] { return window_of(first, u"Dialog", u"New Alarm").has_value(); },
                           kStartLimit, "the New Alarm dialog"))
        << "the first copy opened the alarm editor";
}

// The toolbar button (1..3) shown selected, as `zt-device ui` lists it; 0 for none.
int selected_toolbar_button() {
    const auto lines = zt::e2e::ui_lines();
    if (!lines) return 0;
    for (int button = 1; button <= 3; ++button) {
        const auto line = zt::e2e::find_line(*lines, "button", u"Button " + std::u16string(1, static_cast<char16_t>(u'0' + button)));
        if (line && line->has_state("selected")) return button;
    }
    return 0;
}

TEST_F(MainProgramEndToEnd, WorldClockSelectsTheClocksSetOnWorldTimeWhateverWasStored) {
    store_screens(1, 2, 5);
    start_main(u"WorldClock");
    EXPECT_EQ(selected_toolbar_button(), 3) << "world time is the clocks set's third button";
    EXPECT_EQ(close_main(), 0u);
    EXPECT_EQ(stored(u"ActiveScreenSet"), 0u);
    EXPECT_EQ(stored(u"ClocksActiveScreen"), 0u);
    EXPECT_EQ(stored(u"TimersActiveScreen"), 5u);
}

TEST_F(MainProgramEndToEnd, StoredSetTwoNormalisesToTheAnalogClockAndTheStopwatch) {
    store_screens(2, 0, 5);
    start_main(u"");
    EXPECT_EQ(selected_toolbar_button(), 1) << "the analog clock is the clocks set's first button";
    EXPECT_EQ(close_main(), 0u);
    EXPECT_EQ(stored(u"ActiveScreenSet"), 0u);
    EXPECT_EQ(stored(u"ClocksActiveScreen"), 1u);
    EXPECT_EQ(stored(u"TimersActiveScreen"), 3u);
}

TEST_F(MainProgramEndToEnd, ItemCommandsFromAnotherProcessChangeTheRecords) {
    zt::core::CTimeStore store;
    const auto in_hours = [](int hours) { return zt::core::add_milliseconds(platform::local_time(), hours * 3'600'000LL); };
    auto add_alarm = [&](int32_t id, uint32_t flags, SYSTEMTIME time) {
        auto* alarm = static_cast<CAlarm*>(store.create_item(ItemType::Alarm, id));
        alarm->alarm_time = time;
        alarm->flags = flags;
        EXPECT_TRUE(alarm->save());
    };
    add_alarm(1, CAlarm::kDayMask, in_hours(5));                      // snoozed, then disabled, then enabled
    add_alarm(2, CAlarm::kOneTime | CAlarm::kDayMask, in_hours(20));  // dismissed: deleted
    add_alarm(3, CAlarm::kDayMask, in_hours(6));                      // deleted
    auto* timer = static_cast<CTimer*>(store.create_item(ItemType::Timer, 4));
    timer->count_up = false;
    timer->interval = 7200;
    const auto an_hour_ago = in_hours(-1);
    timer->reset(an_hour_ago);
    timer->start(an_hour_ago);
    ASSERT_TRUE(timer->save());
    auto* stopwatch = static_cast<CTimer*>(store.create_item(ItemType::Timer, 5));
    stopwatch->reset(an_hour_ago);
    stopwatch->start(an_hour_ago);
    ASSERT_TRUE(stopwatch->save());

    start_main(u"");
    const auto command = [&](int32_t item, uint16_t number, uint16_t argument) {
        ASSERT_EQ(platform::post_message(anchor(), zt::contracts::kMsgItemCommand, static_cast<uint32_t>(item),
                                         zt::contracts::item_command_parameter(zt::contracts::ItemCommand(number), argument)),
                  platform::DeliveryStatus::Delivered);
    };
    const auto reload = [] {
        auto now = std::make_unique<zt::core::CTimeStore>();
        now->reload_all();
        return now;
    };
    command(2, 1, 0);  // dismiss a one-time alarm: deleted, value and all
    command(3, 4, 0);  // delete
    command(4, 3, 0);  // restart the count-down timer
    command(5, 2, 0);  // reset the stopwatch
    ASSERT_TRUE(eventually([&] {
        auto now = reload();
        return !now->find(2) && !now->find(3) && now->find_timer(5) && now->find_timer(5)->state == CTimer::kStopped;
    }, kPatience, "the commands to reach the records")) << "commands 1, 4 and 2 reach the records";
    {
        auto now = reload();
        ASSERT_NE(now->find_timer(4), nullptr);
        EXPECT_EQ(now->find_timer(4)->state, CTimer::kRunning);
        EXPECT_GT(zt::core::difference_ms(now->find_timer(4)->start_time, an_hour_ago), 3'000'000) << "restarted now";
    }

    // Snooze, disable and enable change only the main program's copy: the rescheduling at its
    // end shows which copy it kept. The stored alarm 1 is due in 5 hours, the restarted timer
    // in 2; a 10-minute snooze comes before both.
    const SYSTEMTIME before_snooze = platform::local_time();
    command(1, 0, 10);
    zt::core::CNotificationScheduler().clear_all();
    EXPECT_EQ(close_main(), 0u);
    const auto notice = registered_alarm_notice();
    ASSERT_TRUE(notice) << "rescheduled at the end";
    const int64_t ahead = zt::core::difference_ms(*notice, before_snooze);
    EXPECT_GT(ahead, 8 * 60'000) << "the snoozed alarm, 10 minutes on less the 30 s notice";
    EXPECT_LT(ahead, 11 * 60'000);
}

TEST_F(MainProgramEndToEnd, DisableAndEnableFollowTheCommands) {
    zt::core::CTimeStore store;
    auto* alarm = static_cast<CAlarm*>(store.create_item(ItemType::Alarm, 1));
    alarm->alarm_time = zt::core::add_milliseconds(platform::local_time(), 2 * 3'600'000);
    alarm->flags = CAlarm::kDayMask;
    ASSERT_TRUE(alarm->save());

    start_main(u"");
    platform::post_message(anchor(), zt::contracts::kMsgItemCommand, 1, zt::contracts::item_command_parameter(zt::contracts::ItemCommand::Disable, 0));
    zt::core::CNotificationScheduler().clear_all();
    EXPECT_EQ(close_main(), 0u);
    EXPECT_FALSE(registered_alarm_notice()) << "the only alarm was disabled in the program's copy";

    start_main(u"");
    platform::post_message(anchor(), zt::contracts::kMsgItemCommand, 1, zt::contracts::item_command_parameter(zt::contracts::ItemCommand::Disable, 0));
    platform::post_message(anchor(), zt::contracts::kMsgItemCommand, 1, zt::contracts::item_command_parameter(zt::contracts::ItemCommand::Enable, 0));
    zt::core::CNotificationScheduler().clear_all();
    EXPECT_EQ(close_main(), 0u);
    EXPECT_TRUE(registered_alarm_notice()) << "enabled again";
}

TEST_F(MainProgramEndToEnd, TheServicesEndOfTheScreensaverEndsScreensaverMode) {
    start_main(zt::contracts::kScreenSaverCommand);
    ASSERT_EQ(platform::post_message(anchor(), zt::contracts::kMsgEndScreenSaver), platform::DeliveryStatus::Delivered);
    ASSERT_EQ(m_main->wait(std::chrono::seconds(20)), platform::Process::WaitResult::Ended);
    EXPECT_EQ(m_main->exit_status().code, 0u);
}

// The city database is read-only: the running program shares it with every other reader.
TEST_F(MainProgramEndToEnd, ZtCitiesReadsTheCityDatabaseWhileTheProgramRuns) {
    start_main(u"");
    std::string out;
    EXPECT_EQ(run_program(built_program("zt-cities"), { "zip", "10001" }, &out), 0) << out;
    EXPECT_NE(out.find("New York"), std::string::npos) << out;
    EXPECT_EQ(close_main(), 0u);
}

// A FIFO where a data file belongs would wait for a writer forever; the program starts
// without that file's data instead, and zt-cities says it cannot read the database.
TEST_F(MainProgramEndToEnd, FifosInPlaceOfTheDataFilesNeverHangAReader) {
    const fs::path folder = device.root() / "Program Files" / "Zun Time";
    for (const char* name : { "FavList.dat", "TimeCitiesDB.dat" }) {
        fs::remove(folder / name);
        ASSERT_EQ(mkfifo((folder / name).c_str(), 0600), 0) << name;
    }
    start_main(u"");
    EXPECT_EQ(close_main(), 0u);
    // Bounded by timeout(1): a hung reader shows as its exit code 124.
    std::string out;
    EXPECT_EQ(run_program("/usr/bin/timeout", { "20", built_program("zt-cities").string(), "--db",
                                                (folder / "TimeCitiesDB.dat").string(), "countries" }, &out),
              2)
        << out;
}

TEST_F(MainProgramEndToEnd, StartingAnEditorFromTheCommandLineShowsOnlyThatDialog) {
    // The editor opens only for an alarm that exists.
    std::string added;
    ASSERT_EQ(run_program(built_program("zt-alarm"), { "--root", device.root().string(), "add", "07:00" }, &added), 0);
    ASSERT_EQ(added, "1\n");
    start_main(u"EditAlarm 1", false);
    const int id = m_main->id();
    ASSERT_TRUE(eventually([&] { return window_of(id, u"Dialog", u"Alarm Options").has_value(); },
                           kStartLimit, "the Alarm Options dialog"));
    EXPECT_FALSE(window_of(id, u"Dialog", u"Zun Time")) << "no main dialog";
    EXPECT_EQ(close_main(), 0u);
}

}  // namespace
