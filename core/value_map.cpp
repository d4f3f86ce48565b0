#include "core/value_map.h"

#include "core/number_text.h"

namespace zt::core {

bool CValueMap::put_number(std::u16string_view key, uint32_t value) { return put_text(key, format_unsigned(value)); }

std::optional<uint32_t> CValueMap::number(std::u16string_view key) const {
    const std::u16string* value = text(key);
    if (!value) return std::nullopt;
    return scan_unsigned(*value);
}

std::optional<bool> CValueMap::boolean(std::u16string_view key) const {
    auto value = number(key);
    if (!value) return std::nullopt;
    return *value != 0;
}

bool CValueMap::put_int64(std::u16string_view key, int64_t value) { return put_text(key, format_signed(value)); }

std::optional<int64_t> CValueMap::int64(std::u16string_view key) const {
    const std::u16string* value = text(key);
    if (!value) return std::nullopt;
    return scan_int64(*value);
}

}  // namespace zt::core
