#pragma once
// Builds city database files byte by byte for tests, in the file's own layout, so tests can
// make exactly the odd file they need (long names, bad offsets, repeated ZIP codes).
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "world/time_zone_rules.h"

namespace zt::world::testing {

struct BuiltCity {
    uint16_t key { 0 };
    std::string name;  // bytes as stored
    int32_t latitude { 0 };
    int32_t longitude { 0 };
    uint8_t time_zone { 0 };
    uint32_t flags { 0 };
};

struct BuiltRegion {
    std::string name {};
    std::vector<BuiltCity> cities {};
    int id { -1 };  // -1: its position
};

struct BuiltCountry {
    std::string name;
    std::vector<BuiltRegion> regions {};
    std::vector<BuiltCity> cities {};
    bool own_list { true };  // false writes offset 0 for the country's own list
    int id { -1 };           // -1: its position
};

struct BuiltZip {
    uint32_t zip { 0 };
    uint32_t country_index { 0 };
    uint32_t region_index { 0 };
    uint16_t city_key { 0 };
};

struct BuiltZone {
    std::string name;
    TimeZoneRules rules;
};

struct CityDbBuilder {
    std::vector<BuiltCountry> countries;
    std::vector<BuiltZip> zips;
    std::vector<BuiltZone> zones;
    uint32_t version { 0x00020000 };
    // Header offsets to use instead of the real ones (0 = real).
    uint32_t zip_offset_override { 0 };
    uint32_t zone_offset_override { 0 };

    std::vector<uint8_t> build() const;
};

bool write_file(const std::filesystem::path& path, const std::vector<uint8_t>& bytes);

// A zone with European-style rules: bias 60, last Sunday of March 02:00 to last Sunday of
// October 03:00, daylight bias -60.
TimeZoneRules central_european_rules();

}  // namespace zt::world::testing
