#pragma once
// Where the stopwatch and the timer rows put their digits, buttons and lap list: read from the
// value pixels of the skin's "Stopwatch.png" and "Timer.png", placed where the image is drawn
// (centred in the screen). A skin without the image or its values gets a layout worked out
// from the space there is, so the screens still work on it.
//
// "Stopwatch.png": values 1-2 the big digits (top-left, bottom-right), 3-4 the lap list, 5-6
// the start button, 7-8 the lap button, 9-10 the save button, 11-12 the milliseconds.
// "Timer.png": value 1 the first row's top-left, 2 a row's size, 3 the step from one row to the
// next; 4-5 the digits, 6-7 the start button, 8-9 the reset button, 10-11 the edit button,
// each relative to its row.
#include <optional>

#include "skins/image_strip.h"
#include "skins/picture.h"

namespace zt::app {

inline constexpr char16_t kStopwatchImage[] = u"Stopwatch.png";
inline constexpr char16_t kStopwatchControlImage[] = u"StopwatchControl.png";
inline constexpr char16_t kTimerImage[] = u"Timer.png";
inline constexpr char16_t kTimerControlImage[] = u"TimerControl.png";
inline constexpr char16_t kTimerDigitsImage[] = u"TimerDigits.png";
inline constexpr char16_t kBigTimerDigitsImage[] = u"HTimerDigits.png";

struct StopwatchLayout {
    skins::Point origin;  // where the background image is drawn
    skins::Rect digits;
    skins::Rect millis;
    skins::Rect laps;
    skins::Rect start;
    skins::Rect lap;
    skins::Rect save;
};

struct TimerRowsLayout {
    skins::Point origin;
    skins::Rect first_row;  // in the screen
    skins::Point step;      // from one row to the next
    skins::Rect digits;     // these four relative to a row's top-left
    skins::Rect start;
    skins::Rect reset;
    skins::Rect edit;
    skins::Rect row(int slot) const {
        return { first_row.left + step.x * slot, first_row.top + step.y * slot, first_row.right + step.x * slot,
                 first_row.bottom + step.y * slot };
    }
};

// area: the screen's size (its picture starts at 0, 0).
StopwatchLayout stopwatch_layout(const skins::CImageStrip* image, skins::Point area, bool high_resolution);
TimerRowsLayout timer_rows_layout(const skins::CImageStrip* image, skins::Point area, bool high_resolution);

// The drawn size of part 0 of a strip (doubled when scaled); 0, 0 without one.
skins::Point drawn_size(const skins::CImageStrip* strip);
skins::Rect offset(const skins::Rect& r, skins::Point by);
bool inside(const skins::Rect& r, skins::Point p);

}  // namespace zt::app
