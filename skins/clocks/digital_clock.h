#pragma once
// The digital clock face: "DClock.png" (optional) with its three rectangles for the digits,
// the seconds and the AM/PM mark, the time in "Digits.png" and "SmallDigits.png", the alarm
// bars down both sides ("TimeBar_1/2.png" for a 24-hour clock, "TimeBar_AM/PM.png" for a
// 12-hour one) with every alarm on them, and the month calendar.
#include <optional>
#include <span>

#include "platform/base/system_time.h"
#include "platform/gui/locale_calendar.h"
#include "skins/clocks/alarm_control.h"
#include "skins/clocks/alarm_icons.h"
#include "skins/clocks/clock_face.h"
#include "skins/clocks/month_calendar.h"
#include "skins/image_strip.h"
#include "skins/picture.h"

namespace zt::skins {

class CSkinManager;

inline constexpr char16_t kDigitalFaceImage[] = u"DClock.png";
inline constexpr char16_t kDigitsImage[] = u"Digits.png";
inline constexpr char16_t kSmallDigitsImage[] = u"SmallDigits.png";
inline constexpr char16_t kLeftBarImage[] = u"TimeBar_1.png";
inline constexpr char16_t kRightBarImage[] = u"TimeBar_2.png";
inline constexpr char16_t kMorningBarImage[] = u"TimeBar_AM.png";
inline constexpr char16_t kAfternoonBarImage[] = u"TimeBar_PM.png";

// Where an alarm's icon sits on the bars: morning minutes (of the day, below 720) on the left
// bar, the others on the right one, 17 pixels an hour below the bars' top (34 on a
// high-resolution screen).
struct BarGeometry {
    int32_t screen_width { 0 };
    int32_t left_width { 0 };
    int32_t right_width { 0 };
    int32_t icon_width { 0 };
    int32_t top { 0 };  // the title bar's height
    bool high_resolution { false };
};
Point bar_alarm_position(const BarGeometry& bars, int hour, int minute);
// The time a point stands for on the bars (the inverse of bar_alarm_position): the left half of
// the screen is the morning bar, the right half the afternoon one; a point above or below a
// bar counts as its top or its end (the next half day's start: 24:00 at the afternoon bar's end).
DayTime bar_time_at(const BarGeometry& bars, Point point);

// Pen positions of the time: digits, seconds and AM/PM each start at a pen x on a baseline.
struct DigitPens {
    Point digits;
    Point seconds;  // used when no seconds rectangle: continues after the minutes
    Point am_pm;
    bool seconds_follow_digits { true };
};

class CDigitalClockFace {
public:
    // "Digits.png", the bar pair of the clock mode and the alarm icon are required; the face,
    // the calendar background and the small digits are not. False when a required one is
    // missing.
    bool load(CSkinManager& skins, bool twelve_hour);
    void release();
    bool loaded() const { return m_digits.has_value(); }
    // The clock mode the bars were loaded for.
    bool twelve_hour() const { return m_twelve_hour; }

    void place(const ClockPlacement& placement);
    // Where the time is drawn for what is shown (computed, or from the face's rectangles).
    DigitPens pens(const ClockShow& show) const;
    BarGeometry bars() const;
    const CAlarmIcons& icons() const { return m_icons; }
    Point alarm_position(const DayTime& time) const { return bar_alarm_position(bars(), time.hour, time.minute); }
    DayTime time_at(Point point) const { return bar_time_at(bars(), point); }
    // The calendar's top-left: the face's position, else centred between the bars shown.
    Point calendar_top_left(const CalendarMetrics& metrics, const ClockShow& show) const;

    void compose(CPicture& canvas, const platform::SYSTEMTIME& time, const ClockShow& show,
                 std::span<const AlarmMark> alarms, const platform::gui::CalendarLocale& locale,
                 const CAlarmControlFace* control = nullptr) const;

private:
    // How far the face's positions, given for a 240-wide screen (480 on high resolution), move
    // right on a wider one: half the extra width.
    int32_t face_shift() const;
    // A rectangle of the face from value pixels (a, a + 1), shifted onto wider screens.
    std::optional<Rect> face_rect(int first_value) const;

    std::optional<CImageStrip> m_face;
    std::optional<CImageStrip> m_digits;
    std::optional<CImageStrip> m_small_digits;
    std::optional<CImageStrip> m_left_bar;
    std::optional<CImageStrip> m_right_bar;
    CAlarmIcons m_icons;
    CMonthCalendar m_calendar;
    bool m_twelve_hour { false };
    ClockPlacement m_placement;
};

}  // namespace zt::skins
