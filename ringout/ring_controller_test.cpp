#include "ringout/ring_controller.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>
#include <vector>

#include "contracts/item_command.h"
#include "core/alarm.h"
#include "core/time_math.h"
#include "core/timer.h"
#include "platform/base/clock.h"
#include "platform/testing/temp_device_root.h"

namespace zt::ringout {
namespace {

using zt::core::CAlarm;
using zt::core::CTimer;
using zt::core::ItemType;
using zt::core::SYSTEMTIME;

// Ends its sounds as the sound manager does: a playback that ends, played out or stopped,
// posts one end message, which the program's message loop delivers later (deliver_ended).
class FakeSound final : public RingSound {
public:
    uint64_t play(const sound::SoundRequest& request) override {
        plays.push_back(request);
        end();  // the manager stops what played before
        playing = true;
        return ++playback;
    }
    void stop() override {
        ++stops;
        end();
    }
    bool is_playing() const override { return playing; }
    // The playback ends by itself (played out, playing time over, failed).
    void end() {
        if (!playing) return;
        playing = false;
        posted_ends.push_back(playback);
    }
    std::vector<sound::SoundRequest> plays;
    int stops { 0 };
    bool playing { false };
    uint64_t playback { 0 };
    std::vector<uint64_t> posted_ends;  // not yet delivered
};

using Command = std::tuple<int32_t, zt::contracts::ItemCommand, uint32_t>;

class FakeHost final : public RingHost {
public:
    void post_item_command(int32_t id, zt::contracts::ItemCommand command, uint32_t argument) override {
        commands.emplace_back(id, command, argument);
    }
    void remember_foreground() override { ++remembered; }
    void restore_foreground() override { ++restored; }
    void show_ringing(const RingEntry& entry) override {
        shown.push_back(entry);
        visible = true;
    }
    void hide_ringing() override { visible = false; }
    void destroy_ringing() override { visible = false; }
    void register_next_due(const zt::core::DueItem& due) override {
        registered = true;
        registered_item = due.item ? due.item->id() : -1;
    }
    void quit() override { ++quits; }

    std::vector<Command> commands;
    std::vector<RingEntry> shown;
    bool visible { false };
    int remembered { 0 };
    int restored { 0 };
    bool registered { false };
    int32_t registered_item { 0 };
    int quits { 0 };
};

// Monday 2009-03-02 12:00:00.000.
constexpr SYSTEMTIME kNoon { 2009, 3, 1, 2, 12, 0, 0, 0 };

class RingControllerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.path().empty()); }

    CAlarm& save_alarm(int32_t id, uint16_t second, uint32_t flags = CAlarm::kDayMask, uint32_t kind = 0) {
        auto* alarm = static_cast<CAlarm*>(m_store.create_item(ItemType::Alarm, id));
        EXPECT_NE(alarm, nullptr);
        alarm->alarm_time = SYSTEMTIME { 2009, 3, 1, 2, 12, 0, second, 0 };
        alarm->flags = flags;
        alarm->kind = kind;
        alarm->snooze_minutes = 7;
        set_sound(*alarm);
        EXPECT_TRUE(alarm->save());
        return *alarm;
    }
    CTimer& save_running_timer(int32_t id, uint32_t seconds, uint32_t kind) {
        auto* timer = static_cast<CTimer*>(m_store.create_item(ItemType::Timer, id));
        EXPECT_NE(timer, nullptr);
        timer->count_up = false;
        timer->interval = seconds;
        timer->slot_index = 2;
        timer->kind = kind;
        timer->reset(kNoon);
        timer->start(kNoon);
        set_sound(*timer);
        EXPECT_TRUE(timer->save());
        return *timer;
    }
    static void set_sound(zt::core::CTimeItem& item) {
        item.sound_action()->set_sound_file(u"\\My Documents\\beep.wav");
        item.sound_action()->repeat_mode = 0;
        item.sound_action()->repeat_value = 1;
    }
    void advance_and_check(int64_t ms) {
        m_clock.advance_ms(ms);
        m_controller.DueCheck();
    }
    // The message loop hands the posted end messages to the controller.
    void deliver_ended() {
        const std::vector<uint64_t> ends = std::exchange(m_sound.posted_ends, {});
        for (uint64_t playback : ends) m_controller.OnSoundEnded(playback);
    }
    void sound_plays_out() {
        m_sound.end();
        deliver_ended();
    }
    std::vector<int32_t> shown_ids() const {
        std::vector<int32_t> ids;
        for (const auto& entry : m_host.shown) ids.push_back(entry.item_id);
        return ids;
    }

    zt::platform::testing::TempDeviceRoot m_root;
    zt::platform::ManualClock m_clock { kNoon };
    zt::platform::ScopedClockOverride m_override { m_clock };
    zt::core::CTimeStore m_store;
    FakeSound m_sound;
    FakeHost m_host;
    CRingController m_controller { m_store, m_sound, m_host };
};

