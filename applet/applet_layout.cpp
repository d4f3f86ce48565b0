#include "applet/applet_layout.h"

#include <algorithm>

#include "applet/applet_data.h"
#include "today/today_clock_face.h"

namespace zt::applet {
namespace {

// The widest short date the applet makes room for, whatever the day.
constexpr char16_t kWidestDate[] = u"22/22/22";

}  // namespace

bool AppletImages::complete(uint32_t view) const {
    if (view == kDigitalView) return digital.valid();
    return analog.clock.valid() && analog.hour_hand.valid() && analog.minute_hand.valid();
}

const skins::CImageStrip& AppletImages::face(uint32_t view) const {
    return view == kDigitalView ? digital : analog.clock;
}

AppletMetrics applet_metrics(bool high_resolution) {
    const int32_t scale = high_resolution ? 2 : 1;
    return { 2 * scale, 20 * scale, 15 * scale, 15 * scale, 80 * scale, 66 * scale };
}

AppletLayout applet_layout(const LayoutInputs& inputs, const AppletImages& images, const TextWidths& widths) {
    const AppletMetrics metrics = applet_metrics(inputs.high_resolution);
    AppletLayout layout;
    if (inputs.view == kDigitalView) {
        const skins::CImageStrip& strip = images.digital;
        if (strip.valid()) {
            layout.width = strip.half_width() << strip.shift();
            const auto part = strip.part(0);
            layout.height = part ? part->height << strip.shift() : metrics.time_line;
        } else {
            layout.width = std::max(widths.large(inputs.time_text), metrics.min_digital_width);
            layout.height = metrics.time_line;
        }
    } else {
        layout.width = today::today_clock_width(images.analog);
        layout.height = today::today_clock_height(images.analog);
        const auto part = images.analog.clock.part(0);
        layout.clock_centre = { layout.width / 2, part ? part->anchor_y << images.analog.clock.shift() : 0 };
    }
    if (inputs.show_date) {
        layout.width = std::max(layout.width, widths.normal(kWidestDate));
        layout.height += metrics.date_line;
    }
    if (inputs.city_chosen) {
        layout.width = std::max(layout.width, widths.normal(inputs.city_name));
        layout.height += metrics.city_line;
    }
    if (inputs.show_date || inputs.city_chosen) layout.width += 2 * metrics.side_margin;

    layout.city = { 0, layout.height - metrics.city_line, layout.width, layout.height };
    const skins::CImageStrip& face = images.face(inputs.view);
    const auto origin = face.value(1, inputs.high_resolution);
    const auto extent = face.value(2, inputs.high_resolution);
    if (origin && extent) {
        layout.date = { origin->x, origin->y, origin->x + extent->x, origin->y + extent->y };
    } else {
        const int32_t bottom = layout.height - (inputs.city_chosen ? metrics.city_line : 0);
        layout.date = { 0, bottom - metrics.date_line, layout.width, bottom };
    }
    return layout;
}

}  // namespace zt::applet
