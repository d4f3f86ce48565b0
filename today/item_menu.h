#pragma once
// The Today item's menus as plain entries (the item window turns them into pop-up menus): the
// full menu of a tap-and-hold or the action key, the city menu of the first text line and the
// alarm menu of the third, with the command numbers other code decodes (item_commands.h).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/alarm.h"
#include "core/alarm_label.h"

namespace zt::today {

namespace command {
inline constexpr uint32_t kLocalTime = 10003;
inline constexpr uint32_t kRunProgram = 10004;
inline constexpr uint32_t kOptions = 10005;
inline constexpr uint32_t kRunScreenSaver = 10006;
inline constexpr uint32_t kNewAlarm = 10007;
inline constexpr uint32_t kNewOneTimeAlarm = 10008;
inline constexpr uint32_t kFirstView = 10200;     // + view (0 analog, 1 digital)
inline constexpr uint32_t kFirstCount = 10300;    // + count - 1
inline constexpr uint32_t kFirstCitySlot = 10400; // + slot
inline constexpr uint32_t kFirstSkin = 10500;     // + position in the skin list
inline constexpr uint32_t kFirstAlarm = 10600;    // + 16 × position + action
inline constexpr uint32_t kAlarmStride = 16;
inline constexpr uint32_t kAlarmRemove = 0;
inline constexpr uint32_t kAlarmDismiss = 1;
inline constexpr uint32_t kAlarmSwitch = 2;  // "Enable" or "Disable"
inline constexpr uint32_t kAlarmEdit = 3;
}  // namespace command

struct MenuEntry {
    std::u16string text;  // empty: a separator
    uint32_t command { 0 };
    bool checked { false };
    bool enabled { true };
    std::vector<MenuEntry> submenu;  // not empty: a submenu named `text`
    bool separator() const { return text.empty() && submenu.empty(); }
};

// What the menus are built from.
struct MenuInputs {
    uint32_t view { 0 };
    uint32_t cities { 1 };           // effective count
    int32_t city_index { -1 };       // the chosen slot, -1 local time
    std::u16string city_names[4];    // empty when the slot holds no city
    std::vector<std::u16string> skins;
    std::u16string current_skin;
    std::vector<const core::CAlarm*> alarms;  // in the item's alarm-list order
    bool twelve_hour { false };
    core::TranslateWord translate;
};

std::vector<MenuEntry> build_city_menu(const MenuInputs& inputs);
std::vector<MenuEntry> build_alarm_menu(const MenuInputs& inputs);
std::vector<MenuEntry> build_full_menu(const MenuInputs& inputs);

// The decoded command of an alarm entry; nullopt for a number outside the alarm range.
struct AlarmCommand {
    uint32_t position { 0 };
    uint32_t action { 0 };
};
std::optional<AlarmCommand> decode_alarm_command(uint32_t command_number);

}  // namespace zt::today
