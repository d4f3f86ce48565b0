#include "app/model/screen_positions.h"

namespace zt::app {

std::optional<ScreenNumber> screen_of_position(uint32_t position) {
    constexpr std::array<ScreenNumber, 6> kTable = { ScreenNumber::WorldTime, ScreenNumber::AnalogClock,
                                                     ScreenNumber::DigitalClock, ScreenNumber::Stopwatch,
                                                     ScreenNumber::Countdown, ScreenNumber::TimeCounters };
    if (position >= kTable.size()) return std::nullopt;
    return kTable[position];
}

std::array<uint32_t, 3> positions_of_set(uint32_t set) {
    if (set == kTimersSet) return { 3, 4, 5 };
    return { 1, 2, 0 };
}

ScreenChoice normalise_screen_choice(ScreenChoice stored, StartMode mode) {
    ScreenChoice choice = stored;
    if (mode == StartMode::WorldClock) {
        choice.set = kClocksSet;
        choice.clocks_position = 0;
        return choice;
    }
    if (choice.set > kTimersSet) return ScreenChoice {};
    const uint32_t clocks = choice.clocks_position;
    if (clocks != 0 && clocks != 1 && clocks != 2 && clocks != kPositionWithoutScreen) choice.clocks_position = 1;
    if (choice.timers_position < 3 || choice.timers_position > kPositionWithoutScreen) choice.timers_position = 3;
    return choice;
}

}  // namespace zt::app
