// The text colour and font size the item draws with, as the shell sets them.
#include "platform/gui/theme_colors.h"
#include "today/today_view.h"

namespace zt::today {
namespace {

constexpr uint32_t kDefaultTextColour = 0xCE8231;
constexpr int kThemeTextColour = 6;
constexpr int32_t kDefaultTextSize = 12;

}  // namespace

skins::Rgb colour_from_colorref(uint32_t value) {
    return { static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF),
             static_cast<uint8_t>((value >> 16) & 0xFF) };
}

skins::Rgb theme_text_colour() {
    return colour_from_colorref(platform::gui::shell_theme_colour(kThemeTextColour).value_or(kDefaultTextColour));
}

int32_t normal_font_height(int generation, int dots_per_inch) {
    if (generation >= 3) return platform::gui::ui_text_size_pixels().value_or(kDefaultTextSize);
    return (8 * dots_per_inch + 36) / 72;
}

}  // namespace zt::today
