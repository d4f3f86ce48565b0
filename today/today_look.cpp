// The text colour and font size the item draws with, as the shell sets them.
#include <span>

#include "platform/registry/registry.h"
#include "today/today_view.h"

namespace zt::today {
namespace {

constexpr uint32_t kDefaultTextColour = 0xCE8231;
constexpr size_t kThemeColourEntry = 6;
// The theme's colour table holds up to 45 colours.
constexpr size_t kThemeColourCount = 45;

std::optional<uint32_t> table_entry(const platform::registry::Key& key, std::u16string_view name) {
    const std::optional<std::vector<uint8_t>> table = key.get_binary(name);
    const size_t at = kThemeColourEntry * 4;
    if (!table || table->size() < at + 4 || table->size() > kThemeColourCount * 4) return std::nullopt;
    const std::span<const uint8_t> bytes(*table);
    return uint32_t { bytes[at] } | uint32_t { bytes[at + 1] } << 8 | uint32_t { bytes[at + 2] } << 16 |
           uint32_t { bytes[at + 3] } << 24;
}

}  // namespace

skins::Rgb colour_from_colorref(uint32_t value) {
    return { static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF),
             static_cast<uint8_t>((value >> 16) & 0xFF) };
}

skins::Rgb theme_text_colour() {
    namespace registry = platform::registry;
    const std::optional<registry::Key> key = registry::Key::open(registry::Root::LocalMachine, u"SOFTWARE\\Microsoft\\Color");
    if (!key) return colour_from_colorref(kDefaultTextColour);
    std::optional<uint32_t> colour = key->get_dword(u"6");
    if (!colour) colour = table_entry(*key, u"SHColor");
    if (!colour) colour = table_entry(*key, u"DefSHColor");
    return colour_from_colorref(colour.value_or(kDefaultTextColour));
}

int32_t normal_font_height(int generation, int dots_per_inch) {
    if (generation >= 3) return 12;
    return (8 * dots_per_inch + 36) / 72;
}

}  // namespace zt::today
