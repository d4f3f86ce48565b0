#include "skins/digits.h"

#include "platform/gui/locale_clock.h"
#include "skins/drawing.h"

namespace zt::skins {

void draw_digit(CPicture& destination, const CImageStrip& strip, int glyph, int32_t& pen_x, int32_t baseline_y) {
    std::optional<StripPart> part = strip.part(glyph);
    if (!part) return;
    const int s = strip.shift();
    draw_part(destination, strip, glyph, 0, 0, pen_x, baseline_y - (part->height << s));
    pen_x += strip.half_width() << s;
}

void draw_two_digits(CPicture& destination, const CImageStrip& strip, int value, int32_t& pen_x, int32_t baseline_y) {
    if (value < 0 || value > 99) return;
    draw_digit(destination, strip, value / 10, pen_x, baseline_y);
    draw_digit(destination, strip, value % 10, pen_x, baseline_y);
}

void draw_am_pm(CPicture& destination, const CImageStrip& small_digits, bool pm, int32_t& pen_x, int32_t baseline_y) {
    draw_digit(destination, small_digits, pm ? kGlyphP : kGlyphA, pen_x, baseline_y);
    draw_digit(destination, small_digits, kGlyphM, pen_x, baseline_y);
}

bool is_twelve_hour_indicator(std::u16string_view indicator) { return indicator == u"0" || indicator == u"48"; }

bool twelve_hour_clock() { return is_twelve_hour_indicator(platform::gui::locale_time_indicator()); }

ClockHour twelve_hour(int hour) {
    int h = ((hour % 24) + 24) % 24;
    ClockHour shown { h, h >= 12 };
    if (h == 0)
        shown.hour = 12;
    else if (h > 12)
        shown.hour = h - 12;
    return shown;
}

}  // namespace zt::skins
