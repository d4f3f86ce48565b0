// The item's four views: analog or digital, one city with the text column or several cities
// side by side (analog) or in rows (digital).
#include <algorithm>

#include "platform/gui/locale_calendar.h"
#include "platform/gui/locale_clock.h"
#include "skins/clocks/analog_clock.h"
#include "skins/drawing.h"
#include "today/item_icons.h"
#include "today/today_clock_face.h"
#include "today/today_drawing_parts.h"

namespace zt::today {
namespace {

namespace gui = platform::gui;

int32_t sized(int32_t normal, bool high_resolution) { return high_resolution ? normal * 2 : normal; }

int32_t clock_height(const TodayImages& images) { return today_clock_height(images); }

// The dial centred across the area with its top at `top`.
void draw_clock(skins::CPicture& picture, const TodayImages& images, const skins::Rect& area, int32_t top,
                const platform::SYSTEMTIME& time) {
    draw_today_clock(picture, images, { area.left + (area.width() - today_clock_width(images)) / 2, top }, time);
}

// The slot shown first with several cities: the chosen one when it holds a city.
int first_slot(const TodayContent& content) {
    return shown_city(content) ? content.settings.city_index : 0;
}

struct ShownCity {
    std::optional<CitySlot> city;
    platform::SYSTEMTIME time;
    std::u16string name;
};

ShownCity city_at(const TodayContent& content, uint32_t position) {
    const auto slot = static_cast<size_t>((static_cast<int>(position) + first_slot(content)) % kCitySlotCount);
    ShownCity shown { content.city_slots[slot], {}, {} };
    shown.time = city_time(content, shown.city);
    shown.name = shown.city ? std::u16string(shown.city->city.name_view()) : content.local_name;
    return shown;
}

void draw_analog_cities(skins::CPicture& picture, const TodayLayout& layout, uint32_t cities,
                        const TodayContent& content, const TodayImages& images, const TodayLook& look) {
    const skins::Rect& area = layout.clock_area;
    const int32_t column_width = area.width() / static_cast<int32_t>(cities);
    const int32_t top = sized(2, look.high_resolution);
    const gui::FontRequest font = today_fonts(look).normal;
    for (uint32_t position = 0; position < cities; ++position) {
        const ShownCity shown = city_at(content, position);
        const int32_t left = area.left + static_cast<int32_t>(position) * column_width;
        const skins::Rect column { left, area.top, left + column_width, area.bottom };
        draw_clock(picture, images, column, top, shown.time);
        const skins::Rect name { column.left, top + clock_height(images), column.right, area.bottom };
        draw_line_text(picture, shown.name, name, font, look.text_colour, gui::text_format::kCenter);
    }
}

void draw_digital_cities(skins::CPicture& picture, const TodayLayout& layout, uint32_t cities,
                         const TodayContent& content, const TodayLook& look) {
    const skins::Rect& area = layout.clock_area;
    const int32_t width = area.width();
    const int32_t row_height = sized(20, look.high_resolution);
    // Decided on the background alone, before any row is shaded or written on.
    const int32_t shade = background_is_light(picture) ? 85 : 140;
    const TodayFonts fonts = today_fonts(look);
    const gui::CalendarLocale locale = gui::calendar_locale();
    for (uint32_t position = 0; position < cities; ++position) {
        const ShownCity shown = city_at(content, position);
        const int32_t top = area.top + static_cast<int32_t>(position) * row_height;
        const skins::Rect row { area.left, top, area.right, top + row_height };
        if (position % 2 == 1) skins::brighten_rect(picture, row, shade);
        const int32_t name_end = area.left + width * 5 / 9, time_end = area.left + width * 7 / 9;
        const int32_t day_end = area.left + width * 17 / 18;
        draw_line_text(picture, shown.name, { row.left + sized(2, look.high_resolution), top, name_end, row.bottom },
                       fonts.normal, look.text_colour, gui::text_format::kLeft);
        draw_line_text(picture, gui::format_locale_time(shown.time.wHour, shown.time.wMinute),
                       { name_end, top, time_end, row.bottom }, fonts.larger, look.text_colour, gui::text_format::kRight);
        const std::u16string& day = locale.short_day_names[static_cast<size_t>((shown.time.wDayOfWeek + 6) % 7)];
        draw_line_text(picture, day, { time_end, top, day_end, row.bottom }, fonts.normal, look.text_colour,
                       gui::text_format::kRight);
    }
}

}  // namespace

void draw_today_item(skins::CPicture& picture, const TodayContent& content, const TodayImages& images,
                     const TodayLook& look) {
    const bool high_resolution = look.high_resolution;
    const uint32_t view = content.settings.view;
    const uint32_t cities = effective_cities_count(content.settings.cities_count);
    const TodayLayout layout =
        today_layout(picture.width(), picture.height(), view, cities, content.show_icon, high_resolution);
    if (view == kAnalogView || view == kDigitalView) {
        if (cities > 1 && view == kAnalogView) {
            draw_analog_cities(picture, layout, cities, content, images, look);
        } else if (cities > 1) {
            draw_digital_cities(picture, layout, cities, content, look);
        } else {
            const platform::SYSTEMTIME time = city_time(content, shown_city(content));
            if (view == kAnalogView) {
                draw_clock(picture, images, layout.clock_area, sized(2, high_resolution), time);
            } else {
                const std::u16string shown = gui::format_locale_time(time.wHour, time.wMinute);
                draw_line_text(picture, shown, layout.clock_area,
                               font_fitting(today_fonts(look).large, shown, layout.clock_area.width()), look.text_colour,
                               gui::text_format::kCenter);
            }
            draw_text_column(picture, layout, content, images, look);
        }
    }
    // Last: the rows' light-or-dark test looks at the background alone.
    if (content.show_icon) {
        const QImage icon = item_icon(high_resolution);
        draw_icon_image(picture, icon, layout.icon_tap.left + (layout.icon_tap.width() - icon.width()) / 2,
                        layout.icon_tap.top + (layout.icon_tap.height() - icon.height()) / 2);
    }
}

}  // namespace zt::today
