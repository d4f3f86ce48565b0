#include "skins/clocks/digital_clock.h"

#include <algorithm>

#include "skins/digits.h"
#include "skins/drawing.h"
#include "skins/skin_manager.h"

namespace zt::skins {
namespace {

constexpr int kMinutesPerHalfDay = 12 * 60;
// Face values: the three rectangles (top-left, bottom-right) and the calendar's top-left.
constexpr int kDigitsRect = 1;
constexpr int kSecondsRect = 3;
constexpr int kAmPmRect = 5;
constexpr int kCalendarPosition = 7;
// The face's rectangles are given for a screen this wide (doubled on high resolution).
constexpr int32_t kFaceWidth = 240;

int32_t drawn_width(const std::optional<CImageStrip>& strip) { return strip ? strip->half_width() << strip->shift() : 0; }
int32_t tallest(const std::optional<CImageStrip>& strip) { return strip ? strip->tallest_part() << strip->shift() : 0; }

}  // namespace

Point bar_alarm_position(const BarGeometry& bars, int hour, int minute) {
    int t = (((hour % 24) + 24) % 24) * 60 + minute;
    int32_t x = std::max(bars.left_width, bars.icon_width / 2);
    if (t >= kMinutesPerHalfDay) {
        t -= kMinutesPerHalfDay;
        x = bars.screen_width - std::max(bars.right_width, bars.icon_width / 2);
    }
    return { x, bars.top + layout_number(5, bars.high_resolution) + t * layout_number(17, bars.high_resolution) / 60 };
}

DayTime bar_time_at(const BarGeometry& bars, Point point) {
    const int32_t below_top = point.y - bars.top - layout_number(5, bars.high_resolution);
    const int32_t per_hour = layout_number(17, bars.high_resolution);
    int t = std::clamp(below_top * 60 / per_hour, 0, kMinutesPerHalfDay);
    if (point.x >= bars.screen_width / 2) t += kMinutesPerHalfDay;
    return { t / 60, t % 60 };
}

bool CDigitalClockFace::load(CSkinManager& skins, bool twelve_hour) {
    release();
    m_twelve_hour = twelve_hour;
    auto digits = load_required_strip(skins, kDigitsImage);
    auto left = load_required_strip(skins, twelve_hour ? kMorningBarImage : kLeftBarImage);
    auto right = load_required_strip(skins, twelve_hour ? kAfternoonBarImage : kRightBarImage);
    if (!digits || !left || !right || !m_icons.load(skins)) {
        m_icons.release();
        return false;
    }
    m_digits = std::move(digits);
    m_left_bar = std::move(left);
    m_right_bar = std::move(right);
    m_face = load_required_strip(skins, kDigitalFaceImage);
    m_small_digits = load_required_strip(skins, kSmallDigitsImage);
    m_calendar.load(skins);
    return true;
}

void CDigitalClockFace::release() {
    m_face.reset();
    m_digits.reset();
    m_small_digits.reset();
    m_left_bar.reset();
    m_right_bar.reset();
    m_icons.release();
    m_calendar.release();
}

void CDigitalClockFace::place(const ClockPlacement& placement) { m_placement = placement; }

int32_t CDigitalClockFace::face_shift() const {
    return std::max(0, m_placement.width - layout_number(kFaceWidth, m_placement.high_resolution)) / 2;
}

std::optional<Rect> CDigitalClockFace::face_rect(int first_value) const {
    if (!m_face) return std::nullopt;
    const bool high = m_placement.high_resolution;
    const std::optional<Point> top_left = m_face->value(first_value, high);
    const std::optional<Point> bottom_right = m_face->value(first_value + 1, high);
    if (!top_left || !bottom_right) return std::nullopt;
    const int32_t shift = face_shift();
    return Rect { top_left->x + shift, top_left->y, bottom_right->x + shift, bottom_right->y };
}


DigitPens CDigitalClockFace::pens(const ClockShow& show) const {
    DigitPens pens;
    const int32_t advance = drawn_width(m_digits);
    const int32_t tallest_digit = tallest(m_digits);
    if (std::optional<Rect> digits = face_rect(kDigitsRect)) {
        pens.digits = { digits->left, digits->bottom };
    } else {
        const int32_t left_bar = show.alarms ? drawn_width(m_left_bar) : 0;
        const int32_t right_bar = show.alarms ? drawn_width(m_right_bar) : 0;
        const int k = show.seconds || show.twelve_hour ? 2 : 0;
        const int32_t left = (left_bar + m_placement.width - 5 * advance - k * drawn_width(m_small_digits) - right_bar) / 2;
        int32_t baseline = (m_placement.height + tallest_digit) / 2;
        if (show.calendar) baseline -= layout_number(40, m_placement.high_resolution);
        pens.digits = { left, baseline };
    }
    const int32_t minutes_end = pens.digits.x + 5 * advance;
    if (std::optional<Rect> seconds = face_rect(kSecondsRect)) {
        pens.seconds = { seconds->left, seconds->bottom };
        pens.seconds_follow_digits = false;
    } else {
        pens.seconds = { minutes_end, pens.digits.y };
    }
    if (std::optional<Rect> am_pm = face_rect(kAmPmRect)) {
        pens.am_pm = { am_pm->left, am_pm->bottom };
    } else {
        // Its top lines up with the top of the tallest digit.
        std::optional<StripPart> a = m_small_digits ? m_small_digits->part(kGlyphA) : std::nullopt;
        const int32_t a_height = a ? a->height << m_small_digits->shift() : 0;
        pens.am_pm = { minutes_end, pens.digits.y + a_height - tallest_digit };
    }
    return pens;
}

BarGeometry CDigitalClockFace::bars() const {
    return { m_placement.width, drawn_width(m_left_bar), drawn_width(m_right_bar), m_icons.icon_size().x, 0,
             m_placement.high_resolution };
}

Point CDigitalClockFace::calendar_top_left(const CalendarMetrics& metrics, const ClockShow& show) const {
    if (m_face) {
        if (std::optional<Point> position = m_face->value(kCalendarPosition, m_placement.high_resolution)) {
            return { position->x + face_shift(), position->y };
        }
    }
    const int32_t left_bar = show.alarms ? drawn_width(m_left_bar) : 0;
    const int32_t right_bar = show.alarms ? drawn_width(m_right_bar) : 0;
    return { left_bar + (m_placement.width - left_bar - right_bar - metrics.width()) / 2,
             (m_placement.height + tallest(m_digits)) / 2 - layout_number(30, m_placement.high_resolution) };
}

void CDigitalClockFace::compose(CPicture& canvas, const platform::SYSTEMTIME& time, const ClockShow& show,
                                std::span<const AlarmMark> alarms, const platform::gui::CalendarLocale& locale,
                                const CAlarmControlFace* control) const {
    if (!loaded()) return;
    if (m_face) draw_part(canvas, *m_face, 0, 0, 0, 0, 0);
    const DigitPens at = pens(show);
    ClockHour hour { time.wHour % 24, time.wHour % 24 >= 12 };
    if (show.twelve_hour) hour = skins::twelve_hour(time.wHour);
    int32_t pen = at.digits.x;
    draw_two_digits(canvas, *m_digits, hour.hour, pen, at.digits.y);
    draw_digit(canvas, *m_digits, kSeparatorGlyph, pen, at.digits.y);
    draw_two_digits(canvas, *m_digits, time.wMinute, pen, at.digits.y);
    if (m_small_digits) {
        if (show.seconds) {
            int32_t seconds_pen = at.seconds.x;
            draw_two_digits(canvas, *m_small_digits, time.wSecond, seconds_pen, at.seconds.y);
        }
        if (show.twelve_hour) {
            int32_t am_pm_pen = at.am_pm.x;
            draw_am_pm(canvas, *m_small_digits, hour.pm, am_pm_pen, at.am_pm.y);
        }
    }
    if (show.calendar) {
        const CalendarMetrics metrics =
            calendar_metrics(calendar_week_rows(time, locale.first_day_of_week), m_placement.high_resolution);
        m_calendar.draw(canvas, calendar_top_left(metrics, show), time, metrics, locale);
    }
    if (!show.alarms) return;
    const BarGeometry geometry = bars();
    draw_part(canvas, *m_left_bar, 0, 0, 0, 0, geometry.top);
    draw_part(canvas, *m_right_bar, 0, 0, 0, geometry.screen_width - geometry.right_width, geometry.top);
    if (control) control->draw_image(canvas);
    for (const AlarmMark& alarm : alarms) m_icons.draw(canvas, bar_alarm_position(geometry, alarm.hour, alarm.minute), alarm);
}

}  // namespace zt::skins
