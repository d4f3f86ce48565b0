#pragma once
// The shared 128-byte city record. It is stored verbatim in the favourites file and in the
// City0..City3 settings values, and other programs read it from there, so its layout is
// fixed: id, country index, region index, 50 UTF-16 name units (NUL-terminated), latitude
// and longitude in minutes of arc, time-zone index, flags; all little-endian.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace zt::world {

inline constexpr size_t kCityRecordSize = 128;
inline constexpr size_t kCityNameUnits = 50;
// Ids from here up are custom cities; database cities keep their 16-bit key as id.
inline constexpr uint32_t kFirstCustomCityId = 100000;
inline constexpr uint32_t kMajorCityFlag = 1;

struct CityRecord {
    uint32_t id { 0 };
    uint32_t country_index { 0 };  // 1-based, 0 = none
    uint32_t region_index { 0 };   // 1-based, 0 = none
    std::array<char16_t, kCityNameUnits> name {};
    int32_t latitude { 0 };   // minutes, north positive
    int32_t longitude { 0 };  // minutes, east positive
    uint32_t time_zone { 0 }; // 1-based, 0 = none
    uint32_t flags { 0 };

    // Up to the first NUL; never more than 49 units.
    std::u16string_view name_view() const;
    // Cuts to 49 units and terminates.
    void set_name(std::u16string_view text);
    bool is_custom() const { return id >= kFirstCustomCityId; }

    friend bool operator==(const CityRecord&, const CityRecord&) = default;
};

using CityRecordBytes = std::array<uint8_t, kCityRecordSize>;

CityRecordBytes encode_city_record(const CityRecord& city);
// Any 128 bytes decode: a name without a terminator is cut to 49 units.
CityRecord decode_city_record(std::span<const uint8_t, kCityRecordSize> bytes);

}  // namespace zt::world
