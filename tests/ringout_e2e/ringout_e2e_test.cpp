// A due alarm or timer rung end to end with the main program closed: the service starts
// Ringout, which plays the sound (into the audio log), answers by the item's kind or by a
// command sent to its window, tells a stand-in main program, reschedules and ends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <vector>

#include "contracts/item_command.h"
#include "contracts/main_program.h"
#include "contracts/registry_keys.h"
#include "contracts/ringout.h"
#include "contracts/service.h"
#include "core/alarm.h"
#include "core/notification_schedule.h"
#include "core/time_math.h"
#include "core/time_store.h"
#include "core/timer.h"
#include "platform/audio/testing/log_reader.h"
#include "platform/audio/testing/make_wave.h"
#include "platform/base/clock.h"
#include "platform/base/device_path.h"
#include "platform/base/text.h"
#include "platform/kernel/process.h"
#include "platform/notify/user_notification.h"
#include "platform/registry/registry.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window.h"
#include "platform/windows/window_lookup.h"
#include "tests/service_e2e/running_device.h"

namespace {

namespace fs = std::filesystem;
using zt::core::CAlarm;
using zt::core::CTimer;
using zt::core::ItemType;
using zt::core::SYSTEMTIME;
using zt::e2e::built_program;
using zt::e2e::eventually;
using zt::e2e::kPatience;
using zt::e2e::run_program;

constexpr char16_t kSound[] = u"\\My Documents\\beep.wav";
constexpr std::chrono::seconds kRingLimit { 20 };

struct Posted {
    uint32_t item;
    uint32_t command;  // high 16 bits command, low 16 argument
    bool operator==(const Posted&) const = default;
};

class RingoutEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(fs::path(ZT_PACKAGE_DIR) / "manifest.txt")) << "the package is not laid out";
        m_log = device.root() / "audio.log";
        ::setenv("ZT_AUDIO", ("log:" + m_log.string()).c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        ASSERT_TRUE(device.start());
        ASSERT_EQ(zt::e2e::install_in_english(device.root(), ZT_PACKAGE_DIR), 0);
        const auto sound = zt::platform::map_device_path(kSound);
        ASSERT_TRUE(sound);
        ASSERT_TRUE(zt::platform::audio::testing::write_file(*sound, zt::platform::audio::testing::make_wave(300)));
        // A stand-in for the main program's window, reading what Ringout posts.
        m_main = zt::platform::Window::create(zt::contracts::kMainProgramClass, u"Zun Time",
                                              [](zt::platform::Window&, const zt::platform::Message&) {
                                                  return std::optional<uint32_t> {};
                                              });
        ASSERT_TRUE(m_main);
    }
    void TearDown() override {
        EXPECT_TRUE(eventually([] { return !ringout_window(zt::contracts::kRingoutClassPrefix); },
                               kRingLimit, "Ringout to end")) << "Ringout is still running";
        ::unsetenv("ZT_AUDIO");
    }

    static std::optional<zt::platform::WindowInfo> ringout_window(std::u16string_view class_prefix) {
        for (const auto& window : zt::platform::find_windows_by_class_prefix(class_prefix)) {
            if (zt::platform::equal_ignoring_case(window.module_path, zt::contracts::kRingoutPath)) return window;
        }
        return std::nullopt;
    }
    std::vector<Posted> posted() {
        while (auto message = m_main->next_posted()) {
            if (message->number == zt::contracts::kMsgItemCommand) m_posted.push_back({ message->wparam, message->lparam });
        }
        return m_posted;
    }
    size_t plays() const {
        size_t count = 0;
        for (const auto& line : zt::platform::audio::testing::read_log(m_log)) count += line.starts_with("play ");
        return count;
    }
    SYSTEMTIME in_seconds(int seconds) const {
        SYSTEMTIME due = zt::core::add_milliseconds(zt::platform::local_time(), seconds * 1000);
        due.wMilliseconds = 0;
        return due;
    }
    static void set_sound(zt::core::CTimeItem& item) {
        item.sound_action()->set_sound_file(kSound);
        item.sound_action()->repeat_mode = 0;
        item.sound_action()->repeat_value = 1;
        item.sound_action()->volume_mode = 0;
    }
    CAlarm& add_alarm(int32_t id, const SYSTEMTIME& due, uint32_t kind, bool one_time = false) {
        auto* alarm = static_cast<CAlarm*>(store.create_item(ItemType::Alarm, id));
        alarm->alarm_time = due;
        alarm->flags = one_time ? CAlarm::kOneTime | CAlarm::kDayMask : CAlarm::kDayMask;
        alarm->kind = kind;
        set_sound(*alarm);
        EXPECT_TRUE(alarm->save());
        return *alarm;
    }
    // As the main program does after a change: the service then starts Ringout for it.
    void schedule() { ASSERT_TRUE(zt::core::schedule(store)); }
    bool posted_count_at_least(size_t count) {
        return eventually([&] { return posted().size() >= count; }, kRingLimit, "the posted alarm messages");
    }

    zt::e2e::DeviceWithService device;
    zt::core::CTimeStore store;
    std::unique_ptr<zt::platform::Window> m_main;
    std::vector<Posted> m_posted;
    fs::path m_log;
};

