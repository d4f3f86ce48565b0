#pragma once
// Where the world screen puts its map, its four city panels and its mode button, and what a tap
// on a panel means. Sizes are as drawn on this screen (a scaled skin image counts double).
//
// Normal mode: the small map above a 2 x 2 block of panels, the two centred together in the
// screen's area; full screen: the big map alone, centred. A map taller than the room left for it
// loses rows evenly at the top and bottom (the polar rows), and one wider than the area shows a
// window of it that the user scrolls sideways. The button sits in the map's top-right corner.
#include <array>
#include <cstdint>
#include <optional>

#include "skins/picture.h"

namespace zt::app {

struct WorldScreenLayout {
    skins::Rect map_view;        // where the visible part of the map lands on the screen
    int32_t map_first_row { 0 }; // the map row shown at map_view.top
    std::array<skins::Rect, 4> panels {};  // slot 0..3; empty rectangles in full screen
    skins::Rect button;
};

struct WorldScreenSizes {
    skins::Point map;     // the map image of the mode
    skins::Point panel;   // one panel (normal mode)
    skins::Point button;  // the mode's button
};

WorldScreenLayout lay_out_world_screen(const skins::Rect& area, bool full_screen, const WorldScreenSizes& sizes);

// What a tap on a panel asks for.
enum class PanelTap {
    OpenList,    // the square at the bottom-right corner: the favourites list for the slot
    AssignCity,  // the same square one step to its left: the map's selected city into the slot
    SelectCity,  // elsewhere on the panel: the slot's city becomes the selected one
};

// The panel square's side: 40 pixels, 20 on a low-resolution screen; the assign square lies 32
// (16) pixels to the left of the list square, and the list square wins where they overlap.
int32_t panel_square_side(bool high_resolution);
std::optional<PanelTap> panel_tap(const skins::Rect& panel, skins::Point point, bool high_resolution);

// The map column at screen column x of the view, with the map scrolled by `scroll` columns
// (both wrap round the map's width).
int32_t map_column(int32_t view_x, int32_t scroll, int32_t map_width);

}  // namespace zt::app
