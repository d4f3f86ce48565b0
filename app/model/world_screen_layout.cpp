#include "app/model/world_screen_layout.h"

#include <algorithm>

namespace zt::app {
namespace {

bool inside(const skins::Rect& r, skins::Point p) { return r.contains(p); }

skins::Rect sized(int32_t left, int32_t top, int32_t width, int32_t height) { return { left, top, left + width, top + height }; }

}  // namespace

WorldScreenLayout lay_out_world_screen(const skins::Rect& area, bool full_screen, const WorldScreenSizes& sizes) {
    WorldScreenLayout layout;
    const int32_t panels_height = full_screen ? 0 : 2 * sizes.panel.y;
    const int32_t view_width = std::clamp(sizes.map.x, 0, std::max(0, area.width()));
    const int32_t view_height = std::clamp(sizes.map.y, 0, std::max(0, area.height() - panels_height));
    layout.map_first_row = (sizes.map.y - view_height) / 2;
    const int32_t top = area.top + std::max(0, area.height() - view_height - panels_height) / 2;
    layout.map_view = sized(area.left + (area.width() - view_width) / 2, top, view_width, view_height);
    layout.button = sized(layout.map_view.right - sizes.button.x, top, sizes.button.x, sizes.button.y);
    if (full_screen) return layout;
    const int32_t block_left = area.left + (area.width() - 2 * sizes.panel.x) / 2;
    for (int slot = 0; slot < 4; ++slot) {
        layout.panels[slot] = sized(block_left + (slot % 2) * sizes.panel.x, layout.map_view.bottom + (slot / 2) * sizes.panel.y,
                                    sizes.panel.x, sizes.panel.y);
    }
    return layout;
}

int32_t panel_square_side(bool high_resolution) { return high_resolution ? 40 : 20; }

std::optional<PanelTap> panel_tap(const skins::Rect& panel, skins::Point point, bool high_resolution) {
    if (!inside(panel, point)) return std::nullopt;
    const int32_t side = panel_square_side(high_resolution);
    const skins::Rect list { panel.right - side, panel.bottom - side, panel.right, panel.bottom };
    if (inside(list, point)) return PanelTap::OpenList;
    const int32_t step = high_resolution ? 32 : 16;
    if (inside({ list.left - step, list.top, list.right - step, list.bottom }, point)) return PanelTap::AssignCity;
    return PanelTap::SelectCity;
}

int32_t map_column(int32_t view_x, int32_t scroll, int32_t map_width) {
    if (map_width <= 0) return 0;
    const int32_t x = (view_x + scroll) % map_width;
    return x < 0 ? x + map_width : x;
}

}  // namespace zt::app
