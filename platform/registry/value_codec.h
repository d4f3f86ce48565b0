#pragma once
// The byte layouts of the registry's value types, written and read explicitly little-endian.
// Decoders never fail on malformed bytes: they return nullopt or decode what is there.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zt::platform::registry {

// UTF-16LE code units followed by one NUL unit (REG_SZ, REG_EXPAND_SZ).
std::vector<uint8_t> encode_sz(std::u16string_view text);
// The text up to the first NUL unit (or to the end); a trailing odd byte is ignored.
std::u16string decode_sz(std::span<const uint8_t> data);

// 4 bytes little-endian (REG_DWORD).
std::vector<uint8_t> encode_dword(uint32_t value);
// nullopt unless exactly 4 bytes.
std::optional<uint32_t> decode_dword(std::span<const uint8_t> data);

// Each string with its NUL, then a closing NUL (REG_MULTI_SZ); an empty list is the closing
// NUL alone. An empty string would end the list early, so callers must not pass one.
std::vector<uint8_t> encode_multi_sz(const std::vector<std::u16string>& values);
// Strings up to the first empty one (the closing NUL) or the end of the data; a missing
// closing NUL is tolerated.
std::vector<std::u16string> decode_multi_sz(std::span<const uint8_t> data);

// UTF-16 code units to and from little-endian bytes, without terminators.
std::vector<uint8_t> units_to_bytes(std::u16string_view units);
std::u16string bytes_to_units(std::span<const uint8_t> bytes);  // odd last byte ignored

}  // namespace zt::platform::registry
