// The device screen read from the profile, the selectable sizes and the rotation broadcast.
#include <gtest/gtest.h>

#include "platform/gui/screen_metrics.h"
#include "platform/profile/device_profile.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"
#include "platform/windows/window.h"

namespace zt::platform::gui {
namespace {

class ScreenMetricsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(m_root.path().empty()); }
    testing::TempDeviceRoot m_root;
};

TEST_F(ScreenMetricsTest, FreshDeviceIsHighResolutionPortrait) {
    const ScreenMetrics metrics = read_screen_metrics();
    EXPECT_EQ(metrics.width, 480);
    EXPECT_EQ(metrics.height, 640);
    EXPECT_EQ(metrics.dpi, 192);
    EXPECT_TRUE(metrics.high_resolution());
    EXPECT_FALSE(metrics.landscape());
    EXPECT_FALSE(metrics.square());
    EXPECT_EQ(metrics.scaled(26), 52);
}

TEST_F(ScreenMetricsTest, ShapeRulesFollowTheSelectedSize) {
    struct Case { ScreenSize size; bool high; bool landscape; bool square; int dpi; };
    const Case cases[] = {
        { { 240, 320 }, false, false, false, 96 }, { { 320, 240 }, false, true, false, 96 },
        { { 240, 240 }, false, false, true, 96 },  { { 480, 480 }, true, false, true, 192 },
        { { 640, 480 }, true, true, false, 192 },
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(select_screen_size(c.size)) << c.size.width << "x" << c.size.height;
        const ScreenMetrics metrics = read_screen_metrics();
        EXPECT_EQ(metrics.width, c.size.width);
        EXPECT_EQ(metrics.height, c.size.height);
        EXPECT_EQ(metrics.high_resolution(), c.high) << c.size.width;
        EXPECT_EQ(metrics.landscape(), c.landscape) << c.size.width << "x" << c.size.height;
        EXPECT_EQ(metrics.square(), c.square) << c.size.width << "x" << c.size.height;
        EXPECT_EQ(metrics.dpi, c.dpi) << c.size.width;
    }
}

TEST_F(ScreenMetricsTest, OnlySelectableSizesAreAccepted) {
    EXPECT_FALSE(select_screen_size({ 800, 600 }));
    EXPECT_FALSE(select_screen_size({ 0, 0 }));
    EXPECT_FALSE(select_screen_size({ -240, 320 }));
    EXPECT_EQ(read_screen_metrics().width, 480) << "a refused size must leave the profile alone";
}

TEST_F(ScreenMetricsTest, RotationSwapsSizeAndTellsEveryWindow) {
    auto shown = Window::create(u"ShownClass", u"", {});
    auto hidden = Window::create(u"HiddenClass", u"", {}, WindowOptions { .visible = false });
    ASSERT_TRUE(shown && hidden);

    const auto rotation = rotate_screen();
    ASSERT_TRUE(rotation.has_value());
    EXPECT_EQ(rotation->size, (ScreenSize { 640, 480 }));
    EXPECT_EQ(rotation->notified, 2u);
    EXPECT_TRUE(read_screen_metrics().landscape());

    for (Window* window : { shown.get(), hidden.get() }) {
        const auto message = window->next_posted();
        ASSERT_TRUE(message.has_value()) << "every top-level window hears the change";
        EXPECT_EQ(message->number, WM_SETTINGCHANGE);
    }

    ASSERT_TRUE(rotate_screen().has_value());
    EXPECT_EQ(read_screen_metrics().width, 480) << "two turns give the first size back";
}

TEST_F(ScreenMetricsTest, MalformedProfileReadsAsDefaultScreen) {
    auto created = registry::Key::create(registry::Root::LocalMachine, u"System\\ZunDevice");
    ASSERT_TRUE(created.has_value());
    ASSERT_EQ(created->key.set_string(u"ScreenWidth", u"240"), registry::Status::Ok);
    ASSERT_EQ(created->key.set_dword(u"ScreenHeight", 0), registry::Status::Ok);
    const ScreenMetrics metrics = read_screen_metrics();
    EXPECT_EQ(metrics.width, 480);
    EXPECT_EQ(metrics.height, 640);
    // Rotation of a malformed profile stores a clean one.
    ASSERT_TRUE(rotate_screen().has_value());
    EXPECT_EQ(read_screen_metrics().width, 640);
}

}  // namespace
}  // namespace zt::platform::gui
