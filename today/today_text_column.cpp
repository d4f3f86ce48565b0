// The text column beside the one-city clock: the city's name, the date and the next alarm, each
// after its small icon.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "platform/base/text.h"
#include "platform/gui/locale_calendar.h"
#include "platform/gui/locale_clock.h"
#include "skins/drawing.h"
#include "skins/text_cut.h"
#include "today/today_drawing_parts.h"
#include "world/zone_local_time.h"

namespace zt::today {
namespace {

namespace gui = platform::gui;

int32_t sized(int32_t normal, bool high_resolution) { return high_resolution ? normal * 2 : normal; }

// Floor division: the offset of a zone west of Greenwich rounds the same way as one east of it.
int64_t floor_divide(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return (value % divisor != 0 && (value < 0) != (divisor < 0)) ? quotient - 1 : quotient;
}

// The local-minus-universal offset of the content's moment, in minutes, rounded to the nearest.
std::optional<int64_t> zone_offset_minutes(const TodayContent& content) {
    const std::optional<platform::FileTime> local = platform::system_time_to_file_time(content.local);
    const std::optional<platform::FileTime> universal = platform::system_time_to_file_time(content.universal);
    if (!local || !universal) return std::nullopt;
    const int64_t milliseconds = (*local - *universal) / platform::kFileTimeTicksPerMillisecond;
    return floor_divide((milliseconds + 30'000) * 2, 120'000);
}

std::optional<platform::SYSTEMTIME> alarm_in_city_time(const TodayContent& content, platform::FileTime alarm,
                                                       const std::optional<CitySlot>& city) {
    std::optional<platform::FileTime> shown;
    if (city) {
        shown = world::zone_local_file_time(city->rules, alarm);
    } else if (const std::optional<int64_t> offset = zone_offset_minutes(content)) {
        shown = alarm + *offset * 60 * platform::kFileTimeTicksPerSecond;
    }
    return shown ? platform::file_time_to_system_time(*shown) : std::nullopt;
}

}  // namespace

TodayFonts today_fonts(const TodayLook& look) {
    const int32_t normal = std::max(1, look.normal_font_height);
    return {
        { u"", normal, 400, false },
        { u"", normal * 18 / 11, 400, false },
        { u"", sized(28, look.high_resolution), 400, false },
    };
}

gui::FontRequest font_fitting(gui::FontRequest font, std::u16string_view text, int32_t width) {
    constexpr int32_t kSmallest = 8;
    font.height = std::abs(font.height);
    while (font.height > kSmallest) {
        const auto measured = gui::measure_text(font, text);
        if (!measured || *measured <= width) break;
        --font.height;
    }
    return font;
}

void draw_line_text(skins::CPicture& picture, std::u16string_view text, skins::Rect box, const gui::FontRequest& font,
                    skins::Rgb colour, uint32_t format) {
    if (text.empty() || box.width() <= 0 || box.height() <= 0) return;
    const skins::TextStyle style { font, colour, format | gui::text_format::kVCenter | gui::text_format::kNoPrefix };
    skins::draw_text_cut_to_width(picture, text, box, style, true);
}

void draw_icon_image(skins::CPicture& picture, const QImage& image, int32_t x, int32_t y) {
    if (image.isNull()) return;
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int32_t row = 0; row < argb.height(); ++row) {
        for (int32_t column = 0; column < argb.width(); ++column) {
            if (!picture.contains(x + column, y + row)) continue;
            const QRgb source = argb.pixel(column, row);
            const int32_t alpha = qAlpha(source);
            if (alpha == 0) continue;
            const skins::Rgb under = picture.colour(x + column, y + row);
            const auto mix = [alpha](int32_t over, int32_t back) {
                return static_cast<uint8_t>((over * alpha + back * (255 - alpha) + 127) / 255);
            };
            picture.set_colour(x + column, y + row,
                               { mix(qRed(source), under.red), mix(qGreen(source), under.green), mix(qBlue(source), under.blue) });
        }
    }
}

std::u16string next_alarm_text(const TodayContent& content, const std::optional<CitySlot>& city) {
    if (!content.next_alarm) return content.none_text;
    const std::optional<platform::SYSTEMTIME> shown = alarm_in_city_time(content, *content.next_alarm, city);
    if (!shown) return content.none_text;
    std::u16string text = gui::format_locale_time(shown->wHour, shown->wMinute);
    const std::optional<platform::FileTime> now = platform::system_time_to_file_time(content.universal);
    if (now && *content.next_alarm - *now >= platform::kFileTimeTicksPerDay) {
        text += u" [+";
        text += platform::to_u16(std::to_string((*content.next_alarm - *now) / platform::kFileTimeTicksPerDay));
        text += u"]";
    }
    return text;
}

TodayTexts today_texts(const TodayContent& content) {
    const std::optional<CitySlot> city = shown_city(content);
    const platform::SYSTEMTIME time = city_time(content, city);
    return { city ? std::u16string(city->city.name_view()) : content.local_name,
             gui::format_locale_short_date(time.wYear, time.wMonth, time.wDay), next_alarm_text(content, city) };
}

void draw_text_column(skins::CPicture& picture, const TodayLayout& layout, const TodayContent& content,
                      const TodayImages& images, const TodayLook& look) {
    if (layout.text_column.width() <= 0) return;
    const bool high_resolution = look.high_resolution;
    const TodayTexts lines = today_texts(content);
    const std::u16string texts[3] = { lines.city, lines.date, lines.alarm };
    // The icons of the three lines: the city, the calendar, the alarm bell.
    constexpr int kLineIcon[3] = { 2, 0, 1 };
    const int32_t glyph_width = images.icons.valid() ? images.icons.half_width() << images.icons.shift() : 0;
    const TodayFonts fonts = today_fonts(look);
    for (int line = 0; line < 3; ++line) {
        const skins::Rect& box = layout.line[line];
        if (const std::optional<skins::StripPart> part = images.icons.part(kLineIcon[line])) {
            const int32_t centre = sized(8 + 12 * line, high_resolution);
            const int32_t height = part->height << images.icons.shift();
            skins::draw_part(picture, images.icons, kLineIcon[line], 0, 0, box.left, centre - height / 2);
        }
        const skins::Rect text_box { box.left + glyph_width + sized(3, high_resolution), box.top, box.right, box.bottom };
        draw_line_text(picture, texts[line], text_box, fonts.normal, look.text_colour, gui::text_format::kLeft);
    }
}

}  // namespace zt::today
