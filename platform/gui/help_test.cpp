// Where the help program finds "ZunTime.htm" and its topic.
#include <gtest/gtest.h>

#include "platform/base/device_root.h"
#include "platform/gui/help.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"

namespace zt::platform::gui {
namespace {

using registry::Key;
using registry::Root;

class HelpResolutionTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.path().empty()); }
    void set_app_path(std::u16string_view path) {
        auto created = Key::create(Root::CurrentUser, u"Software\\Zunworks\\Zun Time");
        ASSERT_TRUE(created.has_value());
        ASSERT_EQ(created->key.set_string(u"AppPath", path), registry::Status::Ok);
    }
    testing::TempDeviceRoot m_root;
};

TEST_F(HelpResolutionTest, RelativeNameLiesInTheApplicationFolder) {
    set_app_path(u"\\Program Files\\Zun Time\\ZunTime.exe");
    const auto target = resolve_help_argument(u"file:ZunTime.htm#alarms");
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->device_path, u"\\Program Files\\Zun Time\\ZunTime.htm");
    EXPECT_EQ(target->anchor, u"alarms");
    EXPECT_EQ(target->host_path, device_root() / "Program Files" / "Zun Time" / "ZunTime.htm");
}

TEST_F(HelpResolutionTest, WithoutUsableAppPathTheWindowsFolderIsUsed) {
    auto target = resolve_help_argument(u"file:ZunTime.htm#x");
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->device_path, u"\\Windows\\ZunTime.htm") << "no AppPath at all";

    set_app_path(u"ZunTime.exe");
    target = resolve_help_argument(u"ZunTime.htm");
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->device_path, u"\\Windows\\ZunTime.htm") << "AppPath without a separator";
    EXPECT_EQ(target->anchor, u"");
}

TEST_F(HelpResolutionTest, SlashSeparatorAndDevicePathsAndPrefixCase) {
    set_app_path(u"/Apps/Zun/ZunTime.exe");
    auto target = resolve_help_argument(u"FILE:ZunTime.htm#a#b");
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->device_path, u"/Apps/Zun/ZunTime.htm");
    EXPECT_EQ(target->anchor, u"a#b") << "only the first # separates the topic";

    target = resolve_help_argument(u"file:\\My Documents\\Other.htm#top");
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(target->device_path, u"\\My Documents\\Other.htm");
}

TEST_F(HelpResolutionTest, EmptyOrEscapingArgumentsAreRefused) {
    EXPECT_FALSE(resolve_help_argument(u"").has_value());
    EXPECT_FALSE(resolve_help_argument(u"file:").has_value());
    EXPECT_FALSE(resolve_help_argument(u"file:#topic").has_value());
    EXPECT_FALSE(resolve_help_argument(u"file:\\..\\..\\etc\\passwd").has_value());
}

TEST_F(HelpResolutionTest, StartingHelpFailsCleanlyWithoutTheProgram) {
    EXPECT_FALSE(start_help(u"file:ZunTime.htm#alarms"));
}

}  // namespace
}  // namespace zt::platform::gui
