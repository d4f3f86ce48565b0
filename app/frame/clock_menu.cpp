// The clocks' tap-and-hold menu and button actions: new alarms, what the clock shows, options.
#include <QContextMenuEvent>
#include <QMenu>

#include "app/frame/clock_screens.h"
#include "app/frame/screen_input.h"
#include "core/settings_bag.h"
#include "core/time_store.h"
#include "platform/gui/popup_menu.h"
#include "platform/gui/window_timers.h"

namespace zt::app {
namespace {

constexpr int kNewAlarmAction = 0;
constexpr int kShowCalendarAction = 5;
constexpr int kShowAlarmsAction = 6;

constexpr char16_t kShowAlarms[] = u"ShowAlarms";
constexpr char16_t kShowCalendar[] = u"ShowCalendar";
constexpr char16_t kShowSeconds[] = u"ShowSeconds";

}  // namespace

void CClockScreen::toggle_setting(std::u16string_view name) {
    m_sources.settings.set_number(name, m_sources.settings.number(name) ? 0 : 1);
    show_now();
}

void CClockScreen::set_show_alarms(bool show) {
    if (!show) {
        m_timers->kill(kRepeatTimer);
        m_edit->cancel();
    }
    m_sources.settings.set_number(kShowAlarms, show ? 1 : 0);
    show_now();
}

void CClockScreen::new_alarm(bool one_time, std::optional<int> minutes) {
    m_timers->kill(kRepeatTimer);
    m_sources.settings.set_number(kShowAlarms, 1);
    m_edit->start_new(m_sources.store, one_time, minutes);
    show_now();
}

bool CClockScreen::handle_action(int action) {
    switch (action) {
        case kNewAlarmAction: new_alarm(false, std::nullopt); return true;
        case kShowAlarmsAction: set_show_alarms(m_sources.settings.number(kShowAlarms) == 0); return true;
        default: return false;
    }
}

bool CDigitalClockScreen::handle_action(int action) {
    if (action != kShowCalendarAction) return CClockScreen::handle_action(action);
    toggle_setting(kShowCalendar);
    return true;
}

std::unique_ptr<QMenu> CClockScreen::make_menu(skins::Point held) {
    auto menu = std::make_unique<QMenu>(this);
    // A new alarm starts from the default alarm, whose hour decides morning or afternoon on
    // the dial.
    const int minutes = time_at(held, m_sources.store.default_alarm().alarm_time.wHour);
    menu->addAction(translated(u"New Alarm"), [this, minutes] { new_alarm(false, minutes); });
    menu->addAction(translated(u"New One Time Alarm"), [this, minutes] { new_alarm(true, minutes); });
    menu->addSeparator();
    const auto add_switch = [&](std::u16string_view text, std::u16string_view setting, std::function<void()> act) {
        QAction* item = menu->addAction(translated(text), std::move(act));
        item->setCheckable(true);
        item->setChecked(m_sources.settings.number(setting) != 0);
    };
    add_switch(u"Show Alarms", kShowAlarms, [this] { set_show_alarms(m_sources.settings.number(kShowAlarms) == 0); });
    if (has_calendar()) add_switch(u"Show Calendar", kShowCalendar, [this] { toggle_setting(kShowCalendar); });
    add_switch(u"Show Seconds", kShowSeconds, [this] { toggle_setting(kShowSeconds); });
    menu->addSeparator();
    menu->addAction(translated(u"Options..."), [this] {
        if (m_sources.open_options) m_sources.open_options();
    });
    return menu;
}

void CClockScreen::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu = make_menu(point_of(event->pos()));
    platform::gui::exec_popup_menu(*menu, *this, event->globalPos());
}

}  // namespace zt::app
