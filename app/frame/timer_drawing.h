#pragma once
// What the stopwatch and the timer rows draw alike: times in the timer digit strips
// ("TimerDigits.png", "HTimerDigits.png": glyphs 0-9, 10 ":", 11 "."), centred in their box on
// the skin, and the control buttons centred on their places.
#include <cstdint>
#include <string>
#include <string_view>

#include "skins/image_strip.h"
#include "skins/picture.h"

namespace zt::app {

inline constexpr int kTimerColonGlyph = 10;
inline constexpr int kTimerPointGlyph = 11;

// "hh:mm:ss" of a shown value (hours at most 99).
std::u16string timer_clock_text(int64_t ms);
// ".mmm" of a shown value.
std::u16string timer_millis_text(int64_t ms);

// Digits, ":" and "." of the text; any other character is skipped.
void draw_timer_text(skins::CPicture& canvas, const skins::CImageStrip& digits, std::u16string_view text, skins::Rect box);
void draw_centred_part(skins::CPicture& canvas, const skins::CImageStrip& strip, int part, skins::Rect box);

}  // namespace zt::app
