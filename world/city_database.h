#pragma once
// CityDatabase: the read-only city data file "TimeCitiesDB.dat" (countries, their regions, the
// city lists, the US ZIP index and the time-zone table), mapped once and queried in place.
//
// Contract:
//  - open() replaces whatever was open. It fails (false, database closed) for a missing or
//    locked file, one that is not a regular file (a FIFO fails at once, it never waits), a file
//    under 28 bytes, a wrong magic or version, a table entry with id 0 or cut short, or no
//    memory. A section offset past the end is an empty section, not a failure.
//  - The file is held read-shared: every reader of the device (the main program, zt-cities,
//    the installer hook) may have it open at once, and while any of them does, an exclusive
//    holder of the file is kept out (and keeps them out).
//  - Only the small tables are copied into memory. City lists are decoded from the mapping on
//    every query; a broken list (key 0 or cut short) ends early and keeps what came before.
//  - The open reads and checks every ZIP entry, but the ZIP map is made on the first ZIP
//    look-up: it is most of the cost of opening (41,689 entries, 2.6 MB), and most runs of a
//    program never search by ZIP code.
//  - Indices are 1-based as the file numbers them; 0 or one past the count yields null or an
//    empty result. With the database closed every query yields nothing.
//  - One instance is used from one thread: queries share the reader position.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/generic_map.h"
#include "platform/base/mapped_file.h"
#include "world/bounded_reader.h"
#include "world/city_record.h"
#include "world/time_zone_rules.h"

namespace zt::world {

inline constexpr char16_t kCityDatabaseFileName[] = u"TimeCitiesDB.dat";
// Countries named exactly so offer the search by ZIP code.
inline constexpr char16_t kZipCountryName[] = u"United States of America";

struct CountryRecord {
    uint32_t id { 0 };
    std::u16string name;
    uint8_t reserved_byte { 0 };
    uint16_t region_count { 0 };
    uint16_t city_count { 0 };
    uint32_t reserved_word { 0 };
    uint32_t city_list_offset { 0 };
    uint32_t first_region_index { 0 };  // 0-based position of its first region, computed at load
};

struct RegionRecord {
    uint32_t id { 0 };
    std::u16string name;
    uint8_t reserved_byte { 0 };
    uint16_t city_count { 0 };
    uint32_t city_list_offset { 0 };
};

struct TimeZoneRecord {
    uint32_t id { 0 };
    std::u16string name;
    TimeZoneRulesBytes rules {};
};

struct ZipEntry {
    uint32_t zip { 0 };
    uint32_t country_index { 0 };
    uint32_t region_index { 0 };  // 0 = the country's own list
    uint16_t city_key { 0 };
};

class CityDatabase {
public:
    // The process-wide instance, created on first use.
    static CityDatabase& instance();

    CityDatabase();
    ~CityDatabase();
    CityDatabase(const CityDatabase&) = delete;
    CityDatabase& operator=(const CityDatabase&) = delete;

    bool open(const std::filesystem::path& path);
    void close();
    bool is_open() const { return m_file.has_value(); }

    uint32_t country_count() const { return static_cast<uint32_t>(m_countries.size()); }
    const CountryRecord* country(uint32_t index) const;
    // Exact, case-sensitive; the first match; null for an empty name.
    const CountryRecord* find_country(std::u16string_view name) const;
    // 1-based index of find_country's answer, 0 when there is none.
    uint32_t find_country_index(std::u16string_view name) const;

    uint32_t region_count(uint32_t country_index) const;
    // The country's regions as stored (cut at the end of the region table).
    std::span<const RegionRecord> regions_of(uint32_t country_index) const;
    // Copies up to out.size() of them; returns how many were copied.
    size_t copy_regions(uint32_t country_index, std::span<RegionRecord> out) const;
    uint32_t region_table_count() const { return static_cast<uint32_t>(m_regions.size()); }
    const RegionRecord* region(uint32_t index) const;
    // 1-based index of the first region of the country with this exact name, 0 when none.
    uint32_t find_region_index(uint32_t country_index, std::u16string_view name) const;

    // Resets the sink, then appends every readable city of the country's own list (region 0)
    // or of region `region_index`, with the country and region fields filled in.
    void list_cities(uint32_t country_index, uint32_t region_index, std::vector<CityRecord>& sink);
    // Every city of the file: the region lists of countries that have regions, else the
    // country's own list.
    void enumerate_cities(const std::function<void(const CityRecord&)>& visit);

    bool find_by_zip(uint32_t zip, CityRecord& out);
    const ZipEntry* zip_entry(uint32_t zip) const;

    uint32_t time_zone_count() const { return static_cast<uint32_t>(m_time_zones.size()); }
    const TimeZoneRecord* time_zone(uint32_t index) const;

    // Id of the first country named exactly "United States of America"; 0 if none.
    uint32_t zip_country() const { return m_zip_country; }

private:
    bool parse();
    bool parse_countries(BoundedReader& reader);
    bool parse_regions(BoundedReader& reader);
    bool parse_zip_index(BoundedReader& reader);
    bool parse_time_zones(BoundedReader& reader);
    void build_zip_map() const;
    // The list of country k or region r as count and offset; nothing when an index is bad.
    std::optional<std::pair<uint32_t, uint32_t>> city_list(uint32_t country_index, uint32_t region_index) const;
    template <class Visit>
    void read_city_list(uint32_t country_index, uint32_t region_index, Visit&& visit);

    std::optional<zt::platform::MappedFile> m_file;
    BoundedReader m_reader;
    std::vector<CountryRecord> m_countries;
    std::vector<RegionRecord> m_regions;
    std::vector<ZipEntry> m_zip_entries;
    std::vector<TimeZoneRecord> m_time_zones;
    mutable zt::core::CGenericMap<uint32_t, ZipEntry, zt::core::IntegerHash> m_zip_map { 5 };
    mutable bool m_zip_map_built { false };
    uint32_t m_zip_country { 0 };
};

}  // namespace zt::world
