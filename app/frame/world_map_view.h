#pragma once
// The world screen's map as drawn: the skin's map picture at the screen's pixel size, shown
// through a window that may be scrolled sideways (the map wraps round, so the window is copied
// in two pieces), with the city markers, the night side and the selected city's ping.
//
// The picture is kept at screen size even for a skin that has only the normal-resolution map:
// markers, shading and taps then all work on the pixels the user sees.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "platform/base/system_time.h"
#include "skins/image_strip.h"
#include "skins/picture.h"
#include "world/city_record.h"
#include "world/map/linear_projection.h"

namespace zt::skins {
class CSkinManager;
}

namespace zt::app {

// What the map shows on top of the land.
struct MapMarks {
    std::span<const world::CityRecord> cities;
    std::optional<size_t> selected;  // index into cities
    skins::Rgb marker_colour { 255, 0, 0 };
    bool show_cities { true };
    bool shade_night { true };
    bool high_resolution { false };  // 2 x 2 markers
    const skins::CImageStrip* ping { nullptr };
};

// The window of the map the screen shows.
struct MapWindow {
    skins::Rect view;           // on the canvas
    int32_t first_row { 0 };    // map row at view.top
    int32_t scroll { 0 };       // map column at view.left
};

class CWorldMapView {
public:
    // False when the skin has no such map.
    bool load(skins::CSkinManager& skins, std::u16string_view image_name, bool high_resolution);
    void release();
    bool loaded() const { return m_map.has_value(); }
    skins::Point size() const { return m_map ? skins::Point { m_map->width(), m_map->height() } : skins::Point {}; }
    const world::CLinearProjection& projection() const { return m_projection; }

    void compose(skins::CPicture& canvas, const MapWindow& window, const MapMarks& marks, const platform::SYSTEMTIME& utc);
    // The map pixel under a point of the canvas inside the window's view.
    world::MapPoint map_pixel(const MapWindow& window, skins::Point point) const;
    // Where a map pixel shows on the canvas; nullopt when the window does not show it.
    std::optional<skins::Point> canvas_point(const MapWindow& window, world::MapPoint pixel) const;

private:
    bool copy_window(const MapWindow& window);
    void draw_markers(const MapWindow& window, const MapMarks& marks);

    std::optional<skins::CPicture> m_map;
    std::optional<skins::CPicture> m_window;  // what the view shows, kept between frames
    world::CLinearProjection m_projection;
};

}  // namespace zt::app
