#pragma once
// Screen positions and screen sets: what the toolbar and the settings speak of. A position
// names a place on the toolbar; the fixed table below turns it into a screen number.
#include <array>
#include <cstdint>
#include <optional>

#include "app/model/start_mode.h"

namespace zt::app {

// Screen numbers, in the order the dialog creates the screens.
enum class ScreenNumber : int {
    AnalogClock = 0,
    DigitalClock = 1,
    WorldTime = 2,
    Stopwatch = 3,
    TimeCounters = 4,
    Countdown = 5,
};
inline constexpr int kScreenCount = 6;

// A stored position the dialog accepts but never stores itself; it has no screen.
inline constexpr uint32_t kPositionWithoutScreen = 6;

inline constexpr uint32_t kClocksSet = 0;
inline constexpr uint32_t kTimersSet = 1;

// nullopt for position 6 and for anything outside the table.
std::optional<ScreenNumber> screen_of_position(uint32_t position);

// The positions of toolbar buttons 1, 2 and 3 of a set (any set other than 1 is the clocks set).
std::array<uint32_t, 3> positions_of_set(uint32_t set);

struct ScreenChoice {
    uint32_t set { kClocksSet };
    uint32_t clocks_position { 1 };
    uint32_t timers_position { 3 };
    bool operator==(const ScreenChoice&) const = default;
};

// What the dialog makes of the stored choice when it starts: "WorldClock" forces world time,
// a set it does not know resets everything, and positions outside their set fall back to the
// set's first screen.
ScreenChoice normalise_screen_choice(ScreenChoice stored, StartMode mode);

}  // namespace zt::app