TEST_F(RingoutEndToEnd, AutoDismissAlarmRingsTellsTheMainProgramAndRingoutEnds) {
    add_alarm(1, in_seconds(4), CAlarm::kKindAutoDismiss);
    schedule();
    ASSERT_TRUE(eventually([] { return ringout_window(zt::contracts::kRingoutClassPrefix).has_value(); },
                           kRingLimit, "the Ringout window")) << "the service starts Ringout";
    ASSERT_TRUE(posted_count_at_least(1));
    EXPECT_EQ(posted(), (std::vector<Posted> { { 1, 1u << 16 } }));
    EXPECT_EQ(plays(), 1u);
    EXPECT_NE(zt::platform::audio::testing::read_log(m_log).at(0).find("My Documents\\beep.wav"), std::string::npos);
    EXPECT_TRUE(eventually([] { return !ringout_window(zt::contracts::kRingoutClassPrefix); },
                           kRingLimit, "Ringout to end")) << "nothing due within 40 s";
    zt::core::CTimeStore after;
    after.reload_all();
    ASSERT_NE(after.find_alarm(1), nullptr);
    EXPECT_FALSE(after.find_alarm(1)->snoozed);
}

TEST_F(RingoutEndToEnd, OneTimeAlarmPostsDismissThenDeleteAndItsValueIsGone) {
    add_alarm(2, in_seconds(3), CAlarm::kKindAutoDismiss, true);
    schedule();
    ASSERT_TRUE(posted_count_at_least(2));
    EXPECT_EQ(posted(), (std::vector<Posted> { { 2, 1u << 16 }, { 2, 4u << 16 } }));
    zt::core::CTimeStore after;
    after.reload_all();
    EXPECT_EQ(after.find(2), nullptr);
}

TEST_F(RingoutEndToEnd, TwoAlarmsInTheSameSecondRingInStoreOrder) {
    const SYSTEMTIME due = in_seconds(4);
    add_alarm(5, due, CAlarm::kKindAutoDismiss);
    add_alarm(6, due, CAlarm::kKindAutoDismiss);
    std::vector<uint32_t> order;
    store.for_each([&](const zt::core::CTimeItem& item) { order.push_back(static_cast<uint32_t>(item.id())); });
    schedule();
    ASSERT_TRUE(posted_count_at_least(2));
    EXPECT_EQ(posted(), (std::vector<Posted> { { order[0], 1u << 16 }, { order[1], 1u << 16 } }));
    EXPECT_EQ(plays(), 2u);
}

