#pragma once
// The painters of every skin image. Each takes the skin's style and the scale (1 normal,
// 2 for the _vga form) and returns the finished image in the skins' convention, or a null
// image when an encoding rule could not be met (a generator fault).
#include <QImage>
#include <QPainter>
#include <QString>
#include <functional>
#include <vector>

#include "data/skins/generator/skin_style.h"

namespace zt::skinart {

struct LandShapes;

// Dials and hands.
// A dial of diameter d in a d x d box at the painter's origin: rim, face, ticks and, when asked
// for, the twelve numerals. The desktop icons draw their clocks with it too.
void paint_dial(QPainter& p, const SkinStyle& s, double d, bool numerals);
QImage draw_clock(const SkinStyle& s, int scale);
QImage draw_hour_hand(const SkinStyle& s, int scale);
QImage draw_minute_hand(const SkinStyle& s, int scale);
QImage draw_second_hand(const SkinStyle& s, int scale);
QImage draw_small_clock(const SkinStyle& s, int scale);
QImage draw_small_hour_hand(const SkinStyle& s, int scale);
QImage draw_small_minute_hand(const SkinStyle& s, int scale);

// Digit strips.
QImage draw_digits(const SkinStyle& s, int scale);
QImage draw_small_digits(const SkinStyle& s, int scale);
QImage draw_timer_digits(const SkinStyle& s, int scale);
QImage draw_big_timer_digits(const SkinStyle& s, int scale);

// Icons.
QImage draw_alarm_icon(const SkinStyle& s, int scale);
QImage draw_alarm_icon_old(const SkinStyle& s, int scale);
QImage draw_alarm_icon_new(const SkinStyle& s, int scale);
QImage draw_alarm_markers(const SkinStyle& s, int scale);
QImage draw_ping(const SkinStyle& s, int scale);
QImage draw_ring_pictures(const SkinStyle& s, int scale);
// The Today item's line icons: part 0 the date, 1 the next alarm, 2 the city.
QImage draw_line_icons(const SkinStyle& s, int scale);

// Buttons and controls.
QImage draw_toolbar(const SkinStyle& s, int scale);
QImage draw_side_toolbar(const SkinStyle& s, int scale);
QImage draw_ring_buttons(const SkinStyle& s, int scale);
QImage draw_fullscreen_button(const SkinStyle& s, int scale);
QImage draw_window_button(const SkinStyle& s, int scale);
QImage draw_alarm_control(const SkinStyle& s, int scale);
QImage draw_timer_control(const SkinStyle& s, int scale);
QImage draw_stopwatch_control(const SkinStyle& s, int scale);

// Screens and panels.
QImage draw_background(const SkinStyle& s, int scale);
QImage draw_digital_face(const SkinStyle& s, int scale);
QImage draw_calendar(const SkinStyle& s, int scale);
QImage draw_time_bar(const SkinStyle& s, int scale, int half);  // half 0 morning, 1 afternoon
QImage draw_time_bar_ampm(const SkinStyle& s, int scale, int half);
QImage draw_city_panel(const SkinStyle& s, int scale);
QImage draw_landscape_city_panel(const SkinStyle& s, int scale);
QImage draw_timer_screen(const SkinStyle& s, int scale);
QImage draw_stopwatch_screen(const SkinStyle& s, int scale);
QImage draw_small_digital_face(const SkinStyle& s, int scale);

// Maps.
QImage draw_world_map(const SkinStyle& s, const LandShapes& land, QSize size, int scale);

}  // namespace zt::skinart
