#pragma once
// Where the screens' elements sit, in 240-wide screen pixels. These numbers are written into
// the value pixels of the images (and only there); the screens read them back from the skin.
// A skin maker changes a layout by changing those pixels, never code.
#include <QPoint>
#include <QRect>

namespace zt::skinart::layout {

// Analog clock: dial size, alarm-icon radius (value pixel 5 of "Clock.png").
inline constexpr int kDial = 168;
inline constexpr int kAlarmRadius = 70;

// Digital clock ("DClock.png" values 1-7): digit cells and the calendar.
struct DigitalLayout {
    QSize digit;        // "Digits.png" glyph cell
    QSize small_digit;  // "SmallDigits.png" glyph cell
    int digits_top;
    int calendar_top;
};
// The digits and a calendar of seven 16-pixel rows fit the shortest clock area a screen gives,
// 188 pixels on a 320 x 240 landscape screen, one above the other.
inline constexpr DigitalLayout kNormalDigits { { 34, 54 }, { 16, 24 }, 8, 72 };
inline constexpr DigitalLayout kBigDigits { { 36, 64 }, { 16, 26 }, 8, 76 };
inline constexpr int kCalendarWidth = 140;  // seven cells of 20
inline constexpr int kCalendarHeight = 112;
inline constexpr int kTimeBarWidth = 12;

// World time: the small map sits above four portrait panels (or 2 x 2 landscape panels).
inline constexpr QSize kSmallMap { 240, 120 };
inline constexpr QSize kFullMap { 480, 240 };
inline constexpr QSize kCityPanel { 120, 48 };
inline constexpr QSize kLandscapeCityPanel { 144, 46 };

// Tool bars: four buttons, side by side (portrait) or stacked (landscape).
inline constexpr QSize kToolButton { 60, 28 };
inline constexpr QSize kSideToolButton { 32, 53 };

// Timer screens ("Timer.png" values 1-12): five rows; every row rectangle below is relative
// to its row's top-left corner.
inline constexpr QSize kTimerScreen { 240, 210 };
inline constexpr QRect kTimerFirstRow { 4, 5, 232, 38 };
inline constexpr int kTimerRowStep = 41;
inline constexpr QRect kTimerEdit { 4, 5, 28, 28 };
inline constexpr QRect kTimerDigits { 40, 8, 112, 22 };
inline constexpr QRect kTimerStart { 160, 5, 28, 28 };
inline constexpr QRect kTimerReset { 196, 5, 28, 28 };
inline constexpr QSize kTimerDigit { 14, 22 };
inline constexpr QSize kTimerButton { 28, 28 };

// Stopwatch ("Stopwatch.png" values 1-10).
inline constexpr QSize kStopwatchScreen { 240, 210 };
inline constexpr QRect kStopwatchDigits { 24, 12, 192, 40 };   // "HTimerDigits.png", hh:mm:ss
inline constexpr QRect kStopwatchMillis { 160, 56, 56, 22 };   // "TimerDigits.png", .mmm
inline constexpr QRect kStopwatchLaps { 12, 84, 216, 80 };
inline constexpr QRect kStopwatchStart { 12, 172, 68, 32 };
inline constexpr QRect kStopwatchLap { 86, 172, 68, 32 };
inline constexpr QRect kStopwatchSave { 160, 172, 68, 32 };
inline constexpr QSize kBigTimerDigit { 24, 40 };

// Alarm control ("AlarmControl.png" values 1-20).
inline constexpr QSize kAlarmControl { 168, 116 };
inline constexpr QSize kArrowCell { 24, 14 };
inline constexpr int kArrowColumns[4] { 8, 36, 72, 100 };
inline constexpr int kUpArrowTop = 8;
inline constexpr int kDownArrowTop = 50;
inline constexpr QRect kAmPmCell { 130, 22, 32, 28 };
inline constexpr int kControlButtonsTop = 80;
inline constexpr QSize kControlButton { 36, 28 };
inline constexpr int kControlButtonColumns[4] { 6, 46, 86, 126 };

}  // namespace zt::skinart::layout
