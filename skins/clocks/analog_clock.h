#pragma once
// The analog clock face: the dial of "Clock.png" placed by its value pixels (or centred in the
// clock area), the hands "HArrow.png", "MArrow.png", "SArrow.png" drawn pointing to 3 o'clock
// and turned about their pivots on the dial's centre, and the alarms as icons on a circle.
#include <optional>
#include <span>

#include "platform/base/system_time.h"
#include "skins/clocks/alarm_control.h"
#include "skins/clocks/alarm_icons.h"
#include "skins/clocks/clock_face.h"
#include "skins/image_strip.h"
#include "skins/picture.h"

namespace zt::skins {

class CSkinManager;

inline constexpr char16_t kDialImage[] = u"Clock.png";
inline constexpr char16_t kHourHandImage[] = u"HArrow.png";
inline constexpr char16_t kMinuteHandImage[] = u"MArrow.png";
inline constexpr char16_t kSecondHandImage[] = u"SArrow.png";

// Hand angles in whole degrees from 12 o'clock, clockwise (integer divisions): the hour hand
// moves every two minutes, the minute hand every ten seconds.
struct HandAngles {
    int hour { 0 };
    int minute { 0 };
    int second { 0 };
    bool operator==(const HandAngles&) const = default;
};
HandAngles hand_angles(int hour, int minute, int second);
// The rotation a hand drawn pointing to 3 o'clock needs to show that angle.
int hand_rotation(int angle);
// Where an alarm's icon sits on a circle of that radius around the centre.
Point analog_alarm_position(Point centre, int32_t radius, int hour, int minute);
// The time a point stands for when a hand points at it from the centre: the whole degrees θ
// from 12 o'clock give the minute ((θ mod 30) × 2) and the hour on the dial (θ ÷ 30). Morning or
// afternoon stays as `previous_hour` had it, except that crossing 12 o'clock (from 9-11 on the
// dial to 0-3 or back) flips it.
DayTime analog_time_at(Point centre, Point point, int previous_hour);

class CAnalogClockFace {
public:
    // The second, minute and hour hands, the dial and the alarm icon, in that order; false when
    // any of them does not load (the skin cannot show this clock).
    bool load(CSkinManager& skins);
    void release();
    bool loaded() const { return m_dial.has_value(); }

    void place(const ClockPlacement& placement);
    Point dial_top_left() const { return m_dial_top_left; }
    Point centre() const { return m_centre; }
    int32_t alarm_radius() const { return m_radius; }
    const CAlarmIcons& icons() const { return m_icons; }
    Point alarm_position(const DayTime& time) const { return analog_alarm_position(m_centre, m_radius, time.hour, time.minute); }
    DayTime time_at(Point point, int previous_hour) const { return analog_time_at(m_centre, point, previous_hour); }

    // The open alarm control's image, when given, goes under the alarm icons.
    void compose(CPicture& canvas, const platform::SYSTEMTIME& time, const ClockShow& show,
                 std::span<const AlarmMark> alarms, const CAlarmControlFace* control = nullptr) const;

private:
    std::optional<CImageStrip> m_second_hand;
    std::optional<CImageStrip> m_minute_hand;
    std::optional<CImageStrip> m_hour_hand;
    std::optional<CImageStrip> m_dial;
    CAlarmIcons m_icons;

    Point m_dial_top_left;
    Point m_centre;
    Point m_anchor;  // the dial's, at drawn size
    int32_t m_radius { 0 };
};

}  // namespace zt::skins
