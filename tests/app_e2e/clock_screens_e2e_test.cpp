// The clock screens of the installed main program, seen through the device's debug bridge: the
// analog hands follow the device clock, an alarm added with zt-alarm shows on both clocks, and
// alarms are made and moved on the dial with the pen.
#include <gtest/gtest.h>

#include <QImage>

#include <sstream>

#include "platform/profile/device_profile.h"
#include "tests/app_e2e/device_bridge.h"
#include "tests/app_e2e/main_program_fixture.h"

namespace zt::e2e {
namespace {

namespace fs = std::filesystem;
using zt::platform::gui::UiLine;

constexpr std::int32_t kMainDialogId = 179;
// "Clock.png" of the built-in skins: value pixel 5, the alarm icons' radius on a 240-wide screen.
constexpr int kAlarmRadius = 70;
// "AlarmControl.png" of the built-in skins: its size and the confirm button's centre in it.
constexpr QSize kControlSize { 168, 116 };
constexpr QPoint kConfirmInControl { 24, 94 };

class ClockScreensEndToEnd : public MainProgramEndToEnd {
protected:
    void SetUp() override {
        MainProgramEndToEnd::SetUp();
        if (HasFatalFailure()) return;
        ASSERT_TRUE(zt::platform::write_screen_size(240, 320));
        // Without seconds the picture changes only with the minute: two pictures of one time agree.
        settings_key().set_dword(u"ShowSeconds", 0);
        store_screens(0, 1, 3);
        set_clock("2026-12-08 03:00:00");
        start_main(u"");
        const auto lines = ui_lines();
        ASSERT_TRUE(lines);
        for (const UiLine& line : *lines) {
            if (line.control_id == kMainDialogId) m_area.setTop(line.y);
            if (line.kind == "button" && line.text == u"Button 1") m_area.setBottom(line.y - 1);
        }
        m_area.setLeft(0);
        m_area.setRight(239);
        ASSERT_GT(m_area.height(), 100) << "the clock area between the task bar and the toolbar";
    }
    void set_clock(const std::string& local) {
        ASSERT_EQ(device_verb({ "clock", "--set", local }).exit_code, 0);
    }
    QImage picture(const std::string& name) {
        auto screen = screencap(device.root() / (name + ".png"));
        EXPECT_TRUE(screen);
        return screen.value_or(QImage());
    }
    // Waits until the rectangle of the screen differs from `before`.
    bool changes(const QImage& before, const QRect& where, const char* what) {
        return eventually([&] {
            const auto now = screencap(device.root() / "wait.png");
            return now && share_alike(before, *now, where, {}, 12, 1) < 0.8;
        }, kPatience, what);
    }
    int tap_button(int number) {
        const auto lines = ui_lines();
        if (!lines) return -1;
        const auto button = find_line(*lines, "button", u"Button " + std::u16string(1, static_cast<char16_t>(u'0' + number)));
        return button ? tap_centre_of(*button) : -1;
    }
    QPoint centre() const { return m_area.center(); }
    int pen(const char* verb, std::initializer_list<QPoint> points) {
        std::vector<std::string> line { verb };
        for (QPoint p : points) {
            line.push_back(std::to_string(p.x()));
            line.push_back(std::to_string(p.y()));
        }
        return input(line);
    }
    // The alarm control is centred in the clock area.
    int confirm() {
        const QPoint corner(m_area.left() + (m_area.width() - kControlSize.width()) / 2,
                            m_area.top() + (m_area.height() - kControlSize.height()) / 2);
        return pen("tap", { corner + kConfirmInControl });
    }
    bool alarm_registered() {
        const VerbResult listed = device_verb({ "notify", "list" });
        return listed.exit_code == 0 && listed.out.find("\\ZunAlarmNotify") != std::string::npos;
    }

    QRect m_area;
};

TEST_F(ClockScreensEndToEnd, TheHandsFollowTheDeviceClock) {
    const QImage three = picture("three");
    const QPoint c = centre();
    const QRect hour_at_three(c.x() + 12, c.y() - 2, 20, 5);
    const QRect hour_at_nine(c.x() - 32, c.y() - 2, 20, 5);
    const QRect minute_up(c.x() - 2, c.y() - 50, 5, 30);
    set_clock("2026-12-08 09:00:00");
    ASSERT_TRUE(changes(three, hour_at_three, "the hour hand to leave 3 o'clock"));
    const QImage nine = picture("nine");
    EXPECT_LT(share_alike(three, nine, hour_at_nine, {}, 12, 1), 0.8) << "and to come to 9 o'clock";
    EXPECT_GT(share_alike(three, nine, minute_up, {}, 12, 1), 0.95) << "the minute hand stays at 12";
    EXPECT_EQ(close_main(), 0u);
}

TEST_F(ClockScreensEndToEnd, AnAlarmAddedElsewhereShowsOnBothClocks) {
    const QImage analog_before = picture("analog-before");
    ASSERT_EQ(tap_button(2), 0);
    ASSERT_EQ(stored(u"ClocksActiveScreen"), 2u);
    const QImage digital_before = picture("digital-before");
    ASSERT_EQ(tap_button(1), 0);

    ASSERT_EQ(run_program(built_program("zt-alarm"), { "--root", device.root().string(), "add", "06:00" }), 0);
    // 06:00 sits at 6 o'clock on the dial...
    const QPoint c = centre();
    ASSERT_TRUE(changes(analog_before, QRect(c.x() - 6, c.y() + kAlarmRadius - 6, 12, 12), "the alarm on the dial"));
    // ... and halfway down the left bar of the digital clock (5 + 360 * 17 / 60 below its top).
    ASSERT_EQ(tap_button(2), 0);
    const QRect on_bar(0, m_area.top() + 5 + 102 - 8, 24, 16);
    EXPECT_TRUE(changes(digital_before, on_bar, "the alarm on the left bar"));
    EXPECT_EQ(close_main(), 0u);
}

TEST_F(ClockScreensEndToEnd, AHeldDialMakesAnAlarmAndDraggingItsIconMovesIt) {
    const QPoint c = centre();
    const QPoint six(c.x(), c.y() + kAlarmRadius);
    ASSERT_EQ(pen("hold", { six }), 0);
    const auto item = find_line(ui_lines().value_or(std::vector<UiLine> {}), "menuitem", u"New Alarm");
    ASSERT_TRUE(item) << "the clock menu";
    ASSERT_EQ(tap_centre_of(*item), 0);
    ASSERT_EQ(confirm(), 0);
    ASSERT_TRUE(eventually([] { return stored_alarm(u"1").find(u"alt=60000") != std::u16string::npos; }, kPatience,
                           "a new alarm at 06:00"));
    EXPECT_TRUE(eventually([&] { return alarm_registered(); }, kPatience, "its registration"));

    ASSERT_EQ(pen("drag", { six, QPoint(c.x() - kAlarmRadius, c.y()) }), 0);
    ASSERT_EQ(confirm(), 0);
    EXPECT_TRUE(eventually([] { return stored_alarm(u"1").find(u"alt=90000") != std::u16string::npos; }, kPatience,
                           "the alarm moved to 09:00"));
    EXPECT_EQ(close_main(), 0u);
}

}  // namespace
}  // namespace zt::e2e
