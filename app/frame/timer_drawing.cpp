#include "app/frame/timer_drawing.h"

#include "core/timer.h"
#include "skins/digits.h"
#include "skins/drawing.h"

namespace zt::app {
namespace {

int glyph_of(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c == u':') return kTimerColonGlyph;
    if (c == u'.') return kTimerPointGlyph;
    return -1;
}

}  // namespace

std::u16string timer_clock_text(int64_t ms) {
    const std::u16string d = core::format_timer_digits(ms);  // HHMMSSmmm
    return d.substr(0, 2) + u":" + d.substr(2, 2) + u":" + d.substr(4, 2);
}

std::u16string timer_millis_text(int64_t ms) { return u"." + core::format_timer_digits(ms).substr(6, 3); }

void draw_timer_text(skins::CPicture& canvas, const skins::CImageStrip& digits, std::u16string_view text, skins::Rect box) {
    const int s = digits.shift();
    const int32_t advance = digits.half_width() << s;
    int32_t glyphs = 0;
    for (char16_t c : text) glyphs += glyph_of(c) >= 0 ? 1 : 0;
    int32_t pen = box.left + (box.width() - advance * glyphs) / 2;
    const int32_t baseline = box.bottom - (box.height() - (digits.tallest_part() << s)) / 2;
    for (char16_t c : text)
        if (const int glyph = glyph_of(c); glyph >= 0) skins::draw_digit(canvas, digits, glyph, pen, baseline);
}

void draw_centred_part(skins::CPicture& canvas, const skins::CImageStrip& strip, int index, skins::Rect box) {
    const auto part = strip.part(index);
    if (!part) return;
    const int s = strip.shift();
    const int32_t width = strip.half_width() << s;
    const int32_t height = part->height << s;
    skins::draw_part(canvas, strip, index, 0, 0, box.left + (box.width() - width) / 2, box.top + (box.height() - height) / 2);
}

}  // namespace zt::app
