// The stopwatch, the time counters and the countdown timers on the shipped Default skin with a
// clock that moves only when told: slot binding, actions and taps on the records, what is saved,
// when the screens wake, and the stopwatch's picture.
#include "app/frame/countdown_screen.h"
#include "app/frame/stopwatch_screen.h"
#include "app/frame/testing/screen_test.h"
#include "app/frame/time_counters_screen.h"

#include <gtest/gtest.h>

#include <QAction>

#include "app/model/entered_intervals.h"
#include "core/timer.h"

namespace zt::app {
namespace {

namespace fs = std::filesystem;

class TimerScreensTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        m_store.set_reschedule_hook([this](core::CTimeStore&) { ++m_reschedules; });
        fs::create_directories(m_root.path() / "My Documents");
    }
    template <class Screen>
    void show(Screen& screen) {
        screen.set_keep_awake([this](bool) { ++m_keep_awakes; });
        screen.set_lap_file_ui({ {}, [this](std::u16string_view text) { m_errors.emplace_back(text); } });
        screen.on_refresh_needs_changed([this] { ++m_refresh_changes; });
        screen.set_layout({ { 0, 0, 240, 266 }, false, false, false, false });
        ASSERT_TRUE(screen.activate());
        screen.redraw();
    }
    // The stored record of an id, as another process would read it.
    static std::unique_ptr<core::CTimer> stored(int32_t id) {
        auto timer = std::make_unique<core::CTimer>(id);
        EXPECT_TRUE(timer->load()) << id;
        return timer;
    }
    ScreenSources sources_with_hooks() {
        ScreenSources with = sources();
        with.edit_timer = m_sources_edit;
        with.show_timer_laps = m_sources_laps;
        return with;
    }
    static skins::Point centre(const skins::Rect& r) { return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 }; }
    static skins::Point centre_in_row(const TimerRowsLayout& rows, int slot, const skins::Rect& r) {
        const skins::Rect row = rows.row(slot);
        return centre(offset(r, { row.left, row.top }));
    }

    int m_reschedules { 0 };
    int m_keep_awakes { 0 };
    int m_refresh_changes { 0 };
    std::vector<std::u16string> m_errors;
    std::function<bool(QWidget*, core::CTimer&)> m_sources_edit;
    std::function<void(QWidget*, const core::CTimer&)> m_sources_laps;
};

TEST_F(TimerScreensTest, CountdownSlotsTakeStoredRecordsBySlotAndMakeTheRestWithThePresets) {
    auto* mine = static_cast<core::CTimer*>(m_store.create_item(core::ItemType::Timer, 40));
    mine->count_up = false;
    mine->slot_index = 2;
    mine->interval = 99;
    auto* counter = static_cast<core::CTimer*>(m_store.create_item(core::ItemType::Timer, 41));
    counter->slot_index = 0;
    CCountdownScreen screen(sources());
    show(screen);
    ASSERT_EQ(screen.slot_timer(2), mine);
    EXPECT_GE(m_reschedules, 1);
    const uint32_t presets[] = { 30, 60, 99, 600, 1800 };
    for (int slot = 0; slot < 5; ++slot) {
        const core::CTimer* timer = screen.slot_timer(slot);
        ASSERT_NE(timer, nullptr) << slot;
        EXPECT_NE(timer, counter) << "a counter never sits on the countdown screen";
        EXPECT_FALSE(timer->count_up);
        EXPECT_EQ(timer->interval, presets[slot]) << slot;
        if (slot != 2) {
            EXPECT_EQ(stored(timer->id())->interval, presets[slot]) << "new records are saved";
            EXPECT_EQ(timer->action()->sound_file(), m_store.default_sound());
        }
    }
    EXPECT_FALSE(screen.needs_refresh()) << "nothing runs";
}

