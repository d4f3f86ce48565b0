// The item's numbers: the effective cities count, the hand angles, its height and layout, and
// the light-background test.
#include <algorithm>

#include "today/today_view.h"

namespace zt::today {
namespace {

int32_t sized(int32_t normal, bool high_resolution) { return high_resolution ? normal * 2 : normal; }

}  // namespace

uint32_t effective_cities_count(uint32_t stored) { return std::clamp<uint32_t>(stored, 1, kCitySlotCount); }

int today_hour_angle(int hour, int minute) { return ((hour * 60 + minute) / 4) * 2; }

int today_minute_angle(int minute, int second) { return ((minute * 60 + second) / 20) * 2; }

bool icon_shown(const TodayHost& host, const core::TodaySettings& settings) {
    // Inside the tabbed host, the host's indent decides: it leaves room for an icon or not.
    return host.embedded ? host.indent == 1 : !settings.hide_icon;
}

int32_t today_item_height(uint32_t view, uint32_t cities, const TodayImages& images, bool high_resolution) {
    const auto px = [high_resolution](int32_t normal) { return sized(normal, high_resolution); };
    if (view == kAnalogView) {
        const std::optional<skins::StripPart> dial = images.clock.part(0);
        const int32_t clock_height = dial ? dial->height << images.clock.shift() : 0;
        return std::max(clock_height + px(cities <= 1 ? 4 : 22), px(40));
    }
    if (view == kDigitalView) return cities <= 1 ? px(40) : px(20) * static_cast<int32_t>(cities);
    return px(24);
}

TodayLayout today_layout(int32_t width, int32_t height, uint32_t view, uint32_t cities, bool show_icon,
                         bool high_resolution) {
    const auto px = [high_resolution](int32_t normal) { return sized(normal, high_resolution); };
    TodayLayout layout;
    if (show_icon) {
        layout.icon = { 0, 0, std::min(px(25), width), height };
        layout.icon_tap = { 0, 0, px(20), px(20) };
    }
    const int32_t left = layout.icon.right;
    const bool one_city = cities <= 1 && (view == kAnalogView || view == kDigitalView);
    if (!one_city) {
        layout.clock_area = { left, 0, std::max(left, width), height };
        return layout;
    }
    const int32_t column = px(view == kAnalogView ? 125 : 90);
    const int32_t column_left = std::max(left, width - column);
    layout.clock_area = { left, 0, column_left, height };
    layout.text_column = { column_left, 0, std::max(column_left, width), height };
    for (int32_t line = 0; line < 3; ++line)
        layout.line[line] = { column_left, px(2 + 12 * line), layout.text_column.right, px(2 + 12 * (line + 1)) };
    return layout;
}

bool background_is_light(const skins::CPicture& picture) {
    const int32_t width = picture.width(), height = picture.height();
    if (width <= 0 || height <= 0) return false;
    int64_t weighted = 0;
    for (int32_t row = 0; row < 5; ++row) {
        for (int32_t column = 0; column < 5; ++column) {
            const skins::Rgb c = picture.colour(width / 10 + column * width / 5, height / 10 + row * height / 5);
            weighted += 30 * c.red + 59 * c.green + 11 * c.blue;
        }
    }
    // The average of the 25 luminances, in hundredths, compared without rounding.
    return weighted > int64_t { 179 } * 100 * 25;
}

}  // namespace zt::today
