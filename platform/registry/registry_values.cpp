#include <cstring>

#include "platform/registry/key_path.h"
#include "platform/registry/registry.h"
#include "platform/registry/registry_store.h"
#include "platform/registry/value_codec.h"

namespace zt::platform::registry {

Status Key::query_value(std::u16string_view name, ValueType* type, uint8_t* data, uint32_t* size) const {
    if (m_id == 0 || !detail::valid_value_name(name) || (data && !size)) return Status::InvalidArgument;
    auto stored = detail::get_value(m_id, name);
    if (stored.status != Status::Ok) return stored.status;
    if (type) *type = stored.type;
    auto needed = static_cast<uint32_t>(stored.data.size());
    if (data) {
        if (*size < needed) {
            *size = needed;
            return Status::MoreData;
        }
        if (needed) std::memcpy(data, stored.data.data(), needed);
    }
    if (size) *size = needed;
    return Status::Ok;
}

Status Key::set_value(std::u16string_view name, ValueType type, std::span<const uint8_t> data) const {
    if (m_id == 0 || !detail::valid_value_name(name) || data.size() > UINT32_MAX) return Status::InvalidArgument;
    return detail::set_value(m_id, name, type, data);
}

Status Key::delete_value(std::u16string_view name) const {
    if (m_id == 0 || !detail::valid_value_name(name)) return Status::InvalidArgument;
    return detail::delete_value(m_id, name);
}

std::optional<std::vector<uint8_t>> Key::get_binary(std::u16string_view name) const {
    if (m_id == 0 || !detail::valid_value_name(name)) return std::nullopt;
    auto stored = detail::get_value(m_id, name);
    if (stored.status != Status::Ok) return std::nullopt;
    return std::move(stored.data);
}

std::optional<std::u16string> Key::get_string(std::u16string_view name) const {
    if (m_id == 0 || !detail::valid_value_name(name)) return std::nullopt;
    auto stored = detail::get_value(m_id, name);
    if (stored.status != Status::Ok) return std::nullopt;
    if (stored.type != ValueType::Sz && stored.type != ValueType::ExpandSz) return std::nullopt;
    return decode_sz(stored.data);
}

std::optional<uint32_t> Key::get_dword(std::u16string_view name) const {
    if (m_id == 0 || !detail::valid_value_name(name)) return std::nullopt;
    auto stored = detail::get_value(m_id, name);
    if (stored.status != Status::Ok || stored.type != ValueType::Dword) return std::nullopt;
    return decode_dword(stored.data);
}

Status Key::set_string(std::u16string_view name, std::u16string_view value) const {
    return set_value(name, ValueType::Sz, encode_sz(value));
}

Status Key::set_dword(std::u16string_view name, uint32_t value) const {
    return set_value(name, ValueType::Dword, encode_dword(value));
}

Status Key::set_binary(std::u16string_view name, std::span<const uint8_t> value) const {
    return set_value(name, ValueType::Binary, value);
}

Status Key::set_multi_string(std::u16string_view name, const std::vector<std::u16string>& values) const {
    // An empty string would read back as the end of the list and drop everything after it.
    for (const auto& value : values)
        if (value.empty()) return Status::InvalidArgument;
    return set_value(name, ValueType::MultiSz, encode_multi_sz(values));
}

}  // namespace zt::platform::registry
