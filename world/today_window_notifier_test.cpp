#include <gtest/gtest.h>

#include "contracts/today_item.h"
#include "platform/registry/testing/temp_device_root.h"
#include "platform/windows/message_loop.h"
#include "platform/windows/window.h"
#include "world/slot_publisher.h"

namespace zt::world {
namespace {

using namespace std::chrono_literals;

TEST(TodayWindowNotifier, PostsCitiesChangedToTheTodayItemsWindow) {
    zt::platform::testing::TempDeviceRoot root;
    auto today = zt::platform::Window::create(contracts::kTodayItemClass, u"", nullptr);
    ASSERT_TRUE(today);
    auto other = zt::platform::Window::create(u"SomethingElse", u"", nullptr);
    ASSERT_TRUE(other);

    TodayWindowNotifier notifier;
    notifier.post_cities_changed();

    zt::platform::Message message;
    ASSERT_EQ(zt::platform::get_message(*today, message, 2000ms), zt::platform::GetResult::Message);
    EXPECT_EQ(message.number, contracts::kMsgCitiesChanged);
    EXPECT_EQ(message.wparam, 0u);
    EXPECT_EQ(message.lparam, 0u);
    EXPECT_EQ(zt::platform::get_message(*other, message, 50ms), zt::platform::GetResult::TimedOut);
}

}  // namespace
}  // namespace zt::world