TEST_F(RingControllerTest, DueAlarmRingsWithItsSoundAndDismissPostsCommandOne) {
    save_alarm(5, 3);
    m_controller.DueCheck();
    EXPECT_TRUE(m_host.shown.empty()) << "3 s away is beyond the 1 s look-ahead";
    EXPECT_EQ(m_host.quits, 0) << "something is due within 40 s";

    advance_and_check(2500);
    ASSERT_EQ(shown_ids(), std::vector<int32_t> { 5 });
    EXPECT_EQ(m_host.shown[0].title, u"Alarm");
    ASSERT_EQ(m_sound.plays.size(), 1u);
    EXPECT_EQ(m_sound.plays[0].sound_file, u"\\My Documents\\beep.wav");

    m_controller.Dismiss();
    EXPECT_EQ(m_host.commands, (std::vector<Command> { { 5, zt::contracts::ItemCommand::Dismiss, 0 } }));
    EXPECT_FALSE(m_host.visible);
    EXPECT_EQ(m_sound.stops, 1);
    EXPECT_EQ(m_host.restored, 1);

    advance_and_check(1500);
    EXPECT_EQ(shown_ids().size(), 1u) << "an answered alarm must not ring again in the same minute";
    EXPECT_EQ(m_host.quits, 1) << "the next ringing is tomorrow";
    EXPECT_EQ(m_host.registered_item, 5);
}

TEST_F(RingControllerTest, OneTimeAlarmPostsDismissThenDeleteAndItsValueIsGone) {
    save_alarm(8, 1, CAlarm::kOneTime | CAlarm::kDayMask);
    advance_and_check(500);
    ASSERT_EQ(shown_ids(), std::vector<int32_t> { 8 });
    m_controller.Dismiss();
    EXPECT_EQ(m_host.commands, (std::vector<Command> { { 8, zt::contracts::ItemCommand::Dismiss, 0 },
                                                        { 8, zt::contracts::ItemCommand::Delete, 0 } }));
    zt::core::CTimeStore other;
    other.reload_all();
    EXPECT_EQ(other.find(8), nullptr);
    advance_and_check(500);
    EXPECT_EQ(m_host.quits, 1);
    EXPECT_EQ(m_host.registered_item, -1) << "nothing is left to register";
}

TEST_F(RingControllerTest, TwoAlarmsInTheSameSecondRingOneAfterTheOtherInStoreOrder) {
    save_alarm(11, 1);
    save_alarm(12, 1);
    std::vector<int32_t> store_order;
    m_store.for_each([&](const zt::core::CTimeItem& item) { store_order.push_back(item.id()); });

    advance_and_check(500);
    EXPECT_EQ(shown_ids(), std::vector<int32_t> { store_order[0] });
    EXPECT_EQ(m_controller.queued(), 1u);

    advance_and_check(500);
    EXPECT_EQ(shown_ids().size(), 1u) << "the second waits while the first rings";

    m_controller.Dismiss();
    EXPECT_EQ(shown_ids(), store_order) << "the answer takes up the waiting alarm at once";
    EXPECT_TRUE(m_host.visible);
    EXPECT_EQ(m_sound.plays.size(), 2u);
    m_controller.Dismiss();
    EXPECT_EQ(m_host.commands.size(), 2u);
    advance_and_check(500);
    EXPECT_EQ(m_host.quits, 1);
}

