#include "platform/registry/value_codec.h"

namespace zt::platform::registry {

std::vector<uint8_t> units_to_bytes(std::u16string_view units) {
    std::vector<uint8_t> bytes;
    bytes.reserve(units.size() * 2);
    for (char16_t unit : units) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    return bytes;
}

std::u16string bytes_to_units(std::span<const uint8_t> bytes) {
    std::u16string units;
    units.reserve(bytes.size() / 2);
    for (size_t i = 0; i + 1 < bytes.size(); i += 2)
        units.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    return units;
}

std::vector<uint8_t> encode_sz(std::u16string_view text) {
    auto bytes = units_to_bytes(text);
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

std::u16string decode_sz(std::span<const uint8_t> data) {
    auto units = bytes_to_units(data);
    if (auto nul = units.find(u'\0'); nul != std::u16string::npos) units.resize(nul);
    return units;
}

std::vector<uint8_t> encode_dword(uint32_t value) {
    return { static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
             static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24) };
}

std::optional<uint32_t> decode_dword(std::span<const uint8_t> data) {
    if (data.size() != 4) return std::nullopt;
    return static_cast<uint32_t>(data[0]) | (static_cast<uint32_t>(data[1]) << 8) |
           (static_cast<uint32_t>(data[2]) << 16) | (static_cast<uint32_t>(data[3]) << 24);
}

std::vector<uint8_t> encode_multi_sz(const std::vector<std::u16string>& values) {
    std::vector<uint8_t> bytes;
    for (const auto& value : values) {
        auto encoded = encode_sz(value);
        bytes.insert(bytes.end(), encoded.begin(), encoded.end());
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

std::vector<std::u16string> decode_multi_sz(std::span<const uint8_t> data) {
    std::vector<std::u16string> values;
    std::u16string units = bytes_to_units(data);
    size_t start = 0;
    while (start < units.size()) {
        size_t nul = units.find(u'\0', start);
        if (nul == std::u16string::npos) nul = units.size();
        if (nul == start) break;  // the closing NUL
        values.emplace_back(units.substr(start, nul - start));
        start = nul + 1;
    }
    return values;
}

}  // namespace zt::platform::registry
