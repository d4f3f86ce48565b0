#pragma once
// How the main program was asked to start: the command line's mode and its numbers.
#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

namespace zt::app {

enum class StartMode : int {
    Normal = 0,
    ScreenSaver = 1,
    ChooseCity = 2,
    Options = 3,
    WorldClock = 4,
    NewAlarm = 5,
    NewOneTimeAlarm = 6,
    EditAlarm = 7,
};

struct CommandLine {
    StartMode mode { StartMode::Normal };
    // ChooseCity: requester window, country index, region index, city id. Options: page in [0].
    // EditAlarm: alarm identifier in [0].
    std::array<uint32_t, 4> numbers {};
};

// Tells whether a number names a live window of the device (the requester of ChooseCity).
using IsWindow = std::function<bool(uint32_t handle)>;

// The exact, case-sensitive comparisons in the program's fixed order; a malformed line is Normal.
CommandLine parse_command_line(std::u16string_view line, const IsWindow& is_window);

}  // namespace zt::app
