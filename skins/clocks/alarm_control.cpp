#include "skins/clocks/alarm_control.h"

#include <string>

#include "platform/gui/text_painter.h"
#include "skins/clocks/digital_clock.h"
#include "skins/digits.h"
#include "skins/drawing.h"
#include "skins/skin_manager.h"

namespace zt::skins {
namespace {

namespace tf = platform::gui::text_format;

constexpr int kCellSizeValue = 1;
constexpr int kFirstUpValue = 2;
constexpr int kFirstDownValue = 6;
constexpr int kFirstButtonValue = 10;
constexpr int kFirstButtonEndValue = 14;
constexpr int kAmPmValue = 18;
constexpr int kAmPmGlyphsValue = 20;

Rect rect_at(Point top_left, Point size) { return { top_left.x, top_left.y, top_left.x + size.x, top_left.y + size.y }; }

void draw_centred(CPicture& canvas, std::u16string_view text, const Rect& box, int32_t height, Rgb colour) {
    platform::gui::draw_text({ canvas.bits(), canvas.width(), canvas.height(), canvas.stride() }, { u"", height, 700 },
                             text, { box.left, box.top, box.right, box.bottom }, { colour.red, colour.green, colour.blue },
                             tf::kCenter | tf::kVCenter | tf::kSingleLine | tf::kNoPrefix);
}

}  // namespace

bool CAlarmControlFace::load(CSkinManager& skins) {
    release();
    CImageStrip strip = skins.load_image_strip(kAlarmControlImage);
    if (!strip.valid() || strip.part_count() == 0) return false;
    m_am_pm_glyphs = strip.value_colour(kAmPmGlyphsValue).has_value();
    if (std::optional<StripPart> swatch = strip.part(1); swatch && swatch->height > 0)
        m_digit_colour = strip.picture()->colour(0, swatch->start);
    m_image = std::move(strip);
    CImageStrip small = skins.load_image_strip(kSmallDigitsImage);
    if (small.valid() && small.part_count() > kGlyphM) m_small_digits = std::move(small);
    return true;
}

void CAlarmControlFace::release() {
    m_image.reset();
    m_small_digits.reset();
    m_digit_colour = {};
}

void CAlarmControlFace::place(const ClockPlacement& placement) {
    if (!m_image) return;
    const bool high = placement.high_resolution;
    const int s = m_image->shift();
    m_size = { m_image->half_width() << s, m_image->part(0)->height << s };
    m_top_left = { (placement.width - m_size.x) / 2, (placement.height - m_size.y) / 2 };
    const auto value = [&](int n) { return m_image->value(n, high).value_or(Point {}); };
    const Point cell = value(kCellSizeValue);
    for (size_t i = 0; i < 4; ++i) {
        const int n = static_cast<int>(i);
        m_up[i] = rect_at(value(kFirstUpValue + n), cell);
        m_down[i] = rect_at(value(kFirstDownValue + n), cell);
        const Point from = value(kFirstButtonValue + n), to = value(kFirstButtonEndValue + n);
        m_buttons[i] = { from.x, from.y, to.x, to.y };
    }
    const Point from = value(kAmPmValue), to = value(kAmPmValue + 1);
    m_am_pm = { from.x, from.y, to.x, to.y };
}

Rect CAlarmControlFace::shifted(const Rect& r) const {
    return { r.left + m_top_left.x, r.top + m_top_left.y, r.right + m_top_left.x, r.bottom + m_top_left.y };
}

Rect CAlarmControlFace::box() const { return rect_at(m_top_left, m_size); }

Rect CAlarmControlFace::digit_box(int digit) const {
    const size_t i = static_cast<size_t>(digit);
    return shifted({ m_up[i].left, m_up[i].bottom, m_down[i].right, m_down[i].top });
}

std::optional<ControlHit> CAlarmControlFace::hit(Point point, bool twelve_hour) const {
    if (!m_image) return std::nullopt;
    using Kind = ControlHit::Kind;
    for (int i = 0; i < 4; ++i)
        if (button_box(static_cast<ControlButton>(i)).contains(point)) return ControlHit { Kind::Button, i };
    for (int i = 0; i < 4; ++i) {
        if (arrow_box(i, true).contains(point)) return ControlHit { Kind::UpArrow, i };
        if (arrow_box(i, false).contains(point)) return ControlHit { Kind::DownArrow, i };
    }
    if (twelve_hour && am_pm_box().contains(point)) return ControlHit { Kind::AmPm, 0 };
    return std::nullopt;
}

void CAlarmControlFace::draw_image(CPicture& canvas) const {
    if (m_image) draw_part(canvas, *m_image, 0, 0, 0, m_top_left.x, m_top_left.y);
}

void CAlarmControlFace::draw_time(CPicture& canvas, const DayTime& time, bool twelve_hour) const {
    if (!m_image) return;
    const ClockHour hour = twelve_hour ? skins::twelve_hour(time.hour) : ClockHour { time.hour, time.hour >= 12 };
    const int digits[4] { hour.hour / 10, hour.hour % 10, time.minute / 10, time.minute % 10 };
    for (int i = 0; i < 4; ++i) {
        const Rect box = digit_box(i);
        draw_centred(canvas, std::u16string(1, static_cast<char16_t>(u'0' + digits[i])), box, box.height(), m_digit_colour);
    }
    if (!twelve_hour) return;
    const Rect cell = am_pm_box();
    if (!m_am_pm_glyphs || !m_small_digits) {
        draw_centred(canvas, hour.pm ? u"PM" : u"AM", cell, cell.height() / 2, m_digit_colour);
        return;
    }
    const int s = m_small_digits->shift();
    const int32_t advance = m_small_digits->half_width() << s;
    const int32_t glyph_height = m_small_digits->part(kGlyphA)->height << s;
    int32_t pen = cell.left + (cell.width() - 2 * advance) / 2;
    draw_am_pm(canvas, *m_small_digits, hour.pm, pen, cell.top + (cell.height() + glyph_height) / 2);
}

}  // namespace zt::skins
