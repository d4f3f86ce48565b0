#pragma once
// The applet's box: its size for the view, the date and the chosen city, the analog clock's
// centre and where the date goes. Normal-resolution constants, doubled on a high-resolution
// screen.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "skins/image_strip.h"
#include "skins/picture.h"
#include "today/today_view.h"

namespace zt::applet {

// "apl_Clock.png" with its hands (the Today item's small clock, no icons) and "apl_DClock.png".
struct AppletImages {
    today::TodayImages analog;
    skins::CImageStrip digital;

    // What the view draws is there.
    bool complete(uint32_t view) const;
    // The view's face image, whose value pixels place the date and colour the text.
    const skins::CImageStrip& face(uint32_t view) const;
};

struct AppletMetrics {
    int32_t side_margin { 2 };
    int32_t time_line { 20 };
    int32_t date_line { 15 };
    int32_t city_line { 15 };
    int32_t min_digital_width { 80 };
    int32_t initial_side { 66 };
};
AppletMetrics applet_metrics(bool high_resolution);

// Text widths in pixels in the applet's fonts.
struct TextWidths {
    std::function<int32_t(std::u16string_view)> normal;
    std::function<int32_t(std::u16string_view)> large;
};

struct LayoutInputs {
    uint32_t view { 0 };
    bool show_date { false };
    bool city_chosen { false };
    std::u16string city_name;
    std::u16string time_text;  // the current time as the digital view writes it
    bool high_resolution { false };
};

struct AppletLayout {
    int32_t width { 0 };
    int32_t height { 0 };
    skins::Point clock_centre;
    skins::Rect date;
    skins::Rect city;  // the bottom line
};
AppletLayout applet_layout(const LayoutInputs& inputs, const AppletImages& images, const TextWidths& widths);

}  // namespace zt::applet
