#include "core/timer.h"

#include <gtest/gtest.h>

#include "contracts/registry_keys.h"
#include "core/property_list.h"
#include "core/time_math.h"
#include "platform/registry/registry.h"
#include "platform/registry/testing/temp_device_root.h"

namespace zt::core {
namespace {

SYSTEMTIME at(uint16_t h, uint16_t m, uint16_t s, uint16_t ms = 0) { return SYSTEMTIME { 2009, 3, 1, 2, h, m, s, ms }; }

TEST(StopwatchLaps, PauseMarksANegativeLapAndSplitsFollow) {
    CTimer watch(1);
    watch.start(at(10, 0, 0));
    ASSERT_TRUE(watch.lap(at(10, 0, 5, 250)));
    watch.sample(at(10, 0, 7));
    watch.pause();
    EXPECT_EQ(watch.laps(), (std::vector<int64_t> { 5250, -7000 }));
    auto first = watch.lap_reading(0);
    auto second = watch.lap_reading(1);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->split_ms, 5250);
    EXPECT_FALSE(first->pause);
    EXPECT_EQ(second->time_ms, 7000);
    EXPECT_EQ(second->split_ms, 1750);
    EXPECT_TRUE(second->pause);
    EXPECT_FALSE(watch.lap_reading(2));
    EXPECT_EQ(format_lap_text(second->time_ms), u"00:00:07.000");
}

TEST(StopwatchLaps, PausedStopwatchRoundTripsThroughTheRegistry) {
    zt::platform::testing::TempDeviceRoot root;
    CTimer watch(5);
    watch.start(at(10, 0, 0));
    watch.lap(at(10, 0, 5, 250));
    watch.sample(at(10, 0, 7, 600));
    watch.pause();
    ASSERT_TRUE(watch.save());
    CValueMap map;
    ASSERT_TRUE(watch.to_value_map(map));
    for (const char16_t* key : { u"tat", u"tad", u"tzd", u"tzt", u"tlpc", u"tlp0", u"tlp1" })
        EXPECT_TRUE(map.text(key)) << "missing key " << std::u16string(key).size();
    EXPECT_EQ(*map.text(u"tzd"), u"100007") << "tzd is the time of day";
    EXPECT_EQ(*map.text(u"tzt"), u"20090302") << "tzt is the date";
    EXPECT_FALSE(map.text(u"tn")) << "stopwatches store no name";

    CTimer loaded(5);
    ASSERT_TRUE(loaded.load());
    EXPECT_EQ(loaded.state, CTimer::kPaused);
    loaded.sample(at(11, 0, 0));
    EXPECT_EQ(loaded.shown_ms() / 1000, 7) << "same elapsed time to the second, not running while paused";
    EXPECT_EQ(loaded.laps(), (std::vector<int64_t> { 5250, -7600 }));
}

TEST(CountdownTimer, ResumeMovesStartTimeAndDueTimeFollows) {
    CTimer timer(2);
    timer.count_up = false;
    timer.interval = 90;
    timer.start(at(10, 0, 0));
    SYSTEMTIME due {};
    ASSERT_TRUE(timer.next_occurrence(at(10, 0, 0), due));
    EXPECT_EQ(due, at(10, 1, 30));
    timer.sample(at(10, 0, 30));
    timer.pause();
    EXPECT_FALSE(timer.next_occurrence(at(10, 0, 30), due)) << "a paused timer is never due";
    timer.start(at(10, 5, 0));
    EXPECT_EQ(timer.start_time, at(10, 4, 30));
    ASSERT_TRUE(timer.next_occurrence(at(10, 5, 0), due));
    EXPECT_EQ(due, at(10, 6, 0));
}

TEST(CountdownTimer, ToggleOfALoadedNeverSampledTimerPausesAtTheGivenTime) {
    zt::platform::testing::TempDeviceRoot root;
    CTimer running(4);
    running.count_up = false;
    running.interval = 90;
    running.start(at(10, 0, 0));
    ASSERT_TRUE(running.save());

    CTimer loaded(4);
    ASSERT_TRUE(loaded.load());
    ASSERT_EQ(loaded.state, CTimer::kRunning);
    loaded.toggle(at(10, 0, 30));
    EXPECT_EQ(loaded.state, CTimer::kPaused);
    EXPECT_EQ(loaded.pause_time, at(10, 0, 30)) << "not the unset sample of year 0";
    loaded.toggle(at(10, 5, 0));
    EXPECT_EQ(loaded.start_time, at(10, 4, 30)) << "resume moves the start by the paused span only";
}

TEST(CountdownTimer, ShowsZeroOnceRunOutNeverNegative) {
    CTimer timer(2);
    timer.count_up = false;
    timer.interval = 60;
    timer.start(at(10, 0, 0));
    EXPECT_TRUE(timer.sample(at(10, 0, 59, 999)));
    EXPECT_EQ(timer.shown_ms(), 1);
    EXPECT_FALSE(timer.sample(at(10, 1, 0)));
    EXPECT_FALSE(timer.sample(at(12, 0, 0)));
    EXPECT_EQ(timer.shown_ms(), 0);
    EXPECT_EQ(timer.shown_digits(), u"000000000");
}

TEST(TimerDisplay, DigitsSplitWithHoursCappedAt99) {
    EXPECT_EQ(format_timer_digits(3'723'004), u"010203004");
    EXPECT_EQ(format_timer_digits(int64_t { 500 } * 3'600'000 + 61'001), u"990101001");
    EXPECT_EQ(format_lap_text(-5), u"00:00:00.000");
}

TEST(TimerStoredForm, RequiredKeysAndDamagedLaps) {
    CTimer timer(3);
    timer.interval = 77;
    auto no_tu = parse_property_list(u"acstr=;actp=0;tint=30;tind=1");
    EXPECT_FALSE(timer.from_value_map(*no_tu));
    auto bad_action = parse_property_list(u"acstr=;actp=1;tint=30;tind=1;tu=0");
    EXPECT_FALSE(timer.from_value_map(*bad_action));
    EXPECT_EQ(timer.interval, 77u) << "a failed load changes nothing";

    auto damaged = parse_property_list(u"acstr=;actp=0;tint=0;tind=2;tu=1;tlpc=4294967295;tlp0=100;tlp1=x;tlp2=-300;tlp02=9");
    ASSERT_TRUE(timer.from_value_map(*damaged));
    EXPECT_EQ(timer.laps(), (std::vector<int64_t> { 100, -300 })) << "unparsable and foreign entries skipped, order kept";
    auto count_limits = parse_property_list(u"acstr=;actp=0;tint=0;tind=2;tu=1;tlpc=1;tlp0=5;tlp1=6");
    ASSERT_TRUE(timer.from_value_map(*count_limits));
    EXPECT_EQ(timer.laps(), (std::vector<int64_t> { 5 })) << "entries beyond the count are not laps";
}

TEST(TimerStoredForm, StateFollowsTheTimeKeysPresent) {
    CTimer timer(3);
    auto running = parse_property_list(u"acstr=;actp=0;tint=60;tind=0;tu=0;tat=100000;tad=20090302;tzd=100030");
    ASSERT_TRUE(timer.from_value_map(*running));
    EXPECT_EQ(timer.state, CTimer::kRunning) << "a pause needs both tzd and tzt";
    EXPECT_EQ(timer.start_time, at(10, 0, 0));
    auto stopped = parse_property_list(u"acstr=;actp=0;tint=60;tind=0;tu=0;tat=100000");
    ASSERT_TRUE(timer.from_value_map(*stopped));
    EXPECT_EQ(timer.state, CTimer::kStopped);
}

TEST(TimerRegistry, IdZeroIsNeverSaved) {
    zt::platform::testing::TempDeviceRoot root;
    CTimer timer(0);
    EXPECT_FALSE(timer.save());
    EXPECT_FALSE(zt::platform::registry::Key::open(zt::platform::registry::Root::CurrentUser, contracts::kTimersKeyPath));
}

TEST(TimerOperations, ResetClearsLapsAndStops) {
    CTimer watch(1);
    watch.start(at(9, 0, 0));
    watch.lap(at(9, 0, 1));
    watch.reset(at(9, 0, 2));
    EXPECT_EQ(watch.state, CTimer::kStopped);
    EXPECT_TRUE(watch.laps().empty());
    EXPECT_FALSE(watch.sample(at(9, 5, 0)));
    watch.toggle(at(9, 0, 3));
    EXPECT_EQ(watch.state, CTimer::kRunning);
    watch.toggle(at(9, 0, 4));
    EXPECT_EQ(watch.state, CTimer::kPaused);
}

}  // namespace
}  // namespace zt::core
