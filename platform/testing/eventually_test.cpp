// Bounded waits and the test helpers around the device root and calendar times.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/base/device_root.h"
#include "platform/testing/date_time.h"
#include "platform/testing/eventually.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::testing {
namespace {

using namespace std::chrono_literals;

TEST(Eventually, SeesAStateAnotherThreadReachesAndNamesWhatNeverCame) {
    std::atomic<bool> flag { false };
    std::thread setter([&] { flag = true; });
    EXPECT_TRUE(eventually([&] { return flag.load(); }, kPatience, "the flag"));
    setter.join();

    auto never = eventually([] { return false; }, 20ms, "the moon");
    EXPECT_FALSE(never);
    EXPECT_STREQ(never.message(), "gave up after 20 ms waiting for the moon");
}

TEST(TempDeviceRoot, IsTheCurrentRootAndGoesWithItsLiveObjects) {
    std::filesystem::path root, runtime;
    {
        TempDeviceRoot device;
        ASSERT_FALSE(device.path().empty());
        root = device.path();
        runtime = device.runtime_dir();
        EXPECT_EQ(device_root(), root);
        EXPECT_TRUE(std::filesystem::is_directory(runtime));
        TempDeviceRoot other;
        EXPECT_EQ(device_root(), other.path());
        ASSERT_TRUE(device.activate());
        EXPECT_EQ(device_root(), root);
    }
    EXPECT_FALSE(std::filesystem::exists(root));
    EXPECT_FALSE(std::filesystem::exists(runtime));
}

TEST(DateTime, FillsTheDayOfWeekOnlyForRealDates) {
    const SYSTEMTIME monday = date_time(2009, 3, 2, 7, 30, 15, 250);
    EXPECT_EQ(monday, (SYSTEMTIME { 2009, 3, 1, 2, 7, 30, 15, 250 }));
    EXPECT_EQ(date_time(2024, 2, 29).wDayOfWeek, 4);
    EXPECT_EQ(date_time(2023, 2, 29).wDayOfWeek, 0);
    EXPECT_EQ(date_time(2009, 13, 1).wMonth, 13);
}

}  // namespace
}  // namespace zt::platform::testing
