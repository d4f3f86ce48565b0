#include "platform/profile/platform_generation.h"

#include <gtest/gtest.h>

namespace zt::platform {
namespace {

int generation_of(uint32_t major, uint32_t minor) { return platform_generation(platform_version_number(major, minor)); }

TEST(PlatformGeneration, EachGenerationStartsWhereTheSystemVersionsChange) {
    EXPECT_EQ(generation_of(2, 11), 0);
    EXPECT_EQ(generation_of(3, 0), 1);
    EXPECT_EQ(generation_of(3, 99), 1);
    EXPECT_EQ(generation_of(4, 0), 2);
    EXPECT_EQ(generation_of(4, 20), 2);
    EXPECT_EQ(generation_of(4, 21), 3);
    EXPECT_EQ(generation_of(5, 1), 4);
    EXPECT_EQ(generation_of(5, 2), 5);
    EXPECT_EQ(generation_of(6, 5), 5);
}

TEST(PlatformGeneration, ALongMinorIsDividedDownToTwoDigits) {
    EXPECT_EQ(platform_version_number(4, 2100), 421u);
    EXPECT_EQ(generation_of(4, 2100), 3) << "not 4 * 100 + 2100, which would read as the newest";
    EXPECT_EQ(platform_version_number(3, 100), 310u) << "3.100 is no 4.00";
    EXPECT_EQ(platform_version_number(65535, 65535), 6553565u);
}

TEST(PlatformGeneration, FollowsTheDeviceProfile) {
    DeviceProfile profile;
    EXPECT_EQ(platform_generation(profile), 5) << "the default profile is 5.02";
    profile.version_major = 4;
    profile.version_minor = 20;
    EXPECT_EQ(platform_version_number(profile), 420u);
    EXPECT_EQ(platform_generation(profile), 2);
}

}  // namespace
}  // namespace zt::platform
