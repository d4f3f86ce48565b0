#include "skins/clocks/analog_clock.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "skins/drawing.h"
#include "skins/skin_manager.h"

namespace zt::skins {
namespace {

constexpr int32_t kDefaultAlarmRadius = 110;

// The dial's top-left for the placement, in the order of its value pixels.
int dial_position_value(const ClockPlacement& placement) {
    return (placement.landscape ? 3 : 1) + (placement.full_screen ? 1 : 0);
}

}  // namespace

HandAngles hand_angles(int hour, int minute, int second) {
    return { (hour * 60 + minute) / 2, (minute * 60 + second) / 10, second * 6 };
}

int hand_rotation(int angle) { return (angle + 270) % 360; }

Point analog_alarm_position(Point centre, int32_t radius, int hour, int minute) {
    const int degrees = (minute / 2 + hour * 30) % 360;
    const double theta = degrees * std::numbers::pi / 180.0;
    return { static_cast<int32_t>(centre.x + radius * std::sin(theta)),
             static_cast<int32_t>(centre.y - radius * std::cos(theta)) };
}

DayTime analog_time_at(Point centre, Point point, int previous_hour) {
    double degrees = std::atan2(point.x - centre.x, centre.y - point.y) * 180.0 / std::numbers::pi;
    if (degrees < 0) degrees += 360.0;
    const int theta = static_cast<int>(degrees) % 360;
    const int dial_hour = theta / 30;
    const int previous = ((previous_hour % 24) + 24) % 24;
    bool afternoon = previous >= 12;
    const int previous_dial = previous % 12;
    const bool crossed_forward = previous_dial >= 9 && dial_hour <= 3;
    const bool crossed_back = previous_dial <= 3 && dial_hour >= 9;
    if (crossed_forward || crossed_back) afternoon = !afternoon;
    return { dial_hour + (afternoon ? 12 : 0), (theta % 30) * 2 };
}

bool CAnalogClockFace::load(CSkinManager& skins) {
    release();
    auto second = load_required_strip(skins, kSecondHandImage);
    auto minute = second ? load_required_strip(skins, kMinuteHandImage) : std::nullopt;
    auto hour = minute ? load_required_strip(skins, kHourHandImage) : std::nullopt;
    auto dial = hour ? load_required_strip(skins, kDialImage) : std::nullopt;
    if (!dial || !m_icons.load(skins)) {
        m_icons.release();
        return false;
    }
    m_second_hand = std::move(second);
    m_minute_hand = std::move(minute);
    m_hour_hand = std::move(hour);
    m_dial = std::move(dial);
    return true;
}

void CAnalogClockFace::release() {
    m_second_hand.reset();
    m_minute_hand.reset();
    m_hour_hand.reset();
    m_dial.reset();
    m_icons.release();
}

void CAnalogClockFace::place(const ClockPlacement& placement) {
    if (!m_dial) return;
    const int s = m_dial->shift();
    const StripPart part = *m_dial->part(0);
    const Point size { m_dial->half_width() << s, part.height << s };
    m_anchor = { part.anchor_x << s, part.anchor_y << s };
    // Value 1 says whether the skin places the dial itself; a layout it leaves out is centred.
    std::optional<Point> placed;
    if (m_dial->value(1, placement.high_resolution))
        placed = m_dial->value(dial_position_value(placement), placement.high_resolution);
    m_dial_top_left = placed ? *placed : Point { (placement.width - size.x) / 2, (placement.height - size.y) / 2 };
    m_centre = { m_dial_top_left.x + m_anchor.x, std::max(m_dial_top_left.y + m_anchor.y, m_anchor.y) };
    const std::optional<Point> radius = m_dial->value(5, placement.high_resolution);
    m_radius = radius ? radius->x : layout_number(kDefaultAlarmRadius, placement.high_resolution);
}

void CAnalogClockFace::compose(CPicture& canvas, const platform::SYSTEMTIME& time, const ClockShow& show,
                               std::span<const AlarmMark> alarms, const CAlarmControlFace* control) const {
    if (!loaded()) return;
    draw_part(canvas, *m_dial, 0, 0, 0, m_centre.x - m_anchor.x, m_centre.y - m_anchor.y);
    const HandAngles angles = hand_angles(time.wHour, time.wMinute, time.wSecond);
    draw_rotated(canvas, *m_hour_hand, m_centre.x, m_centre.y, hand_rotation(angles.hour));
    draw_rotated(canvas, *m_minute_hand, m_centre.x, m_centre.y, hand_rotation(angles.minute));
    if (show.seconds) draw_rotated(canvas, *m_second_hand, m_centre.x, m_centre.y, hand_rotation(angles.second));
    if (control) control->draw_image(canvas);
    if (!show.alarms) return;
    for (const AlarmMark& alarm : alarms)
        m_icons.draw(canvas, analog_alarm_position(m_centre, m_radius, alarm.hour, alarm.minute), alarm);
}

}  // namespace zt::skins
