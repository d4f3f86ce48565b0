#pragma once
// What the Today item's menu commands do: settings of the item (view, skin, cities count, the
// shown city), alarm changes (remove, dismiss, enable/disable) told to the main program, and
// starting the main program or the screensaver.
//
// Alarm changes read the alarm afresh under the store lock, so that a change another program
// made meanwhile is kept; an alarm that has gone meanwhile is left alone.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/shared_settings.h"
#include "core/time_store.h"

namespace zt::today {

// The item's reach outside itself. The device's own (device_item_reach.h) starts "AppPath" and
// posts to windows found by class.
class ItemReach {
public:
    virtual ~ItemReach() = default;
    // Starts the main program ("AppPath") with the command line; nothing when it cannot.
    virtual void start_main_program(std::u16string_view command_line) = 0;
    // Posts to the window of that class when one exists.
    virtual void post_to_window(std::u16string_view window_class, uint32_t message, uint32_t wparam, uint32_t lparam) = 0;
    // Registers the next due time of the store's records.
    virtual void reschedule(const core::CTimeStore& store) = 0;
};

enum class CommandEffect {
    None,          // nothing to show
    Redraw,        // an alarm changed: the alarm list and the picture
    Reload,        // the settings changed: settings, cities and images again
};

struct CommandContext {
    core::TodaySettings& settings;
    const std::vector<std::u16string>& skins;  // the applet skin list, as the menu showed it
    const bool (&slot_holds_city)[4];
    const std::vector<int32_t>& alarm_ids;     // the alarm list, as the menu showed it
    core::CTimeStore& store;
    ItemReach& reach;
};

// "Options 4": the main program's command line for the Today options page.
std::u16string today_options_command_line();

CommandEffect run_item_command(uint32_t command_number, CommandContext& context);

}  // namespace zt::today
