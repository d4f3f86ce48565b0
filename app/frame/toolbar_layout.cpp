#include "app/frame/toolbar_layout.h"

#include <algorithm>

#include "app/frame/skin_backdrop.h"
#include "skins/drawing.h"

namespace zt::app {

DialogLayout lay_out_dialog(int32_t width, int32_t height, bool landscape, const skins::CImageStrip* toolbar) {
    DialogLayout layout;
    layout.screen_area = { 0, 0, width, height };
    if (!toolbar || !toolbar->valid()) return layout;
    const int32_t button_width = toolbar->half_width() << toolbar->shift();
    const int32_t button_height = toolbar->tallest_part() << toolbar->shift();
    if (button_width <= 0 || button_height <= 0) return layout;
    // Along the row (portrait) or column (landscape): how many buttons fit.
    const int32_t room = landscape ? height : width;
    const int32_t full_step = landscape ? button_height : button_width;
    const int count = room >= 5 * full_step ? 5 : 4;
    const int32_t step = std::max<int32_t>(1, std::min(full_step, room / count));
    const int32_t part_top = ((full_step - step) / 2) >> toolbar->shift();
    for (int i = 0; i < count; ++i) {
        skins::Rect rect = landscape ? skins::Rect { 0, i * step, button_width, (i + 1) * step }
                                     : skins::Rect { i * step, height - button_height, (i + 1) * step, height };
        layout.buttons.push_back({ static_cast<ToolBarSlot>(i), rect, landscape ? part_top : 0 });
    }
    if (landscape)
        layout.screen_area.left = std::min(button_width, width);
    else
        layout.screen_area.bottom = std::max(0, height - button_height);
    return layout;
}

std::optional<ToolBarSlot> slot_at(const DialogLayout& layout, skins::Point point) {
    for (const ToolBarButton& button : layout.buttons) {
        const skins::Rect& r = button.rect;
        if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) return button.slot;
    }
    return std::nullopt;
}

void draw_toolbar(skins::CPicture& canvas, const skins::CImageStrip& toolbar, const DialogLayout& layout,
                  int selected_button) {
    for (const ToolBarButton& button : layout.buttons) {
        ToolBarPart part = ToolBarPart::ScreenButton;
        switch (button.slot) {
            case ToolBarSlot::SetSwitch: part = ToolBarPart::SetSwitch; break;
            case ToolBarSlot::Options: part = ToolBarPart::Options; break;
            default:
                part = static_cast<int>(button.slot) == selected_button ? ToolBarPart::SelectedScreenButton
                                                                       : ToolBarPart::ScreenButton;
        }
        // Drawn in order, each button covers what the one before drew beyond its own rectangle.
        skins::draw_part(canvas, toolbar, static_cast<int>(part), 0, button.part_top, button.rect.left, button.rect.top);
    }
}

}  // namespace zt::app
