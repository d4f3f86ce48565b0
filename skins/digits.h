#pragma once
// Digits drawn from the skin's digit strips, and the clock's 12-hour rules.
//   "Digits.png":      glyphs 0..9 the digits, 10 the hour-minute separator
//   "SmallDigits.png": glyphs 0..9 the digits, 10 "A", 11 "P", 12 "M"
// Every glyph of a strip advances the pen by the strip's glyph width (doubled when the strip
// is scaled), whatever its drawn width, so digits never jitter.
#include <cstdint>
#include <string_view>

#include "skins/image_strip.h"
#include "skins/picture.h"

namespace zt::skins {

inline constexpr int kSeparatorGlyph = 10;
inline constexpr int kGlyphA = 10;
inline constexpr int kGlyphP = 11;
inline constexpr int kGlyphM = 12;

// Draws the glyph with its bottom edge on the baseline (its last row just above it) and
// advances the pen. An invalid strip or glyph draws nothing and does not advance.
void draw_digit(CPicture& destination, const CImageStrip& strip, int glyph, int32_t& pen_x, int32_t baseline_y);
// Values 0..99 as two glyphs (a leading 0 included); anything else draws nothing.
void draw_two_digits(CPicture& destination, const CImageStrip& strip, int value, int32_t& pen_x, int32_t baseline_y);
// "AM" or "PM" from the small digits: glyph 10 or 11, then 12.
void draw_am_pm(CPicture& destination, const CImageStrip& small_digits, bool pm, int32_t& pen_x, int32_t baseline_y);

// The locale's time indicator "0" or "48" means a 12-hour clock.
bool is_twelve_hour_indicator(std::u16string_view indicator);
// From the user's locale (device call).
bool twelve_hour_clock();

struct ClockHour {
    int hour { 0 };
    bool pm { false };
    bool operator==(const ClockHour&) const = default;
};
// Hour h (taken modulo 24) as a 12-hour clock shows it: 0 -> 12 AM, 13 -> 1 PM, 12 -> 12 PM.
ClockHour twelve_hour(int hour);

}  // namespace zt::skins
