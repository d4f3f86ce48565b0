// Screen backgrounds and panels: the main background, the digital clock's face, calendar and
// alarm bars, the city panels, the timer and stopwatch screens and the applet's face.
#include <QLinearGradient>
#include <cmath>

#include "data/skins/generator/art_kit.h"
#include "data/skins/generator/skin_images.h"
#include "data/skins/generator/skin_layout.h"
#include "data/skins/generator/strip_image.h"
#include "data/skins/generator/symbols.h"

namespace zt::skinart {

namespace {

QImage built(const StripImage& strip)
{
    const auto image = strip.build();
    return image ? *image : QImage();
}

void set_rect(StripImage& strip, int first, const QRect& r)
{
    strip.set_value(first, r.topLeft());
    strip.set_value(first + 1, r.topLeft() + QPoint(r.width(), r.height()));
}

// A part whose first row starts with the given colours, one pixel each, then transparent.
QImage colour_row(const std::vector<QColor>& colours, int scale)
{
    QImage row(static_cast<int>(colours.size()) * scale + 2, 2, QImage::Format_ARGB32);
    row.fill(Qt::transparent);
    for (size_t i = 0; i < colours.size(); ++i)
        row.setPixelColor(static_cast<int>(i), 0, colours[i]);
    return row;
}

const layout::DigitalLayout& digital(const SkinStyle& s)
{
    return s.big_digits ? layout::kBigDigits : layout::kNormalDigits;
}

}  // namespace

QImage draw_background(const SkinStyle& s, int scale)
{
    Canvas canvas(240, 320, scale);
    QPainter& p = canvas.painter();
    paint_backdrop(p, s, QRectF(0, 0, 240, 320));
    if (s.finish == Finish::Brushed) {
        // Fine horizontal grain of brushed metal, fixed so the file is reproducible.
        for (int y = 0; y < 320; y += 2) {
            const int shade = static_cast<int>(std::lround(6 * std::sin(y * 0.37) + 4 * std::sin(y * 1.13)));
            p.fillRect(QRectF(0, y, 240, 1), QColor(255, 255, 255, std::max(0, 12 + shade)));
        }
    } else if (s.finish == Finish::Flat) {
        QRadialGradient glow(QPointF(120, 110), 180);
        QColor light = s.screen_top.lighter(150);
        light.setAlpha(70);
        glow.setColorAt(0, light);
        glow.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(QRectF(0, 0, 240, 320), glow);
    }
    return flatten(canvas.finish(), s.screen_bottom.rgb());
}

QImage draw_digital_face(const SkinStyle& s, int scale)
{
    const auto& d = digital(s);
    const int width = 5 * d.digit.width() + 2 * d.small_digit.width();
    const int left = (240 - width) / 2;
    const int bottom = d.digits_top + d.digit.height();
    Canvas canvas(240, bottom + 12, scale);
    QPainter& p = canvas.painter();
    // The face is drawn at the clock area's left edge while the digits move right on wider
    // screens, so the band behind them spans the whole width and fades out at both ends.
    const QRectF band(0, d.digits_top - 6, 240, d.digit.height() + 12);
    QLinearGradient across(band.topLeft(), band.topRight());
    QColor tint = s.finish == Finish::Classic ? QColor(0, 0, 0) : s.digit_glow;
    tint.setAlpha(s.finish == Finish::Classic ? 200 : 46);
    QColor clear = tint;
    clear.setAlpha(0);
    across.setColorAt(0, clear);
    across.setColorAt(0.12, tint);
    across.setColorAt(0.88, tint);
    across.setColorAt(1, clear);
    p.fillRect(band, across);
    QColor line = s.finish == Finish::Classic ? QColor(128, 128, 128) : s.digit_glow;
    line.setAlpha(120);
    QLinearGradient edge(band.topLeft(), band.topRight());
    QColor line_clear = line;
    line_clear.setAlpha(0);
    edge.setColorAt(0, line_clear);
    edge.setColorAt(0.2, line);
    edge.setColorAt(0.8, line);
    edge.setColorAt(1, line_clear);
    p.fillRect(QRectF(0, band.top(), 240, 1), edge);
    p.fillRect(QRectF(0, band.bottom() - 1, 240, 1), edge);
    StripImage strip;
    const int digits_right = left + 5 * d.digit.width();
    set_rect(strip, 1, QRect(left, d.digits_top, 5 * d.digit.width(), d.digit.height()));
    set_rect(strip, 3, QRect(digits_right, bottom - d.small_digit.height(), 2 * d.small_digit.width(),
                             d.small_digit.height()));
    set_rect(strip, 5, QRect(digits_right, d.digits_top, 2 * d.small_digit.width(), d.small_digit.height()));
    strip.set_value(7, QPoint((240 - layout::kCalendarWidth) / 2, d.calendar_top));
    strip.add_part(canvas.finish());
    return built(strip);
}

QImage draw_calendar(const SkinStyle& s, int scale)
{
    Canvas canvas(layout::kCalendarWidth, layout::kCalendarHeight, scale);
    QPainter& p = canvas.painter();
    const QRectF r(0, 0, layout::kCalendarWidth, layout::kCalendarHeight);
    if (s.finish == Finish::Classic) {
        p.fillRect(r, QColor(0, 0, 128));
        p.fillRect(QRectF(0, 0, r.width(), 16), QColor(0, 0, 96));
    } else {
        QColor back = s.screen_bottom.lighter(s.screen_bottom.lightness() > 128 ? 96 : 160);
        back.setAlpha(170);
        p.setPen(Qt::NoPen);
        p.setBrush(back);
        p.drawRoundedRect(r, 8, 8);
        QColor band = s.accent;
        band.setAlpha(70);
        p.setBrush(band);
        p.drawRoundedRect(QRectF(0, 0, r.width(), 16), 8, 8);
    }
    StripImage strip;
    strip.add_part(canvas.finish());
    strip.add_part(colour_row({ s.cal_title, s.cal_weekday, s.cal_day, s.cal_today }, 1));
    return built(strip);
}

namespace {

// An alarm bar: a slim gauge of twelve hours, x = 0 at the screen edge. `labels` marks the
// quarter hours with 0/3/6/9 (24-hour halves) or sun and moon for the 12-hour pair.
QImage time_bar(const SkinStyle& s, int scale, bool left_side, int first_hour, bool sun_moon, bool sun)
{
    const int height = 5 + 12 * 17 + 6;
    const int w = layout::kTimeBarWidth;
    Canvas canvas(w, height, scale);
    QPainter& p = canvas.painter();
    const QRectF track(left_side ? 1 : 3, 2, w - 4, height - 4);
    paint_surface(p, s, track, Surface::Pressed, 4);
    for (int h = 0; h <= 12; ++h) {
        const double y = 5 + h * 17;
        const bool major = h % 3 == 0;
        const double len = major ? w - 5 : (w - 5) * 0.5;
        p.setPen(QPen(major ? s.button_text : mix(s.button_text, s.button, 0.45), major ? 1.2 : 0.8));
        const double x0 = left_side ? track.right() - 1 - len : track.left() + 1;
        p.drawLine(QPointF(x0, y), QPointF(x0 + len, y));
        if (major && h < 12 && !sun_moon) {
            paint_text(p, QRectF(track.left(), y + 1, track.width(), 8), QString::number(first_hour + h), 6.5,
                       s.button_text, false);
        }
    }
    if (sun_moon) {
        const QPointF c(track.center().x(), height / 2.0);
        p.setPen(Qt::NoPen);
        p.setBrush(sun ? QColor(255, 196, 40) : QColor(250, 236, 150));
        p.drawEllipse(c, 3.2, 3.2);
        if (!sun) {
            p.setBrush(s.button.darker(125));
            p.drawEllipse(c + QPointF(1.4, -1), 2.6, 2.6);
        }
    }
    StripImage strip;
    strip.add_part(canvas.finish());
    return built(strip);
}

}  // namespace

QImage draw_time_bar(const SkinStyle& s, int scale, int half)
{
    return time_bar(s, scale, half == 0, half * 12, false, false);
}

QImage draw_time_bar_ampm(const SkinStyle& s, int scale, int half)
{
    return time_bar(s, scale, half == 0, 0, true, half == 0);
}

namespace {

QImage city_panel(const SkinStyle& s, int scale, QSize size)
{
    Canvas canvas(size.width(), size.height(), scale);
    QPainter& p = canvas.painter();
    paint_panel(p, s, QRectF(1, 1, size.width() - 2, size.height() - 2), 6);
    // The two squares at the bottom-right corner that the screen answers taps on: the slot's
    // list of favourites, and, left of it, "put the map's selected city here".
    const double w = size.width(), h = size.height();
    const QRectF list(w - 19, h - 19, 16, 16), assign(w - 36, h - 19, 16, 16);
    paint_surface(p, s, list, Surface::Raised, 3);
    paint_surface(p, s, assign, Surface::Raised, 3);
    paint_symbol(p, Symbol::Down, list.adjusted(3, 3, -3, -3), s.button_text);
    paint_symbol(p, Symbol::Flag, assign.adjusted(3, 3, -3, -3), s.button_text);
    StripImage strip;
    strip.add_part(canvas.finish());
    // Second frame: text colour 1 (name and time), text colour 2 (date), the city marker.
    strip.add_part(colour_row({ s.text_main, s.text_dim, s.marker }, 1));
    return built(strip);
}

}  // namespace

QImage draw_city_panel(const SkinStyle& s, int scale)
{
    return city_panel(s, scale, layout::kCityPanel);
}

QImage draw_landscape_city_panel(const SkinStyle& s, int scale)
{
    return city_panel(s, scale, layout::kLandscapeCityPanel);
}

QImage draw_timer_screen(const SkinStyle& s, int scale)
{
    using namespace layout;
    Canvas canvas(kTimerScreen.width(), kTimerScreen.height(), scale);
    QPainter& p = canvas.painter();
    for (int row = 0; row < 5; ++row) {
        const QRect r = kTimerFirstRow.translated(0, row * kTimerRowStep);
        paint_panel(p, s, r, 6);
        const QRect digits = kTimerDigits.translated(r.topLeft());
        p.setPen(Qt::NoPen);
        p.setBrush(s.finish == Finish::Classic ? QColor(0, 0, 0) : s.panel.darker(s.panel.lightness() > 128 ? 108 : 80));
        p.drawRoundedRect(QRectF(digits).adjusted(-3, -2, 3, 2), 4, 4);
    }
    StripImage strip;
    strip.set_value(1, kTimerFirstRow.topLeft());
    strip.set_value(2, QPoint(kTimerFirstRow.width(), kTimerFirstRow.height()));
    strip.set_value(3, QPoint(0, kTimerRowStep));
    set_rect(strip, 4, kTimerDigits);
    set_rect(strip, 6, kTimerStart);
    set_rect(strip, 8, kTimerReset);
    set_rect(strip, 10, kTimerEdit);
    strip.add_part(canvas.finish());
    return built(strip);
}

QImage draw_stopwatch_screen(const SkinStyle& s, int scale)
{
    using namespace layout;
    Canvas canvas(kStopwatchScreen.width(), kStopwatchScreen.height(), scale);
    QPainter& p = canvas.painter();
    const QRect display = kStopwatchDigits.united(kStopwatchMillis).adjusted(-8, -6, 8, 4);
    paint_panel(p, s, display, 8);
    paint_panel(p, s, kStopwatchLaps.adjusted(-4, -2, 4, 2), 6);
    p.setPen(QPen(mix(s.panel_edge, s.panel, 0.5), 0.6));
    for (int line = 1; line < 5; ++line) {
        const double y = kStopwatchLaps.top() + line * kStopwatchLaps.height() / 5.0;
        p.drawLine(QPointF(kStopwatchLaps.left() + 2, y), QPointF(kStopwatchLaps.right() - 2, y));
    }
    StripImage strip;
    set_rect(strip, 1, kStopwatchDigits);
    set_rect(strip, 3, kStopwatchLaps);
    set_rect(strip, 5, kStopwatchStart);
    set_rect(strip, 7, kStopwatchLap);
    set_rect(strip, 9, kStopwatchSave);
    set_rect(strip, 11, kStopwatchMillis);
    strip.add_part(canvas.finish());
    return built(strip);
}

QImage draw_small_digital_face(const SkinStyle& s, int scale)
{
    Canvas canvas(80, 20, scale);
    paint_panel(canvas.painter(), s, QRectF(0, 0, 80, 20), 5);
    StripImage strip;
    strip.add_part(canvas.finish());
    return built(strip);
}

}  // namespace zt::skinart
