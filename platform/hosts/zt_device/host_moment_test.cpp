#include <gtest/gtest.h>

#include "platform/base/clock.h"
#include "platform/hosts/zt_device/device_loop.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::device {
namespace {

// 2009-03-02 11:00:00 UTC in ms since 1970.
constexpr long long kElevenUtcMs = 1'235'991'600'000LL;

TEST(HostMoment, LocalTriggerTimeBecomesTheHostMomentThroughZoneAndDeviceOffset) {
    testing::TempDeviceRoot device;
    ManualClock clock(SYSTEMTIME { 2009, 3, 0, 2, 12, 0, 0, 0 }, 60);  // UTC+1
    ScopedClockOverride use(clock);
    auto local_13 = *system_time_to_file_time(SYSTEMTIME { 2009, 3, 0, 2, 13, 0, 0, 0 });
    // Local 13:00 at UTC+1 is 12:00 UTC on the device clock.
    EXPECT_EQ(host_moment_of_local(local_13), kElevenUtcMs + 3'600'000);
    // A device clock one hour ahead of the host reaches it when the host reads 11:00 UTC.
    ASSERT_TRUE(set_device_clock_offset_ms(3'600'000));
    EXPECT_EQ(host_moment_of_local(local_13), kElevenUtcMs);
    ASSERT_TRUE(set_device_clock_offset_ms(-90'000));
    EXPECT_EQ(host_moment_of_local(local_13), kElevenUtcMs + 3'600'000 + 90'000);
}

}  // namespace
}  // namespace zt::platform::device
