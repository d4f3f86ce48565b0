#pragma once
// What the main dialog's screens read and reach besides the skin.
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

#include "world/city_record.h"

namespace zt::core {
class CAlarm;
class CSettingsBag;
class CTimeStore;
class CTimer;
}  // namespace zt::core
namespace zt::skins {
class CSkinManager;
}
namespace zt::world {
class CityDatabase;
class FavoritesList;
}  // namespace zt::world

namespace zt::app {

class CAlarmEdit;

struct ScreenSources {
    skins::CSkinManager& skins;
    core::CSettingsBag& settings;
    core::CTimeStore& store;
    std::function<bool()> screensaver_running;
    // The world screen's cities; null: the process's own database and favourites.
    world::CityDatabase* cities { nullptr };
    world::FavoritesList* favourites { nullptr };
    // Lets the user pick a city to add (the add-city dialog); nullopt when cancelled or when
    // there is no way to pick.
    std::function<std::optional<world::CityRecord>(QWidget* parent)> choose_new_city;
    // Asks the dialog to enter (true) or leave full screen.
    std::function<void(bool full_screen)> request_full_screen;
    // The timer editor on a count-down timer (its edit button, "Custom..."): true when the user
    // confirmed; the timer then holds the new values and has been reset, saved and rescheduled.
    std::function<bool(QWidget* parent, core::CTimer& timer)> edit_timer {};
    // Shows a time counter's lap times (its edit button).
    std::function<void(QWidget* parent, const core::CTimer& timer)> show_timer_laps {};
    // The alarm being set on the clocks, one for both; null: each clock keeps its own.
    std::shared_ptr<CAlarmEdit> alarm_edit {};
    // The alarm editor on an alarm the clock's control edits (not yet stored): true when the
    // user confirmed, the alarm then holding the new values. Null: the program's editor.
    std::function<bool(QWidget* parent, core::CAlarm& alarm, bool is_new)> edit_alarm {};
    // Opens the options sheet (the clocks' "Options...").
    std::function<void()> open_options {};
};

}  // namespace zt::app