TEST_F(TimerScreensTest, CountdownActionsStartPauseAndResetAllSlotsAndARunOutTimerResets) {
    CCountdownScreen screen(sources());
    show(screen);
    const int reschedules = m_reschedules;
    ASSERT_TRUE(screen.handle_action(1));
    EXPECT_TRUE(screen.needs_refresh());
    EXPECT_EQ(m_refresh_changes, 1);
    EXPECT_GT(m_reschedules, reschedules) << "running countdowns are due";
    for (int slot = 0; slot < 5; ++slot) EXPECT_EQ(stored(screen.slot_timer(slot)->id())->state, core::CTimer::kRunning);

    m_clock.advance_ms(31'000);
    EXPECT_TRUE(screen.tick());
    EXPECT_EQ(screen.slot_timer(0)->state, core::CTimer::kStopped) << "30 s ran out";
    EXPECT_EQ(screen.slot_timer(1)->state, core::CTimer::kRunning);
    EXPECT_EQ(stored(screen.slot_timer(0)->id())->state, core::CTimer::kRunning) << "the ringing program rings it";
    EXPECT_EQ(m_keep_awakes, 1);

    ASSERT_TRUE(screen.handle_action(1));
    EXPECT_EQ(stored(screen.slot_timer(1)->id())->state, core::CTimer::kPaused) << "one ran: all running pause";
    EXPECT_EQ(stored(screen.slot_timer(0)->id())->state, core::CTimer::kStopped);
    EXPECT_FALSE(screen.needs_refresh());
    ASSERT_TRUE(screen.handle_action(2));
    for (int slot = 0; slot < 5; ++slot) EXPECT_EQ(stored(screen.slot_timer(slot)->id())->state, core::CTimer::kStopped);
    EXPECT_FALSE(screen.handle_action(3)) << "countdowns keep no laps";
}

TEST_F(TimerScreensTest, CountersLapWhileRunningResetWhenNotAndSaveEachSlotsLaps) {
    CTimeCountersScreen screen(sources());
    show(screen);
    const TimerRowsLayout rows = screen.rows_layout();
    screen.tap(centre_in_row(rows, 3, rows.start));
    EXPECT_EQ(stored(screen.slot_timer(3)->id())->state, core::CTimer::kRunning) << "the tapped row alone";
    EXPECT_EQ(screen.slot_timer(2)->state, core::CTimer::kStopped);
    m_clock.advance_ms(1'000);
    ASSERT_TRUE(screen.handle_action(2));
    screen.tap(centre_in_row(rows, 3, rows.reset));
    EXPECT_EQ(stored(screen.slot_timer(3)->id())->laps().size(), 2u) << "a running counter's reset button laps";
    EXPECT_TRUE(screen.slot_timer(2)->laps().empty());
    ASSERT_TRUE(screen.handle_action(3));
    EXPECT_TRUE(fs::exists(m_root.path() / "My Documents" / "Laps000.txt"));
    EXPECT_FALSE(fs::exists(m_root.path() / "My Documents" / "Laps001.txt")) << "slots without laps write nothing";

    const core::CTimer* shown = nullptr;
    m_sources_laps = [&](QWidget*, const core::CTimer& timer) { shown = &timer; };
    CTimeCountersScreen with_hook(sources_with_hooks());
    show(with_hook);
    with_hook.tap(centre_in_row(rows, 3, rows.edit));
    EXPECT_EQ(shown, with_hook.slot_timer(3)) << "a counter's edit button shows its laps, even while it runs";

    ASSERT_TRUE(screen.handle_action(1));
    ASSERT_TRUE(screen.handle_action(2));
    EXPECT_TRUE(stored(screen.slot_timer(3)->id())->laps().empty()) << "none running: all reset";
}

TEST_F(TimerScreensTest, TheIntervalMenuListsPresetsThenEnteredIntervalsAndCustom) {
    CEnteredIntervals::instance().clear();
    uint32_t entered = 45;
    m_sources_edit = [&](QWidget*, core::CTimer& timer) {
        timer.interval = entered++;
        timer.reset();
        return true;
    };
    CCountdownScreen screen(sources_with_hooks());
    show(screen);
    core::CTimer& timer = *screen.slot_timer(1);
    for (int i = 0; i < 4; ++i) screen.make_interval_menu(timer)->actions().back()->trigger();
    const std::unique_ptr<QMenu> menu = screen.make_interval_menu(timer);
    const auto actions = menu->actions();
    std::vector<QString> texts;
    for (const QAction* action : actions) texts.push_back(action->text());
    EXPECT_EQ(texts, (std::vector<QString> { "00:00:30", "00:01:00", "00:05:00", "00:10:00", "00:30:00", "00:00:46",
                                             "00:00:47", "00:00:48", "Custom..." }))
        << "the oldest entered interval is dropped";
    screen.tap(centre_in_row(screen.rows_layout(), 1, screen.rows_layout().start));
    actions[4]->trigger();
    EXPECT_EQ(stored(timer.id())->interval, 1800u);
    EXPECT_EQ(stored(timer.id())->state, core::CTimer::kStopped) << "a new interval resets the timer";
}

TEST_F(TimerScreensTest, TheStopwatchWakesOnlyWhileRunningAndDrawsItsTimeAndLaps) {
    CStopwatchScreen screen(sources());
    show(screen);
    EXPECT_FALSE(screen.needs_refresh());
    const StopwatchLayout places = screen.stopwatch_layout();
    const skins::CPicture before = *screen.picture()->clone();
    screen.tap(centre(places.start));
    EXPECT_TRUE(screen.needs_refresh());
    EXPECT_EQ(m_refresh_changes, 1);
    m_clock.advance_ms(1'500);
    EXPECT_TRUE(screen.tick());
    screen.redraw();
    EXPECT_EQ(screen.timer().shown_ms(), 1'500);
    screen.tap(centre(places.lap));
    screen.redraw();

    const skins::CPicture& after = *screen.picture();
    // The seconds' last digit (glyph 7 of hh:mm:ss) went from 0 to 1; the hours stayed.
    const auto differs = [&](const skins::Rect& r) {
        int changed = 0;
        for (int32_t y = r.top; y < r.bottom; ++y)
            for (int32_t x = r.left; x < r.right; ++x) changed += !(before.colour(x, y) == after.colour(x, y));
        return changed;
    };
    const int32_t cell = places.digits.width() / 8;
    EXPECT_GT(differs({ places.digits.left + 7 * cell, places.digits.top, places.digits.right, places.digits.bottom }), 20);
    EXPECT_EQ(differs({ places.digits.left, places.digits.top, places.digits.left + 2 * cell, places.digits.bottom }), 0);
    EXPECT_GT(differs({ places.laps.left, places.laps.top, places.laps.right, places.laps.top + places.laps.height() / 5 }), 20)
        << "the lap's line";
    EXPECT_GT(differs(places.start), 20) << "start became stop";

    ASSERT_TRUE(screen.handle_action(1));
    EXPECT_FALSE(screen.needs_refresh());
    ASSERT_TRUE(screen.handle_action(3));
    EXPECT_TRUE(fs::exists(m_root.path() / "My Documents" / "Laps000.txt"));
    ASSERT_TRUE(screen.handle_action(2));
    EXPECT_TRUE(screen.timer().laps().empty()) << "stopped: reset";
    EXPECT_TRUE(m_errors.empty());
}

}  // namespace
}  // namespace zt::app
