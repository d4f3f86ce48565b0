#include "app/frame/world_map_view.h"

#include <algorithm>
#include <cstring>

#include "app/model/world_screen_layout.h"
#include "skins/drawing.h"
#include "skins/opacity.h"
#include "skins/skin_manager.h"
#include "world/map/night_shading.h"

namespace zt::app {

bool CWorldMapView::load(skins::CSkinManager& skins, std::u16string_view image_name, bool high_resolution) {
    std::optional<skins::CPicture> map = skins.load_image(image_name);
    if (!map) {
        release();
        return false;
    }
    if (map->scaled() && high_resolution) {
        auto doubled = skins::CPicture::create(map->width() * 2, map->height() * 2);
        if (!doubled || !skins::scale_picture(doubled->view(), map->view(), skins::scale_mode::kStretch)) {
            release();
            return false;
        }
        map = std::move(doubled);
    }
    map->set_scaled(false);
    m_map = std::move(map);
    m_window.reset();
    m_projection.set_size(m_map->width(), m_map->height());
    return true;
}

void CWorldMapView::release() {
    m_map.reset();
    m_window.reset();
}

bool CWorldMapView::copy_window(const MapWindow& window) {
    const int32_t width = std::min(window.view.width(), m_map->width());
    const int32_t height = std::min(window.view.height(), m_map->height() - window.first_row);
    if (width <= 0 || height <= 0 || window.first_row < 0) return false;
    if (!m_window || m_window->width() != width || m_window->height() != height) {
        m_window = skins::CPicture::create(width, height);
        if (!m_window) return false;
    }
    const int32_t start = map_column(0, window.scroll, m_map->width());
    const int32_t first_piece = std::min(width, m_map->width() - start);
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* source = m_map->pixel(0, window.first_row + y);
        uint8_t* out = m_window->pixel(0, y);
        std::memcpy(out, source + start * 3, static_cast<size_t>(first_piece) * 3);
        std::memcpy(out + first_piece * 3, source, static_cast<size_t>(width - first_piece) * 3);
    }
    return true;
}

std::optional<skins::Point> CWorldMapView::canvas_point(const MapWindow& window, world::MapPoint pixel) const {
    if (!m_map) return std::nullopt;
    const skins::Point at { map_column(pixel.x, -window.scroll, m_map->width()), pixel.y - window.first_row };
    if (at.x >= window.view.width() || at.y < 0 || at.y >= window.view.height()) return std::nullopt;
    return skins::Point { window.view.left + at.x, window.view.top + at.y };
}

world::MapPoint CWorldMapView::map_pixel(const MapWindow& window, skins::Point point) const {
    const int32_t width = m_map ? m_map->width() : 1;
    return { map_column(point.x - window.view.left, window.scroll, width), window.first_row + point.y - window.view.top };
}

void CWorldMapView::draw_markers(const MapWindow& window, const MapMarks& marks) {
    const int32_t side = marks.high_resolution ? 2 : 1;
    const int32_t alpha = skins::apply_global_opacity(255);
    const uint8_t colour[3] { marks.marker_colour.blue, marks.marker_colour.green, marks.marker_colour.red };
    for (const world::CityRecord& city : marks.cities) {
        const auto at = canvas_point(window, world::city_map_point(m_projection, city.latitude, city.longitude));
        if (!at) continue;
        for (int32_t dy = 0; dy < side; ++dy) {
            for (int32_t dx = 0; dx < side; ++dx) {
                const int32_t x = at->x - window.view.left + dx, y = at->y - window.view.top + dy;
                if (m_window->contains(x, y)) skins::blend_pixel(m_window->pixel(x, y), colour, alpha);
            }
        }
    }
}

void CWorldMapView::compose(skins::CPicture& canvas, const MapWindow& window, const MapMarks& marks,
                            const platform::SYSTEMTIME& utc) {
    if (!m_map || !copy_window(window)) return;
    if (marks.show_cities && skins::global_opacity() > 0) draw_markers(window, marks);
    // After the markers, so that a city in the dark is darkened with its land.
    if (marks.shade_night) {
        shade_night({ m_window->bits(), m_window->width(), m_window->height(), m_window->stride() }, m_projection, utc,
                    skins::global_opacity(), { window.scroll, window.first_row });
    }
    skins::copy_with_opacity(canvas, *m_window, 0, 0, m_window->width(), m_window->height(), window.view.left, window.view.top);
    if (marks.selected && *marks.selected < marks.cities.size() && marks.ping && marks.ping->valid()) {
        const world::CityRecord& city = marks.cities[*marks.selected];
        if (const auto at = canvas_point(window, world::city_map_point(m_projection, city.latitude, city.longitude))) {
            const auto part = marks.ping->part(0);
            const int s = marks.ping->shift();
            skins::draw_part(canvas, *marks.ping, 0, 0, 0, at->x - (part->anchor_x << s), at->y - (part->anchor_y << s));
        }
    }
}

}  // namespace zt::app
