#include "platform/profile/device_profile.h"

#include <gtest/gtest.h>

#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform {
namespace {
using registry::Key;
using registry::Root;

class DeviceProfileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.path().empty()); }
    static Key profile_key() { return std::move(Key::create(Root::LocalMachine, u"System\\ZunDevice")->key); }
    testing::TempDeviceRoot m_root;
};

TEST_F(DeviceProfileTest, FreshDeviceHasTheDefaults) {
    DeviceProfile profile = read_device_profile();
    EXPECT_EQ(profile.screen_width, 480u);
    EXPECT_EQ(profile.screen_height, 640u);
    EXPECT_EQ(profile.dpi, 192u);
    EXPECT_EQ(profile.platform_version, u"5.02");
    EXPECT_EQ(profile.version_major, 5u);
    EXPECT_EQ(profile.version_minor, 2u);
    EXPECT_FALSE(profile.vibrator);
    EXPECT_FALSE(profile.ac_power.has_value());
}

TEST_F(DeviceProfileTest, WrittenValuesAreReadBackAndDpiFollowsTheWidth) {
    ASSERT_TRUE(write_screen_size(240, 320));
    EXPECT_EQ(read_device_profile().dpi, 96u) << "narrow screens default to 96 dpi";
    ASSERT_TRUE(write_dpi(131));
    ASSERT_TRUE(write_platform_version(u"6.5"));
    ASSERT_TRUE(write_vibrator(true));
    ASSERT_TRUE(write_ac_power(false));

    DeviceProfile profile = read_device_profile();
    EXPECT_EQ(profile.screen_width, 240u);
    EXPECT_EQ(profile.screen_height, 320u);
    EXPECT_EQ(profile.dpi, 131u);
    EXPECT_EQ(profile.platform_version, u"6.5");
    EXPECT_EQ(profile.version_major, 6u);
    EXPECT_EQ(profile.version_minor, 5u);
    EXPECT_TRUE(profile.vibrator);
    EXPECT_EQ(profile.ac_power, false);

    ASSERT_TRUE(write_ac_power(std::nullopt));
    EXPECT_FALSE(read_device_profile().ac_power.has_value()) << "the override can be removed";
    ASSERT_TRUE(reset_device_profile());
    EXPECT_EQ(read_device_profile().screen_width, 480u);
}

TEST_F(DeviceProfileTest, MalformedValuesReadAsDefaults) {
    Key key = profile_key();
    key.set_string(u"ScreenWidth", u"320");                                   // a string, not a number
    key.set_value(u"ScreenHeight", registry::ValueType::Dword, std::vector<uint8_t> { 1, 2 });  // short
    key.set_dword(u"Dpi", 0);
    key.set_string(u"PlatformVersion", u"five point two");
    key.set_dword(u"Vibrator", 7);
    key.set_dword(u"ACPower", 2);

    DeviceProfile profile = read_device_profile();
    EXPECT_EQ(profile.screen_width, 480u);
    EXPECT_EQ(profile.screen_height, 640u);
    EXPECT_EQ(profile.dpi, 192u);
    EXPECT_EQ(profile.platform_version, u"5.02");
    EXPECT_EQ(profile.version_major, 5u);
    EXPECT_FALSE(profile.vibrator);
    EXPECT_FALSE(profile.ac_power.has_value());
}

TEST_F(DeviceProfileTest, SettersRefuseWhatReadersWouldIgnore) {
    EXPECT_FALSE(write_screen_size(0, 320));
    EXPECT_FALSE(write_screen_size(480, 100000));
    EXPECT_FALSE(write_dpi(0));
    EXPECT_FALSE(write_platform_version(u"5"));
    EXPECT_FALSE(Key::open(Root::LocalMachine, u"System\\ZunDevice")) << "refused writes store nothing";
}

TEST(PlatformVersion, ParsesMajorDotMinorOnly) {
    auto version = parse_platform_version(u"5.02");
    ASSERT_TRUE(version);
    EXPECT_EQ(version->major, 5u);
    EXPECT_EQ(version->minor, 2u);
    for (auto bad : { u"", u"5", u".2", u"5.", u"5.2.1", u"5,02", u"-5.2", u"5.x", u"70000.1", u" 5.2" })
        EXPECT_FALSE(parse_platform_version(bad)) << "accepted a malformed version";
}

}  // namespace
}  // namespace zt::platform
