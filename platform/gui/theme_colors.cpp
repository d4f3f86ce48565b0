#include "platform/gui/theme_colors.h"

#include <string>

#include "platform/base/le_bytes.h"
#include "platform/base/text.h"
#include "platform/profile/device_profile.h"
#include "platform/registry/registry.h"

namespace zt::platform::gui {
namespace {

using registry::Key;
using registry::Root;

std::optional<uint32_t> table_entry(const Key& key, std::u16string_view name, int index) {
    if (index >= kThemeColourCount) return std::nullopt;
    registry::ValueType type = registry::ValueType::None;
    if (key.query_value(name, &type, nullptr, nullptr) != registry::Status::Ok || type != registry::ValueType::Binary)
        return std::nullopt;
    const auto bytes = key.get_binary(name);
    const size_t offset = static_cast<size_t>(index) * 4;
    if (!bytes || bytes->size() < offset + 4) return std::nullopt;
    return read_le32(bytes->data() + offset);
}

}  // namespace

std::optional<uint32_t> shell_theme_colour(int index) {
    if (index < 0) return std::nullopt;
    const auto key = Key::open(Root::LocalMachine, kThemeColourKey);
    if (!key) return std::nullopt;
    if (auto colour = key->get_dword(to_u16(std::to_string(index)))) return colour;
    if (auto colour = table_entry(*key, u"SHColor", index)) return colour;
    return table_entry(*key, u"DefSHColor", index);
}

std::optional<int32_t> ui_text_size_pixels() {
    const auto key = Key::open(Root::LocalMachine, kDeviceProfileKey);
    if (!key) return std::nullopt;
    const auto size = key->get_dword(u"TextSize");
    if (!size || *size == 0 || *size > static_cast<uint32_t>(kMaxTextSize)) return std::nullopt;
    return static_cast<int32_t>(*size);
}

}  // namespace zt::platform::gui
