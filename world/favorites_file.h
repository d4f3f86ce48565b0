#pragma once
// The byte layout of "FavList.dat": a 36-byte header (magic "ZUDF", version 0x00020000, five
// section offsets, a reserved word, the next custom id), then spare section 1 (one byte 0),
// the favourites (u16 count and that many 128-byte city records), spare sections 2 and 3
// (u16 0 each) and the slots (u8 4 and four city ids, 0 for an empty slot).
//
// Reading follows the offsets in the header, each clamped to the file size: a favourites
// section cut short keeps the records read before the cut; a slots section names at most
// four ids, and missing ids read as 0.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "world/city_record.h"

namespace zt::world {

inline constexpr char16_t kFavoritesFileName[] = u"FavList.dat";
inline constexpr size_t kFavoritesHeaderSize = 36;
inline constexpr size_t kSlotCount = 4;

struct FavoritesFileContents {
    std::vector<CityRecord> entries;
    std::array<uint32_t, kSlotCount> slot_ids {};  // 0 = empty
    uint32_t next_custom_id { kFirstCustomCityId };  // raised to kFirstCustomCityId when lower
};

// Nothing for a file shorter than the header, a foreign magic or another version.
std::optional<FavoritesFileContents> parse_favorites_file(std::span<const uint8_t> bytes);
std::vector<uint8_t> serialize_favorites_file(const FavoritesFileContents& contents);

}  // namespace zt::world
