// The device screen frame: size from the profile, the bars, full screen, the published
// "menu_worker" window, rotation and the task bar's clock.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>

#include "platform/gui/locale_clock.h"
#include "platform/gui/shell_frame.h"
#include "platform/gui/shell_test_support.h"
#include "platform/gui/task_bar.h"
#include "platform/profile/device_profile.h"
#include "platform/windows/message_sender.h"
#include "platform/windows/window.h"
#include "platform/windows/window_lookup.h"

namespace zt::platform::gui {
namespace {

using testing::run_until;

class ShellFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::widget_test_app();
        ASSERT_FALSE(m_root.path().empty());
    }
    void TearDown() override { set_locale_time_indicator_override(std::nullopt); }
    zt::platform::testing::TempDeviceRoot m_root;
};

std::optional<WindowInfo> bottom_centre_window(const ShellFrame& frame) {
    return window_from_point({ frame.metrics().width / 2, frame.metrics().height - 2 });
}

TEST_F(ShellFrameTest, FillsTheScreenWithBarsAroundTheContent) {
    ASSERT_TRUE(write_screen_size(240, 320));
    ShellFrame frame(u"Zun Time");
    frame.show();
    EXPECT_EQ(frame.size(), QSize(240, 320));
    EXPECT_EQ(frame.task_bar_height(), 26) << "96 dpi below 400 pixels";
    EXPECT_EQ(frame.content().geometry(), QRect(0, 26, 240, 320 - 26 - 26));
    EXPECT_EQ(frame.soft_key_bar().geometry(), QRect(0, 320 - 26, 240, 26));
    EXPECT_EQ(frame.title(), u"Zun Time");

    const QImage picture = frame.grab().toImage();
    EXPECT_EQ(picture.pixelColor(120, 2), QColor(0, 0, 128)) << "the task bar is drawn along the top";
}

TEST_F(ShellFrameTest, FullScreenHidesBothBarsAndTheSoftKeyWindow) {
    ShellFrame frame(u"Zun Time");
    frame.show();
    ASSERT_NE(frame.soft_key_window(), 0u);
    auto found = bottom_centre_window(frame);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->class_name, kSoftKeyWindowClass);
    EXPECT_EQ(found->rect, (Rect { 0, 640 - 52, 480, 640 }));

    frame.set_full_screen(true);
    EXPECT_TRUE(frame.full_screen());
    EXPECT_EQ(frame.content().geometry(), QRect(0, 0, 480, 640));
    EXPECT_FALSE(frame.task_bar().isVisible());
    EXPECT_FALSE(frame.soft_key_bar().isVisible());
    found = bottom_centre_window(frame);
    EXPECT_FALSE(found && found->class_name == kSoftKeyWindowClass) << "hidden bar must not be found";

    frame.set_full_screen(false);
    found = bottom_centre_window(frame);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->class_name, kSoftKeyWindowClass);
}

TEST_F(ShellFrameTest, SoftKeyWindowStaysInFrontOfTheProgramsOwnWindows) {
    ShellFrame frame(u"Zun Time");
    frame.show();
    // A window of the program covering the whole screen, made after the bar.
    auto dialog = Window::create(u"Dialog", u"", {}, WindowOptions { .visible = true, .rect = { 0, 0, 480, 640 } });
    ASSERT_TRUE(dialog);
    frame.set_soft_key_bar_visible(false);
    frame.set_soft_key_bar_visible(true);
    const auto found = bottom_centre_window(frame);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->class_name, kSoftKeyWindowClass);
}

TEST_F(ShellFrameTest, RotationFromMenuAndCtrlRTurnsTheFrame) {
    ShellFrame frame(u"Zun Time");
    int changes = 0;
    frame.on_setting_change([&](const ScreenMetrics&) { ++changes; });
    frame.show();

    ASSERT_FALSE(frame.task_bar().shell_menu().actions().isEmpty());
    frame.task_bar().shell_menu().actions().front()->trigger();
    EXPECT_EQ(frame.size(), QSize(640, 480));
    EXPECT_TRUE(read_screen_metrics().landscape());
    EXPECT_EQ(frame.soft_key_bar().geometry().bottom(), 479);

    // A dialog filling the screen turns with it; a smaller one keeps its size.
    QDialog full, small;
    full.resize(640, 480);
    small.resize(200, 100);
    full.show();
    small.show();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_R, Qt::ControlModifier);
    QApplication::sendEvent(&frame, &press);
    EXPECT_EQ(frame.size(), QSize(480, 640));
    EXPECT_GE(changes, 2);
    EXPECT_EQ(full.size(), QSize(480, 640));
    EXPECT_EQ(small.size(), QSize(200, 100));
}

TEST_F(ShellFrameTest, FollowsSettingChangePostedByAnotherProgram) {
    ShellFrame frame(u"Zun Time");
    frame.show();
    ASSERT_TRUE(write_screen_size(320, 240));
    EXPECT_EQ(frame.size(), QSize(480, 640)) << "nothing changes before the announcement";
    ASSERT_EQ(post_message(frame.soft_key_window(), WM_SETTINGCHANGE), DeliveryStatus::Delivered);
    EXPECT_TRUE(run_until([&] { return frame.size() == QSize(320, 240); }));
    const auto bar = window_info(frame.soft_key_window());
    ASSERT_TRUE(bar.has_value());
    EXPECT_EQ(bar->rect, (Rect { 0, 240 - 26, 320, 240 }));
}

TEST_F(ShellFrameTest, TaskBarShowsTheInjectedTimeInTheLocaleFormat) {
    SYSTEMTIME now {};
    now.wHour = 9;
    now.wMinute = 5;
    now.wSecond = 30;
    set_locale_time_indicator_override(u"0");
    ShellFrame frame(u"Zun Time", {}, ShellFrame::Options { .clock = [&] { return now; } });
    EXPECT_EQ(frame.task_bar().time_text(), u"9:05 AM");
    now.wHour = 13;
    now.wMinute = 7;
    frame.task_bar().refresh_time();
    EXPECT_EQ(frame.task_bar().time_text(), u"1:07 PM");
    set_locale_time_indicator_override(u"1");
    frame.task_bar().refresh_time();
    EXPECT_EQ(frame.task_bar().time_text(), u"13:07");
    frame.set_title(u"Options");
    EXPECT_EQ(frame.task_bar().title(), u"Options");
}

TEST(TaskBarTime, TwelveHourEdges) {
    SYSTEMTIME time {};
    EXPECT_EQ(format_task_bar_time(time, false), u"12:00 AM");
    time.wHour = 12;
    EXPECT_EQ(format_task_bar_time(time, false), u"12:00 PM");
    time.wHour = 23;
    time.wMinute = 59;
    EXPECT_EQ(format_task_bar_time(time, false), u"11:59 PM");
    time.wHour = 0;
    time.wMinute = 1;
    EXPECT_EQ(format_task_bar_time(time, true), u"00:01");
}

}  // namespace
}  // namespace zt::platform::gui
