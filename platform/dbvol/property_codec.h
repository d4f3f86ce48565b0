#pragma once
// The stored form of a record: its properties one after another, little-endian.
//
//   u16 count, then per property: u16 id, u8 kind, u32 length in bytes, the value bytes
//   kind 1 text (UTF-16LE units, length even), 2 u32 (length 4), 3 i64 (length 8), 4 bytes
//
// Decoding checks every length against what is left and refuses trailing bytes, so a damaged
// record is refused as a whole rather than read half.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/dbvol/database_volume.h"

namespace zt::platform::dbvol::detail {

inline constexpr size_t kMaxPropertyBytes = 16u << 20;

// nullopt when a value is too large or there are too many properties.
std::optional<std::vector<uint8_t>> encode_properties(const std::vector<Property>& props);
std::optional<std::vector<Property>> decode_properties(std::span<const uint8_t> bytes);

}  // namespace zt::platform::dbvol::detail