TEST_F(RingoutEndToEnd, CountdownTimerOfKindOneRestarts) {
    auto* timer = static_cast<CTimer*>(store.create_item(ItemType::Timer, 9));
    timer->count_up = false;
    timer->interval = 4;
    timer->kind = CTimer::kKindAutoRestart;
    set_sound(*timer);
    const SYSTEMTIME started = zt::platform::local_time();
    timer->reset(started);
    timer->start(started);
    ASSERT_TRUE(timer->save());
    schedule();
    ASSERT_TRUE(posted_count_at_least(1));
    EXPECT_EQ(posted().front(), (Posted { 9, 3u << 16 }));
    zt::core::CTimeStore after;
    after.reload_all();
    const CTimer* restarted = after.find_timer(9);
    ASSERT_NE(restarted, nullptr);
    EXPECT_EQ(restarted->state, CTimer::kRunning);
    // Rung up to a second early (the due check looks a second ahead) and the start time is
    // kept in whole seconds, so the restart lies at least 2 s after the first start.
    EXPECT_GE(zt::core::difference_ms(restarted->start_time, started), 2000) << "restarted when it rang";
    // Stop it, as the user would in the main program, so Ringout can end.
    timer->kind = CTimer::kKindNormal;
    timer->reset(zt::platform::local_time());
    ASSERT_TRUE(timer->save());
}

