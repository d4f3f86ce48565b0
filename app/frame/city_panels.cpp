#include "app/frame/city_panels.h"

#include <algorithm>

#include "app/model/world_screen_layout.h"
#include "platform/gui/locale_calendar.h"
#include "platform/gui/locale_clock.h"
#include "skins/clocks/alarm_icons.h"
#include "skins/drawing.h"
#include "skins/skin_manager.h"
#include "skins/text_cut.h"
#include "world/map/map_cities.h"

namespace zt::app {
namespace {

namespace tf = platform::gui::text_format;

constexpr char16_t kPortraitPanelImage[] = u"CityInfo.png";
constexpr char16_t kLandscapePanelImage[] = u"LCityInfo.png";

// Heights of the three lines' fonts on a low-resolution screen; doubled on a high one.
constexpr int32_t kNameFontHeight = 11;
constexpr int32_t kTimeFontHeight = 11;
constexpr int32_t kDateFontHeight = 10;

// Monday = 0 ... Sunday = 6 from the handheld's Sunday = 0.
int weekday_from_monday(const platform::SYSTEMTIME& t) { return (t.wDayOfWeek + 6) % 7; }

}  // namespace

PanelColours panel_colours(const skins::CImageStrip& panel) {
    PanelColours colours;
    const auto second = panel.part(1);
    const skins::CPicture* picture = panel.picture();
    if (!second || second->height <= 0 || !picture || panel.half_width() < 3) return colours;
    colours.name_and_time = picture->colour(0, second->start);
    colours.date = picture->colour(1, second->start);
    colours.marker = picture->colour(2, second->start);
    return colours;
}

PanelText panel_text(const world::CityRecord& city, const platform::SYSTEMTIME& local) {
    PanelText text;
    text.name = world::panel_city_name(city.name_view());
    text.time = platform::gui::format_locale_time(local.wHour, local.wMinute);
    const auto locale = platform::gui::calendar_locale();
    text.date = platform::gui::format_locale_short_date(local.wYear, local.wMonth, local.wDay) + u" " +
                locale.short_day_names[static_cast<size_t>(weekday_from_monday(local))];
    return text;
}

bool CCityPanels::load(skins::CSkinManager& skins) {
    m_portrait = skins::load_required_strip(skins, kPortraitPanelImage);
    m_landscape = m_portrait ? skins::load_required_strip(skins, kLandscapePanelImage) : std::nullopt;
    if (!loaded()) {
        release();
        return false;
    }
    m_portrait_colours = panel_colours(*m_portrait);
    m_landscape_colours = panel_colours(*m_landscape);
    return true;
}

void CCityPanels::release() {
    m_portrait.reset();
    m_landscape.reset();
}

skins::Point CCityPanels::size(bool landscape) const {
    const auto& strip = landscape ? m_landscape : m_portrait;
    if (!strip) return {};
    const int s = strip->shift();
    return { strip->half_width() << s, strip->part(0)->height << s };
}

void CCityPanels::draw(skins::CPicture& canvas, const skins::Rect& panel, const PanelText& text, bool landscape,
                       bool high_resolution) const {
    const auto& strip = landscape ? m_landscape : m_portrait;
    if (!strip) return;
    skins::draw_part(canvas, *strip, 0, 0, 0, panel.left, panel.top);
    if (text.name.empty() && text.time.empty()) return;
    const PanelColours& colours = this->colours(landscape);
    const int32_t k = high_resolution ? 2 : 1;
    const int32_t left = panel.left + 6 * k;
    const int32_t margin = 3 * k;
    const skins::TextStyle name_style { { u"Tahoma", kNameFontHeight * k, 700 }, colours.name_and_time, tf::kLeft | tf::kTop };
    const skins::TextStyle time_style { { u"Tahoma", kTimeFontHeight * k, 400 }, colours.name_and_time, tf::kLeft | tf::kTop };
    const skins::TextStyle date_style { { u"Tahoma", kDateFontHeight * k, 400 }, colours.date, tf::kLeft | tf::kTop };

    const int32_t name_top = panel.top + 3 * k;
    skins::draw_text_cut_to_width(canvas, text.name, { left, name_top, panel.right - margin, name_top + 2 * kNameFontHeight * k },
                                  name_style, true);
    const int32_t time_top = name_top + 14 * k;
    const int32_t time_bottom = time_top + (kTimeFontHeight + 1) * k;
    const int32_t time_width = skins::draw_text_cut_to_width(canvas, text.time, { left, time_top, panel.right - margin, time_bottom },
                                                             time_style, true);
    // The date keeps left of the squares at the bottom-right corner.
    const int32_t side = panel_square_side(high_resolution);
    const int32_t date_right = panel.right - side - (high_resolution ? 32 : 16) - margin;
    const int32_t date_top = panel.bottom - 17 * k;
    const bool beside_time = date_top < time_bottom;
    const int32_t date_left = beside_time ? left + time_width + 6 * k : left;
    if (date_right > date_left) {
        skins::draw_text_cut_to_width(canvas, text.date, { date_left, date_top, date_right, panel.bottom }, date_style, true);
    }
}

}  // namespace zt::app
