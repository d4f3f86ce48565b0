// The applet's box drawn over the host's panel: the clock (analog or digital), the date and
// the chosen city's name, in the skin's text colour or the Today text colour.
#include <QWidget>

#include <algorithm>

#include "applet/dock_applet.h"
#include "platform/base/clock.h"
#include "platform/gui/locale_calendar.h"
#include "platform/gui/locale_clock.h"
#include "skins/drawing.h"
#include "today/item_look.h"
#include "today/today_clock_face.h"
#include "today/today_drawing_parts.h"
#include "world/zone_local_time.h"

namespace zt::applet {
namespace {

namespace gui = platform::gui;

struct AppletFonts {
    gui::FontRequest normal;
    gui::FontRequest large;
};

AppletFonts applet_fonts(bool high_resolution) {
    today::TodayLook look;
    look.normal_font_height = today::device_normal_font_height();
    look.high_resolution = high_resolution;
    return { today::today_fonts(look).normal, { u"", applet_metrics(high_resolution).time_line, 400, false } };
}

int32_t text_width(const gui::FontRequest& font, std::u16string_view text) {
    return gui::measure_text(font, text).value_or(0);
}

// The part of `box` (panel coordinates) that lies on the panel, as offsets into the box.
struct Overlap {
    int32_t left, top, right, bottom;
};
std::optional<Overlap> overlap(const skins::Rect& box, const platform::dock::PaintTarget& target) {
    const int32_t left = std::max(0, -box.left), top = std::max(0, -box.top);
    const int32_t right = std::min(box.width(), target.width - box.left);
    const int32_t bottom = std::min(box.height(), target.height - box.top);
    if (left >= right || top >= bottom) return std::nullopt;
    return Overlap { left, top, right, bottom };
}

// Copies the overlapping rows between the panel and the box's picture, either way.
void copy_rows(const skins::PixelView& panel, skins::CPicture& picture, const skins::Rect& box, const Overlap& part,
               bool to_panel) {
    const size_t bytes = static_cast<size_t>(part.right - part.left) * 3;
    for (int32_t y = part.top; y < part.bottom; ++y) {
        uint8_t* on_panel = panel.pixel(box.left + part.left, box.top + y);
        uint8_t* in_box = picture.pixel(part.left, y);
        if (to_panel)
            std::copy_n(in_box, bytes, on_panel);
        else
            std::copy_n(on_panel, bytes, in_box);
    }
}

}  // namespace

platform::SYSTEMTIME CDockApplet::shown_time() const {
    if (!m_data.city_chosen()) return platform::local_time();
    // Rules that put the time outside the device's calendar leave the local time showing.
    return world::zone_local_time(m_data.city_rules(), platform::universal_time()).value_or(platform::local_time());
}

std::u16string CDockApplet::city_name() const {
    return m_data.city_chosen() ? std::u16string(m_data.city_record().name_view()) : std::u16string();
}

AppletLayout CDockApplet::layout_now() const {
    const bool high_resolution = m_skins.high_resolution();
    const AppletFonts fonts = applet_fonts(high_resolution);
    const platform::SYSTEMTIME time = shown_time();
    LayoutInputs inputs { m_data.view, m_data.show_date(), m_data.city_chosen(), city_name(),
                          gui::format_locale_time(time.wHour, time.wMinute), high_resolution };
    const TextWidths widths { [&](std::u16string_view text) { return text_width(fonts.normal, text); },
                              [&](std::u16string_view text) { return text_width(fonts.large, text); } };
    return applet_layout(inputs, m_images, widths);
}

skins::Rgb CDockApplet::text_colour() const {
    if (auto colour = m_images.face(m_data.view).value_colour(3)) return *colour;
    QWidget* parent = m_host ? m_host->parentWidget() : nullptr;
    QWidget* grandparent = parent ? parent->parentWidget() : nullptr;
    const intptr_t answer =
        platform::today::send_child_message(grandparent, platform::today::kMsgGetColor, platform::today::kColorText);
    return today::colour_from_colorref(static_cast<uint32_t>(answer));
}

void CDockApplet::draw(skins::CPicture& picture, const AppletLayout& layout) const {
    const bool high_resolution = m_skins.high_resolution();
    const AppletFonts fonts = applet_fonts(high_resolution);
    const skins::Rgb colour = text_colour();
    const platform::SYSTEMTIME time = shown_time();
    if (m_data.view == kDigitalView) {
        const skins::CImageStrip& face = m_images.digital;
        if (face.valid() && face.part(0))
            skins::draw_part(picture, face, 0, 0, 0, (layout.width - (face.half_width() << face.shift())) / 2, 0);
        today::draw_line_text(picture, gui::format_locale_time(time.wHour, time.wMinute),
                              { 0, 0, layout.width, applet_metrics(high_resolution).time_line }, fonts.large, colour,
                              gui::text_format::kCenter);
    } else {
        today::draw_today_clock(picture, m_images.analog, { (layout.width - today::today_clock_width(m_images.analog)) / 2, 0 },
                                time);
    }
    if (m_data.show_date())
        today::draw_line_text(picture, gui::format_locale_short_date(time.wYear, time.wMonth, time.wDay), layout.date,
                              fonts.normal, colour, gui::text_format::kCenter);
    if (m_data.city_chosen())
        today::draw_line_text(picture, city_name(), layout.city, fonts.normal, colour, gui::text_format::kCenter);
}

bool CDockApplet::paint(const platform::dock::PaintRect& rect, const platform::dock::PaintTarget& target) {
    const AppletLayout layout = layout_now();
    const auto [width, height] = size_of(layout);
    if (width != m_width || height != m_height) {
        m_width = width;
        m_height = height;
        tell_host_size_changed();
        return false;
    }
    m_drawing_pending = false;
    const int32_t left = rect.left + (rect.right - rect.left - width) / 2;
    const int32_t top = rect.top + (rect.bottom - rect.top - height) / 2;
    m_previous_placement = m_placement;
    m_placement = skins::Rect { left, top, left + width, top + height };
    auto picture = skins::CPicture::create(width, height);
    const bool target_usable = target.bits && target.width > 0 && target.height > 0 &&
                               target.stride >= skins::CPicture::stride_for(target.width);
    if (!picture || !target_usable) return true;
    const skins::PixelView panel { target.bits, target.width, target.height, target.stride };
    const std::optional<Overlap> part = overlap(*m_placement, target);
    if (part) copy_rows(panel, *picture, *m_placement, *part, false);
    draw(*picture, layout);
    if (part) copy_rows(panel, *picture, *m_placement, *part, true);
    return true;
}

}  // namespace zt::applet
