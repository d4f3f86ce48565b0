#pragma once
// Where the toolbar's buttons and the screens lie in the main dialog. Portrait: a row of
// buttons along the bottom; landscape: a column down the left side. The row holds the set
// switch, then the three screen buttons, then the options button when it fits (the soft-key
// bar always offers the options too).
#include <optional>
#include <vector>

#include "app/model/screen_sets.h"
#include "skins/image_strip.h"
#include "skins/picture.h"

namespace zt::app {


struct ToolBarButton {
    ToolBarSlot slot { ToolBarSlot::SetSwitch };
    skins::Rect rect;
    // Rows of the strip's part (its own pixels) above what is shown: when the buttons do not
    // fit along the toolbar (a landscape screen between the task bar and the soft-key bar),
    // each shows its middle.
    int32_t part_top { 0 };
    bool operator==(const ToolBarButton&) const = default;
};

struct DialogLayout {
    std::vector<ToolBarButton> buttons;
    skins::Rect screen_area;
    bool operator==(const DialogLayout&) const = default;
};

// The layout of a dialog of that size with that toolbar strip (its parts' drawn size: the
// strip's half width and tallest part, doubled for a scaled strip). Without a strip the
// screens get the whole dialog.
DialogLayout lay_out_dialog(int32_t width, int32_t height, bool landscape, const skins::CImageStrip* toolbar);

// The slot under the point, if any.
std::optional<ToolBarSlot> slot_at(const DialogLayout& layout, skins::Point point);

// Draws the toolbar's buttons; `selected_button` (1..3) gets the selected look.
void draw_toolbar(skins::CPicture& canvas, const skins::CImageStrip& toolbar, const DialogLayout& layout,
                  int selected_button);

}  // namespace zt::app
