#pragma once
// What the analog and the digital clock faces share: the clock area they are placed in, what
// they show, and the alarms they mark.
//
// A face draws into the clock screen's own picture, whose top-left is the clock area's: the
// main dialog's title bar and toolbar lie outside the screen, so the title bar height inside
// it is 0.
#include <cstdint>

namespace zt::skins {

struct ClockPlacement {
    int32_t width { 0 };   // of the clock area
    int32_t height { 0 };
    bool landscape { false };  // wider than tall, or square
    bool full_screen { false };
    bool high_resolution { false };
    bool operator==(const ClockPlacement&) const = default;
};

struct ClockShow {
    bool seconds { true };
    bool alarms { true };
    bool calendar { true };
    bool twelve_hour { false };
    bool operator==(const ClockShow&) const = default;
};

// An alarm as the clocks mark it: at its time of day, badged by its state.
struct AlarmMark {
    int hour { 0 };  // 0..23
    int minute { 0 };
    bool enabled { true };
    int32_t id { 0 };  // the alarm's item id
    bool operator==(const AlarmMark&) const = default;
};

// A time of day as a point on a clock face stands for it.
struct DayTime {
    int hour { 0 };  // 0..23
    int minute { 0 };
    bool operator==(const DayTime&) const = default;
};

// The high-resolution form of a layout number (10 for 5, 220 for 110).
inline constexpr int32_t layout_number(int32_t normal, bool high_resolution) { return high_resolution ? 2 * normal : normal; }

}  // namespace zt::skins