TEST_F(RingControllerTest, SnoozeFromTheMenuStoresTheSnoozeTimeAndPostsItsMinutes) {
    save_alarm(3, 1);
    advance_and_check(1000);
    m_controller.Snooze(10);
    EXPECT_EQ(m_host.commands, (std::vector<Command> { { 3, zt::contracts::ItemCommand::Snooze, 10 } }));
    zt::core::CTimeStore other;
    other.reload_all();
    const CAlarm* stored = other.find_alarm(3);
    ASSERT_NE(stored, nullptr);
    EXPECT_TRUE(stored->snoozed);
    EXPECT_EQ(stored->snooze_until.wHour, 12);
    EXPECT_EQ(stored->snooze_until.wMinute, 10);

    // The button's snooze (0) takes the alarm's own minutes.
    m_clock.set_local(SYSTEMTIME { 2009, 3, 1, 2, 12, 10, 0, 0 });
    m_controller.DueCheck();
    ASSERT_EQ(shown_ids(), (std::vector<int32_t> { 3, 3 }));
    m_controller.Snooze(0);
    EXPECT_EQ(m_host.commands.back(), (Command { 3, zt::contracts::ItemCommand::Snooze, 7 }));
}

TEST_F(RingControllerTest, EndOfSoundAppliesTheItemsKind) {
    save_alarm(1, 1, CAlarm::kDayMask, CAlarm::kKindAutoDismiss);
    advance_and_check(1000);
    sound_plays_out();
    EXPECT_EQ(m_host.commands, (std::vector<Command> { { 1, zt::contracts::ItemCommand::Dismiss, 0 } }));
    EXPECT_EQ(m_controller.current().item_id, 0);
    EXPECT_EQ(m_sound.stops, 0) << "the sound has already ended";

    save_alarm(2, 3, CAlarm::kDayMask, CAlarm::kKindAutoSnooze);
    advance_and_check(2000);
    sound_plays_out();
    EXPECT_EQ(m_host.commands.back(), (Command { 2, zt::contracts::ItemCommand::Snooze, 7 }));

    save_alarm(4, 5, CAlarm::kDayMask, CAlarm::kKindWait);
    advance_and_check(2000);
    sound_plays_out();
    EXPECT_EQ(m_controller.current().item_id, 4) << "kind 0 stays on screen, silent";
    EXPECT_TRUE(m_controller.current().sound_finished);
    EXPECT_EQ(m_host.commands.size(), 2u);
    advance_and_check(60'000);
    EXPECT_EQ(m_host.quits, 0) << "never ends while an item is current";
}

TEST_F(RingControllerTest, CountdownTimerOfKindOneRestartsWhenItsSoundEnds) {
    save_running_timer(20, 2, CTimer::kKindAutoRestart);
    advance_and_check(1500);
    ASSERT_EQ(shown_ids(), std::vector<int32_t> { 20 });
    EXPECT_EQ(m_host.shown[0].title, u"Timer 3");
    EXPECT_EQ(m_host.shown[0].time.wSecond, 2);
    m_clock.advance_ms(400);
    sound_plays_out();
    EXPECT_EQ(m_host.commands, (std::vector<Command> { { 20, zt::contracts::ItemCommand::RestartTimer, 0 } }));
    zt::core::CTimeStore other;
    other.reload_all();
    const CTimer* stored = other.find_timer(20);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->state, CTimer::kRunning);
    EXPECT_EQ(stored->start_time.wSecond, 1) << "restarted from the current time";
}

TEST_F(RingControllerTest, TimerDismissResetsItAndRestartIsNotOfferedForAlarms) {
    save_running_timer(21, 1, CTimer::kKindNormal);
    advance_and_check(800);
    m_controller.Snooze(5);
    EXPECT_TRUE(m_host.commands.empty()) << "a timer is not snoozed";
    m_controller.Dismiss();
    EXPECT_EQ(m_host.commands, (std::vector<Command> { { 21, zt::contracts::ItemCommand::ResetTimer, 0 } }));
    zt::core::CTimeStore other;
    other.reload_all();
    EXPECT_EQ(other.find_timer(21)->state, CTimer::kStopped);

    save_alarm(22, 3);
    advance_and_check(2000);
    m_controller.Restart();
    EXPECT_EQ(m_host.commands.size(), 1u) << "an alarm is not restarted";
    EXPECT_EQ(m_controller.current().item_id, 22);
}

