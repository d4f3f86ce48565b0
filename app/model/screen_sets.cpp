#include "app/model/screen_sets.h"

#include "core/settings_bag.h"

namespace zt::app {

void ScreenSets::initialise(StartMode mode) {
    ScreenChoice stored { m_settings.number(kActiveScreenSetValue), m_settings.number(kClocksActiveScreenValue),
                          m_settings.number(kTimersActiveScreenValue) };
    ScreenChoice choice = normalise_screen_choice(stored, mode);
    m_set = choice.set;
    m_clocks_position = choice.clocks_position;
    m_timers_position = choice.timers_position;
    m_settings.set_number(kClocksActiveScreenValue, m_clocks_position);
    m_settings.set_number(kTimersActiveScreenValue, m_timers_position);
}

uint32_t ScreenSets::activate_set(uint32_t set) {
    m_set = set == kTimersSet ? kTimersSet : kClocksSet;
    const uint32_t position = remembered_position(m_set);
    select(position);
    m_settings.set_number(kActiveScreenSetValue, m_set);
    return position;
}

ToolbarOutcome ScreenSets::toolbar_command(uint32_t type, uint32_t data) {
    ToolbarOutcome outcome;
    switch (static_cast<ToolbarCommandType>(type)) {
        case ToolbarCommandType::SwitchPosition: {
            const uint32_t position = data >> 16;
            if (position != kPositionWithoutScreen) remember(position);
            select(position);
            outcome.switch_to_position = position;
            break;
        }
        case ToolbarCommandType::OtherSet:
            outcome.switch_to_position = activate_set(m_set == kTimersSet ? kClocksSet : kTimersSet);
            break;
        case ToolbarCommandType::Options:
            outcome.open_options = true;
            break;
        default:
            // A foreign type does nothing, but the settings are written as after any command.
            break;
    }
    m_settings.save();
    return outcome;
}

void ScreenSets::move_selection(int step) {
    // Buttons 1..3: step through 0..2 and wrap.
    int index = (m_selected_button - 1 + step) % 3;
    if (index < 0) index += 3;
    m_selected_button = index + 1;
}

std::optional<int> ScreenSets::button_of_position(uint32_t position) const {
    const auto positions = positions_of_set(m_set);
    for (int i = 0; i < 3; ++i)
        if (positions[i] == position) return i + 1;
    return std::nullopt;
}

void ScreenSets::remember(uint32_t position) {
    if (m_set == kTimersSet) {
        m_timers_position = position;
        m_settings.set_number(kTimersActiveScreenValue, position);
    } else {
        m_clocks_position = position;
        m_settings.set_number(kClocksActiveScreenValue, position);
    }
}

void ScreenSets::select(uint32_t position) { m_selected_button = button_of_position(position).value_or(1); }

}  // namespace zt::app
