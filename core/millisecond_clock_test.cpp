#include "core/millisecond_clock.h"

#include <gtest/gtest.h>

#include <chrono>

#include "core/time_math.h"
#include "platform/base/clock.h"
#include "platform/testing/eventually.h"

namespace zt::core {
namespace {

using zt::platform::ManualClock;
using zt::platform::ScopedClockOverride;
using zt::platform::testing::eventually;
using zt::platform::testing::kPatience;

const SYSTEMTIME kNoon { 2009, 3, 1, 2, 12, 0, 0, 0 };

int64_t ms_since_noon(const SYSTEMTIME& t) { return difference_ms(t, kNoon); }

TEST(TickExtender, CountsWrapArounds) {
    TickExtender ticks(0xFFFFFF00u);
    EXPECT_EQ(ticks.extend(0xFFFFFFF0u), 0xFFFFFFF0u);
    EXPECT_EQ(ticks.extend(0x10u), (uint64_t { 1 } << 32) + 0x10u);
    EXPECT_EQ(ticks.extend(0x20u), (uint64_t { 1 } << 32) + 0x20u);
    EXPECT_EQ(ticks.extend(0x5u), (uint64_t { 2 } << 32) + 0x5u);
}

TEST(MillisecondClock, AddsTicksToTheWallClockReading) {
    ManualClock device(kNoon);
    ScopedClockOverride use(device);
    CMillisecondClock clock;
    EXPECT_EQ(clock.now(), kNoon);
    device.advance_ms(30);
    clock.sample();
    EXPECT_EQ(ms_since_noon(clock.now()), 30);
    device.advance_ms(1975);
    clock.sample();
    EXPECT_EQ(ms_since_noon(clock.now()), 2005);
    EXPECT_EQ(clock.now().wMilliseconds, 5) << "milliseconds come from the tick count, not the wall clock";
}

TEST(MillisecondClock, StandsStillWhenTheClockIsSetBackThenContinuesWithoutJump) {
    ManualClock device(kNoon);
    ScopedClockOverride use(device);
    CMillisecondClock clock;
    device.advance_ms(500);
    clock.sample();
    ASSERT_EQ(ms_since_noon(clock.now()), 500);

    device.jump_wall_ms(-10 * 60'000);  // the user sets the clock back ten minutes
    for (int minute = 0; minute < 10; ++minute) {
        device.advance_ms(59'000);
        clock.sample();
        EXPECT_EQ(ms_since_noon(clock.now()), 500) << "moved backwards or forwards after minute " << minute;
        device.advance_ms(1'000);
        clock.sample();
    }
    // Ten minutes later the wall clock reads 12:00:00.500 again; from here it runs on.
    device.advance_ms(250);
    clock.sample();
    EXPECT_EQ(ms_since_noon(clock.now()), 750) << "continues from where it stood, no jump";
}

TEST(MillisecondClock, FollowsAForwardChangeWithinOneSecond) {
    ManualClock device(kNoon);
    ScopedClockOverride use(device);
    CMillisecondClock clock;
    device.advance_ms(100);
    clock.sample();
    device.jump_wall_ms(500);  // 12:00:00.600 on the wall, same second as before
    clock.sample();
    EXPECT_EQ(ms_since_noon(clock.now()), 100) << "a change inside the second is not seen yet";
    device.advance_ms(400);  // the wall reaches 12:00:01.000
    clock.sample();
    EXPECT_EQ(ms_since_noon(clock.now()), 1000);
    device.jump_wall_ms(3'600'000);
    clock.sample();
    EXPECT_EQ(ms_since_noon(clock.now()), 3'601'000);
}

TEST(MillisecondClock, SamplingThreadPublishesAndStops) {
    ManualClock device(kNoon);
    ScopedClockOverride use(device);
    CMillisecondClock clock;
    ASSERT_TRUE(clock.start_sampling());
    EXPECT_FALSE(clock.start_sampling()) << "one sampling thread per clock";
    device.advance_ms(5'000);
    EXPECT_TRUE(eventually([&] { return ms_since_noon(clock.now()) == 5'000; }, kPatience,
                           "the sampling thread to publish the advanced time"));
    clock.stop_sampling();
    EXPECT_FALSE(clock.sampling());
    // A second clock, made before the change, sees it only through a sampling round: once it
    // has, the stopped clock has had its chance to sample too.
    CMillisecondClock witness;
    ASSERT_TRUE(witness.start_sampling());
    device.advance_ms(1'000);
    ASSERT_TRUE(eventually([&] { return ms_since_noon(witness.now()) == 6'000; }, kPatience,
                           "a sampling round of a second clock"));
    EXPECT_EQ(ms_since_noon(clock.now()), 5'000) << "no sampling after stop";
}

}  // namespace
}  // namespace zt::core