TEST_F(RingControllerTest, StaysResidentFor39SecondsButEndsAt41) {
    save_alarm(30, 39);
    m_controller.DueCheck();
    EXPECT_EQ(m_host.quits, 0);
    zt::core::CTimeStore other;
    other.reload_all();
    other.find_alarm(30)->alarm_time.wSecond = 41;
    other.find_alarm(30)->save();
    m_controller.DueCheck();
    EXPECT_EQ(m_host.quits, 1);
    EXPECT_EQ(m_host.registered_item, 30);
}

TEST_F(RingControllerTest, AnEntryWhoseRecordVanishedWhileWaitingIsSkipped) {
    save_alarm(40, 1);
    save_alarm(41, 1);
    std::vector<int32_t> store_order;
    m_store.for_each([&](const zt::core::CTimeItem& item) { store_order.push_back(item.id()); });
    advance_and_check(500);
    ASSERT_EQ(m_controller.queued(), 1u);
    {
        zt::core::CTimeStore other;
        other.reload_all();
        other.remove(store_order[1]);
    }
    advance_and_check(200);
    m_controller.Dismiss();
    EXPECT_EQ(m_controller.current().item_id, 0);
    EXPECT_EQ(m_controller.queued(), 0u);
    advance_and_check(500);
    EXPECT_EQ(m_host.quits, 1) << "a vanished entry must not keep the program alive";
}

TEST_F(RingControllerTest, TheEndOfAnAnsweredSoundDoesNotAnswerTheNextItem) {
    save_alarm(50, 1, CAlarm::kDayMask, CAlarm::kKindAutoDismiss);
    save_alarm(51, 1, CAlarm::kDayMask, CAlarm::kKindAutoSnooze);
    std::vector<int32_t> store_order;
    m_store.for_each([&](const zt::core::CTimeItem& item) { store_order.push_back(item.id()); });
    advance_and_check(500);
    ASSERT_EQ(shown_ids(), std::vector<int32_t> { store_order[0] });

    m_controller.Dismiss();
    ASSERT_EQ(m_controller.current().item_id, store_order[1]) << "the waiting alarm rings at once";
    deliver_ended();  // the first sound's end, posted by the answer's stop
    EXPECT_EQ(m_controller.current().item_id, store_order[1]) << "the second alarm still rings, unanswered";
    EXPECT_FALSE(m_controller.current().sound_finished);
    EXPECT_EQ(m_host.commands.size(), 1u) << "only the first alarm was answered";

    sound_plays_out();  // the second sound ends by itself: now its kind answers it
    EXPECT_EQ(m_host.commands.size(), 2u);
    EXPECT_EQ(std::get<0>(m_host.commands.back()), store_order[1]);
}

TEST_F(RingControllerTest, ASilentUnansweredItemIsNotOvertakenByTheNextDueItem) {
    save_alarm(60, 1, CAlarm::kDayMask, CAlarm::kKindWait);
    save_alarm(61, 3, CAlarm::kDayMask, CAlarm::kKindAutoDismiss);
    advance_and_check(500);
    ASSERT_EQ(shown_ids(), std::vector<int32_t> { 60 });
    sound_plays_out();
    ASSERT_TRUE(m_controller.current().sound_finished) << "silent, on screen";

    advance_and_check(2000);
    EXPECT_EQ(m_controller.current().item_id, 60) << "the silent alarm waits for its answer";
    EXPECT_EQ(m_controller.queued(), 1u) << "the next one waits in the queue";
    EXPECT_EQ(m_sound.plays.size(), 1u);

    m_controller.Snooze(0);
    EXPECT_EQ(m_host.commands.front(), (Command { 60, zt::contracts::ItemCommand::Snooze, 7 }));
    EXPECT_EQ(m_controller.current().item_id, 61) << "the answer takes up the waiting alarm";
    EXPECT_EQ(m_sound.plays.size(), 2u);
}

TEST_F(RingControllerTest, AnswersWithoutACurrentItemDoNothing) {
    m_controller.Snooze(5);
    m_controller.Dismiss();
    m_controller.Restart();
    m_controller.OnSoundEnded(1);
    EXPECT_TRUE(m_host.commands.empty());
    EXPECT_EQ(m_sound.stops, 0);
}

}  // namespace
}  // namespace zt::ringout