TEST_F(RingoutEndToEnd, SnoozeFromTheMenuAndASecondCopyExitsWhileTheFirstRings) {
    add_alarm(3, in_seconds(3), CAlarm::kKindWait);
    schedule();
    std::optional<zt::platform::WindowInfo> ringing;
    ASSERT_TRUE(eventually([&] { return (ringing = ringout_window(u"Dialog")) && ringing->visible; },
                           kRingLimit, "the visible ringing dialog"));

    const auto second = zt::platform::map_device_path(zt::contracts::kRingoutPath);
    ASSERT_TRUE(second);
    EXPECT_EQ(run_program(*second, {}), 255) << "exit code -1, kept to 8 bits";
    EXPECT_TRUE(posted().empty()) << "the second copy touched nothing";

    constexpr uint32_t kSnoozeTenMinutes = 0xE002;
    const SYSTEMTIME before = zt::platform::local_time();
    ASSERT_EQ(zt::platform::post_message(ringing->handle, zt::platform::WM_COMMAND, kSnoozeTenMinutes, 0),
              zt::platform::DeliveryStatus::Delivered);
    ASSERT_TRUE(posted_count_at_least(1));
    EXPECT_EQ(posted(), (std::vector<Posted> { { 3, 10 } }));
    zt::core::CTimeStore after;
    after.reload_all();
    const CAlarm* snoozed = after.find_alarm(3);
    ASSERT_NE(snoozed, nullptr);
    EXPECT_TRUE(snoozed->snoozed);
    const int64_t ahead = zt::core::difference_ms(snoozed->snooze_until, before);
    EXPECT_GT(ahead, 9 * 60'000);
    EXPECT_LE(ahead, 10 * 60'000 + 5'000);
}

TEST_F(RingoutEndToEnd, CloseMessageEndsARingingRingout) {
    add_alarm(14, in_seconds(3), CAlarm::kKindWait);
    schedule();
    ASSERT_TRUE(eventually([&] { return posted().empty() && plays() >= 1; },
                           kRingLimit, "the posted messages to be taken and a sound played"));
    const auto frame = ringout_window(zt::contracts::kRingoutClassPrefix);
    ASSERT_TRUE(frame);
    ASSERT_EQ(zt::platform::post_message(frame->handle, 0x0010), zt::platform::DeliveryStatus::Delivered);
    EXPECT_TRUE(eventually([] { return !ringout_window(zt::contracts::kRingoutClassPrefix); }, std::chrono::seconds(5), "Ringout to end"))
        << "ended well before the installer would end it by force";
    EXPECT_TRUE(posted().empty()) << "closing is no answer";
}

// The device's registration that started Ringout is used up when it fires; a Ringout that
// dies before its own end would leave nothing registered, for every later alarm.
TEST_F(RingoutEndToEnd, AKilledRingingRingoutLeavesTheNextAlarmRegistered) {
    add_alarm(20, in_seconds(3), CAlarm::kKindWait);
    const SYSTEMTIME later = in_seconds(2 * 3600);
    add_alarm(21, later, CAlarm::kKindWait);
    schedule();
    std::optional<zt::platform::WindowInfo> ringing;
    ASSERT_TRUE(eventually([&] { return (ringing = ringout_window(u"Dialog")) && ringing->visible; },
                           kRingLimit, "the visible ringing dialog"));
    auto ringout = zt::platform::Process::open(ringing->process_id);
    ASSERT_TRUE(ringout);
    ASSERT_TRUE(ringout->terminate(137));  // kill -9
    const std::u16string alarm_notice = zt::core::named_event_application(zt::contracts::kAlarmNotifyName);
    const auto registered = [&] {
        std::vector<SYSTEMTIME> starts;
        for (const auto& registration : zt::platform::notify::list_user_notifications())
            if (registration.trigger.application == alarm_notice) starts.push_back(registration.trigger.start);
        return starts;
    };
    ASSERT_TRUE(eventually([&] { return !registered().empty(); },
                           kRingLimit, "a registered notification")) << "nothing registered after the kill";
    const auto starts = registered();
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(zt::core::difference_ms(starts[0], later), -30'000) << "the next alarm, 30 s ahead";
}

TEST_F(RingoutEndToEnd, NotifyClosesARunningMainProgramPolitely) {
    auto product = zt::platform::registry::Key::open(zt::platform::registry::Root::CurrentUser, zt::contracts::kProductKeyPath);
    ASSERT_TRUE(product);
    const auto app_path = product->get_string(zt::contracts::kAppPathValue);
    ASSERT_TRUE(app_path && !app_path->empty());
    // A stand-in main program at "AppPath": it shows the anchor window until asked to close.
    ASSERT_TRUE(device.install_stand_in(*app_path));
    auto main_program = zt::platform::Process::create(*app_path, u"");
    ASSERT_TRUE(main_program);
    const auto anchor = [&] {
        for (const auto& window : zt::platform::find_windows_by_class_prefix(zt::contracts::kMainProgramClass))
            if (zt::platform::equal_ignoring_case(window.module_path, *app_path)) return true;
        return false;
    };
    ASSERT_TRUE(eventually(anchor,
                           kRingLimit, "the stand-in main program's anchor window"))
        << "the stand-in main program did not come up";

    const auto ringout = zt::platform::map_device_path(zt::contracts::kRingoutPath);
    ASSERT_TRUE(ringout);
    EXPECT_EQ(run_program(*ringout, { "notify" }), 0);
    EXPECT_FALSE(anchor()) << "the main program was not closed";
    const auto lines = device.started_lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_TRUE(lines.back().ends_with("\tended")) << "closed by its own message loop, not killed: " << lines.back();
    EXPECT_TRUE(zt::platform::is_window(m_main->handle())) << "a window of that class in another program is left alone";
    if (main_program->wait(std::chrono::milliseconds(0)) != zt::platform::Process::WaitResult::Ended) main_program->terminate(1);
}

TEST_F(RingoutEndToEnd, NotifyResetsEveryTimerRegistersAndEndsWithoutAWindow) {
    auto* timer = static_cast<CTimer*>(store.create_item(ItemType::Timer, 12));
    timer->count_up = false;
    timer->interval = 600;
    set_sound(*timer);
    timer->start(zt::platform::local_time());
    ASSERT_TRUE(timer->save());
    add_alarm(13, in_seconds(3600), CAlarm::kKindWait);

    const auto ringout = zt::platform::map_device_path(zt::contracts::kRingoutPath);
    ASSERT_TRUE(ringout);
    EXPECT_EQ(run_program(*ringout, { "notify" }), 0);
    zt::core::CTimeStore after;
    after.reload_all();
    ASSERT_NE(after.find_timer(12), nullptr);
    EXPECT_EQ(after.find_timer(12)->state, CTimer::kStopped);
    EXPECT_TRUE(m_posted.empty() && posted().empty());
    EXPECT_EQ(plays(), 0u);
    auto settings = zt::platform::registry::Key::open(zt::platform::registry::Root::CurrentUser, zt::contracts::kSettingsKeyPath);
    ASSERT_TRUE(settings);
    EXPECT_TRUE(settings->get_dword(zt::contracts::kAlarmNotifyName)) << "the alarm in an hour is registered";
}

}  // namespace
