// Setting alarms on the clock screens with the pen (events sent through the screen's
// tap-and-hold recogniser, as the device delivers them), on the shipped Default skin.
#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMouseEvent>

#include "app/frame/clock_screens.h"
#include "app/frame/testing/screen_test.h"
#include "platform/gui/window_timers.h"

namespace zt::app {
namespace {

using skins::Point;

class ClockAlarmControlTest : public ScreenTest {
protected:
    template <class Screen>
    std::unique_ptr<Screen> open_screen() {
        m_settings.set_number(u"ShowAlarms", 1);
        m_settings.set_number(u"ShowCalendar", 0);
        auto screen = std::make_unique<Screen>(sources());
        screen->set_layout({ { 0, 0, 240, 266 }, false, false, false, false });
        EXPECT_TRUE(screen->activate());
        screen->tick();
        screen->redraw();
        return screen;
    }
    core::CAlarm& alarm_at(int32_t id, uint16_t hour, uint16_t minute) {
        add_alarm(id, hour);
        core::CAlarm& alarm = *m_store.find_alarm(id);
        alarm.alarm_time.wMinute = minute;
        return alarm;
    }
    static void pen(QWidget& screen, QEvent::Type type, Point at) {
        const QPointF p(at.x, at.y);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, p, screen.mapToGlobal(p), button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&screen, &event);
    }
    static void drag(QWidget& screen, std::initializer_list<Point> path) {
        pen(screen, QEvent::MouseButtonPress, *path.begin());
        for (Point p : path) pen(screen, QEvent::MouseMove, p);
        pen(screen, QEvent::MouseButtonRelease, *(path.end() - 1));
    }
    static Point centre_of(const skins::Rect& r) { return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 }; }
    static void tap(QWidget& screen, const skins::Rect& r) { drag(screen, { centre_of(r) }); }
    static int minutes(const core::CAlarm& alarm) { return alarm.alarm_time.wHour * 60 + alarm.alarm_time.wMinute; }
};

TEST_F(ClockAlarmControlTest, ANinePixelWiggleOpensTheControlAndAnUnchangedConfirmKeepsTheSnooze) {
    core::CAlarm& alarm = alarm_at(7, 2, 10);  // clear of the control's buttons
    alarm.snooze(5);
    auto screen = open_screen<CAnalogClockScreen>();
    const skins::CPicture before = *screen->picture()->clone();
    const Point icon = screen->alarm_position({ 2, 10 });
    drag(*screen, { icon, { icon.x + 9, icon.y }, { icon.x + 9, icon.y } });
    ASSERT_EQ(screen->alarm_edit().state(), AlarmEditState::Open);
    EXPECT_EQ(screen->alarm_edit().minutes(), 2 * 60 + 10) << "within the dead zone nothing moves";
    const skins::Rect box = screen->control().box();
    int changed = 0;
    for (int32_t y = box.top; y < box.bottom; y += 2)
        for (int32_t x = box.left; x < box.right; x += 2) changed += screen->picture()->colour(x, y) != before.colour(x, y);
    EXPECT_GT(changed, box.width() * box.height() / 8) << "the control is drawn over the clock";

    tap(*screen, screen->control().button_box(skins::ControlButton::Confirm));
    EXPECT_EQ(screen->alarm_edit().state(), AlarmEditState::Idle);
    EXPECT_TRUE(m_store.find_alarm(7)->snoozed);
    EXPECT_EQ(m_store.find_alarm(7)->name, u"Alarm") << "the default name";
}

TEST_F(ClockAlarmControlTest, DraggingPastTheEndOfTheRightBarGivesTheLastQuarter) {
    alarm_at(3, 13, 0);
    auto screen = open_screen<CDigitalClockScreen>();
    const Point icon = screen->alarm_position({ 13, 0 });
    drag(*screen, { icon, { icon.x, icon.y + 60 }, { icon.x, 300 } });
    EXPECT_EQ(screen->alarm_edit().minutes(), 23 * 60 + 45);
    EXPECT_EQ(minutes(*m_store.find_alarm(3)), 13 * 60) << "stored only on confirm";
    tap(*screen, screen->control().button_box(skins::ControlButton::Confirm));
    EXPECT_EQ(minutes(*m_store.find_alarm(3)), 23 * 60 + 45);
}

TEST_F(ClockAlarmControlTest, ElevenFiftyPmDraggedAcrossTwelveBecomesMorning) {
    alarm_at(4, 23, 50);
    auto screen = open_screen<CAnalogClockScreen>();
    const Point c = screen->face().centre();
    const int32_t r = screen->face().alarm_radius();
    drag(*screen, { screen->alarm_position({ 23, 50 }), { c.x - 5, c.y - r }, { c.x + 5, c.y - r }, { c.x + r * 6 / 10, c.y - r * 8 / 10 } });
    EXPECT_EQ(screen->alarm_edit().time().hour, 1) << "1 o'clock sector, morning";
}

