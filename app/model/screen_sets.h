#pragma once
// The toolbar's state and the screen choice behind it, kept in the main program's settings:
// which set is active, the position each set remembers, and the selected toolbar button.
// A plain class so that the rules are tested without a window; the dialog turns its answers
// into screen switches.
#include <cstdint>
#include <optional>

#include "app/model/screen_positions.h"

namespace zt::core {
class CSettingsBag;
}

namespace zt::app {

inline constexpr char16_t kActiveScreenSetValue[] = u"ActiveScreenSet";
inline constexpr char16_t kClocksActiveScreenValue[] = u"ClocksActiveScreen";
inline constexpr char16_t kTimersActiveScreenValue[] = u"TimersActiveScreen";
inline constexpr char16_t kActiveSkinValue[] = u"ActiveSkin";

// The toolbar's places, along it: the set switch, the three screen buttons, the options.
enum class ToolBarSlot : int { SetSwitch = 0, Button1 = 1, Button2 = 2, Button3 = 3, Options = 4 };

// The toolbar command (0x0465) types.
enum class ToolbarCommandType : uint32_t { SwitchPosition = 0, OtherSet = 1, Options = 2 };

// What the dialog has to do after a toolbar command.
struct ToolbarOutcome {
    std::optional<uint32_t> switch_to_position;
    bool open_options { false };
};

class ScreenSets {
public:
    // The settings must have the main program's values registered.
    explicit ScreenSets(core::CSettingsBag& settings) : m_settings(settings) {}

    // Reads the stored choice and normalises it for the start mode. Nothing is written yet.
    void initialise(StartMode mode);

    // Makes the set active and stores "ActiveScreenSet"; returns the set's remembered position,
    // which the toolbar now selects.
    uint32_t activate_set(uint32_t set);

    // 0x0465: type in wparam, the position in the high word of data. Writes the settings
    // after every command, as the dialog does, whatever the type.
    ToolbarOutcome toolbar_command(uint32_t type, uint32_t data);

    // Square screens: moves the selected button (1..3) left (-1) or right (+1), wrapping.
    void move_selection(int step);
    // The position of the selected button.
    uint32_t selected_position() const { return positions_of_set(m_set)[m_selected_button - 1]; }
    // 1..3; the first button when the remembered position is not on the toolbar (position 6).
    int selected_button() const { return m_selected_button; }
    // The button (1..3) that shows the position, or nullopt.
    std::optional<int> button_of_position(uint32_t position) const;

    uint32_t active_set() const { return m_set; }
    uint32_t remembered_position(uint32_t set) const { return set == kTimersSet ? m_timers_position : m_clocks_position; }
    // 0x0465 data for a switch to the position (the position in the high word).
    static uint32_t switch_data(uint32_t position) { return position << 16; }

private:
    void remember(uint32_t position);
    void select(uint32_t position);

    core::CSettingsBag& m_settings;
    uint32_t m_set { kClocksSet };
    uint32_t m_clocks_position { 1 };
    uint32_t m_timers_position { 3 };
    int m_selected_button { 1 };
};

}  // namespace zt::app
