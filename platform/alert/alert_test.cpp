#include <gtest/gtest.h>

#include "platform/alert/led_driver.h"
#include "platform/alert/power_control.h"
#include "platform/kernel/event.h"
#include "platform/power/user_activity.h"
#include "platform/profile/device_profile.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::alert {
namespace {

class AlertTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.path().empty()); }
    platform::testing::TempDeviceRoot m_root;
};

TEST_F(AlertTest, WithoutVibratorOnlyTheLightExists) {
    EXPECT_EQ(led_count(), 1u);
    ASSERT_TRUE(led_supports(0));
    EXPECT_GT(led_supports(0)->cycle_adjust, 0);
    EXPECT_FALSE(led_supports(1));
    EXPECT_FALSE(led_set(1, 1));
    EXPECT_FALSE(led_state(1));
}

TEST_F(AlertTest, ProfileVibratorIsLedOneAndItsStateIsReadable) {
    ASSERT_TRUE(write_vibrator(true));
    EXPECT_EQ(led_count(), 2u);
    ASSERT_TRUE(led_supports(1));
    EXPECT_LT(led_supports(1)->cycle_adjust, 0) << "a vibrator is marked by a negative cycle adjustment";
    EXPECT_EQ(led_state(1), LedState::Off);
    ASSERT_TRUE(led_set(1, 1));
    EXPECT_EQ(led_state(1), LedState::On);
    EXPECT_EQ(led_state(0), LedState::Off) << "setting the vibrator leaves the light alone";
    EXPECT_FALSE(led_set(1, 3)) << "only off, on and blink";
    EXPECT_EQ(led_state(1), LedState::On);
    ASSERT_TRUE(led_set(1, 0));
    EXPECT_EQ(led_state(1), LedState::Off);
}

TEST_F(AlertTest, IdleResetsAndDisplayRequestsAreCountedAndSignalActivity) {
    auto activity = Event::create_or_open(kUserActivityEventName, ResetPolicy::Manual, false);
    ASSERT_TRUE(activity);
    EXPECT_EQ(idle_timer_resets(), 0u);
    system_idle_timer_reset();
    system_idle_timer_reset();
    EXPECT_EQ(idle_timer_resets(), 2u);
    EXPECT_EQ(activity->event.wait(std::chrono::milliseconds(0)), Event::WaitResult::Signalled);
    activity->event.reset();
    request_display_power_on();
    EXPECT_EQ(display_power_on_requests(), 1u);
    EXPECT_EQ(activity->event.wait(std::chrono::milliseconds(0)), Event::WaitResult::Signalled);
}

TEST_F(AlertTest, ActivityEventIsNamedInTheRegistry) {
    ASSERT_TRUE(register_activity_event());
    auto key = registry::Key::open(registry::Root::LocalMachine, u"System\\GWE");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->get_string(u"ActivityEvent"), std::u16string(kUserActivityEventName));
}

}  // namespace
}  // namespace zt::platform::alert