TEST_F(ClockAlarmControlTest, ArrowsStepTheDigitsWithAutoRepeatAndDeleteRemovesTheAlarm) {
    alarm_at(9, 19, 30);
    auto screen = open_screen<CDigitalClockScreen>();
    drag(*screen, { screen->alarm_position({ 19, 30 }) });
    ASSERT_EQ(screen->alarm_edit().state(), AlarmEditState::Open);
    const skins::CAlarmControlFace& control = screen->control();
    pen(*screen, QEvent::MouseButtonPress, centre_of(control.arrow_box(0, true)));
    EXPECT_EQ(screen->alarm_edit().minutes(), 9 * 60 + 30) << "29 does not exist: 09:30";
    EXPECT_EQ(screen->timers().period_ms(CClockScreen::kRepeatTimer), 300u) << "held: repeats";
    pen(*screen, QEvent::MouseButtonRelease, centre_of(control.arrow_box(0, true)));
    EXPECT_FALSE(screen->timers().is_set(CClockScreen::kRepeatTimer));
    m_clock.advance_ms(100);
    tap(*screen, control.arrow_box(3, false));
    EXPECT_EQ(screen->alarm_edit().minutes(), 9 * 60 + 29);

    tap(*screen, control.button_box(skins::ControlButton::Delete));
    EXPECT_EQ(m_store.find_alarm(9), nullptr);
    EXPECT_EQ(screen->alarm_edit().state(), AlarmEditState::Idle);
}

TEST_F(ClockAlarmControlTest, TwelveHourClockFlipsTensAndSwitchesAfternoonCancelKeepsTheAlarm) {
    platform::gui::set_locale_time_indicator_override(u"0");
    alarm_at(5, 14, 0);
    auto screen = open_screen<CAnalogClockScreen>();
    drag(*screen, { screen->alarm_position({ 14, 0 }) });
    const skins::CAlarmControlFace& control = screen->control();
    tap(*screen, control.arrow_box(0, true));
    EXPECT_EQ(screen->alarm_edit().minutes(), 12 * 60) << "2:00 PM -> 12:00 PM";
    tap(*screen, control.am_pm_box());
    EXPECT_EQ(screen->alarm_edit().minutes(), 0) << "12:00 AM";
    tap(*screen, control.button_box(skins::ControlButton::Cancel));
    EXPECT_EQ(minutes(*m_store.find_alarm(5)), 14 * 60);
}

TEST_F(ClockAlarmControlTest, TheClockMenuMakesAlarmsAtTheHeldPointAndSwitchesWhatIsShown) {
    auto screen = open_screen<CDigitalClockScreen>();
    const Point held = screen->alarm_position({ 18, 20 });
    std::unique_ptr<QMenu> menu = screen->make_menu(held);
    QStringList texts;
    for (QAction* action : menu->actions()) texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(texts, QStringList({ "New Alarm", "New One Time Alarm", "-", "Show Alarms", "Show Calendar", "Show Seconds",
                                   "-", "Options..." }));
    EXPECT_TRUE(menu->actions()[3]->isChecked());
    EXPECT_FALSE(menu->actions()[4]->isChecked());
    menu->actions()[1]->trigger();
    ASSERT_EQ(screen->alarm_edit().state(), AlarmEditState::Open);
    EXPECT_EQ(screen->alarm_edit().minutes(), 18 * 60 + 15) << "snapped to a quarter";
    tap(*screen, screen->control().button_box(skins::ControlButton::Confirm));
    const core::CAlarm* made = nullptr;
    m_store.for_each([&](const core::CTimeItem& item) { made = static_cast<const core::CAlarm*>(&item); });
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(made->one_time());
    EXPECT_EQ(made->alarm_time.wDay, 8) << "today's date: 18:15 is still to come";

    EXPECT_TRUE(screen->handle_action(0));
    EXPECT_EQ(screen->alarm_edit().minutes(), minutes(m_store.default_alarm())) << "the button keeps the default time";
    EXPECT_TRUE(screen->handle_action(6));
    EXPECT_EQ(screen->alarm_edit().state(), AlarmEditState::Idle) << "hiding the alarms cancels";
    EXPECT_EQ(m_settings.number(u"ShowAlarms"), 0u);
    EXPECT_TRUE(screen->handle_action(5));
    EXPECT_EQ(m_settings.number(u"ShowCalendar"), 1u);
    screen->handle_action(0);
    screen->deactivate();
    EXPECT_EQ(screen->alarm_edit().state(), AlarmEditState::Idle) << "leaving the screen discards the edit";
    EXPECT_EQ(m_store.item_count(), 1u);
}

}  // namespace
}  // namespace zt::app
