#include "world/city_database.h"

#include <algorithm>
#include <new>

namespace zt::world {
namespace {

constexpr size_t kHeaderSize = 28;
constexpr uint32_t kVersion = 0x00020000;
constexpr size_t kCityReservedBytes = 16;
// latitude, longitude, time zone, flags
constexpr size_t kCityTailBytes = 4 + 4 + 1 + 4;

std::optional<CityRecord> read_city_entry(BoundedReader& reader) {
    if (!reader.can_read(2)) return std::nullopt;
    uint16_t key = reader.read_u16();
    if (key == 0) return std::nullopt;
    auto name = reader.read_short_string();
    if (!name || !reader.skip(kCityReservedBytes) || !reader.can_read(kCityTailBytes)) return std::nullopt;
    CityRecord city;
    city.id = key;
    city.set_name(*name);
    city.latitude = reader.read_s32();
    city.longitude = reader.read_s32();
    city.time_zone = reader.read_u8();
    city.flags = reader.read_u32();
    return city;
}

}  // namespace

CityDatabase& CityDatabase::instance() {
    static CityDatabase database;
    return database;
}

CityDatabase::CityDatabase() = default;
CityDatabase::~CityDatabase() = default;

bool CityDatabase::open(const std::filesystem::path& path) {
    close();
    m_file = zt::platform::MappedFile::open(path, zt::platform::MappedFile::Sharing::ReadShared);
    if (!m_file) return false;
    m_reader = BoundedReader(m_file->bytes());
    bool parsed = false;
    try {
        parsed = parse();
    } catch (const std::bad_alloc&) {
        parsed = false;
    }
    if (!parsed) close();
    return parsed;
}

void CityDatabase::close() {
    m_countries = {};
    m_regions = {};
    m_zip_entries = {};
    m_time_zones = {};
    m_zip_map.clear();
    m_zip_map_built = false;
    m_zip_country = 0;
    m_reader = BoundedReader();
    m_file.reset();
}

bool CityDatabase::parse() {
    BoundedReader& r = m_reader;
    if (r.size() < kHeaderSize) return false;
    auto magic = r.read_bytes(4);
    if (!magic || (*magic)[0] != 'Z' || (*magic)[1] != 'U' || (*magic)[2] != 'N' || (*magic)[3] != 'C') return false;
    if (r.read_u32() != kVersion) return false;
    const uint32_t countries_at = r.read_u32();
    const uint32_t regions_at = r.read_u32();
    const uint32_t zips_at = r.read_u32();
    const uint32_t zones_at = r.read_u32();

    r.seek(countries_at);
    if (!parse_countries(r)) return false;
    r.seek(regions_at);
    if (!parse_regions(r)) return false;
    r.seek(zips_at);
    if (!parse_zip_index(r)) return false;
    r.seek(zones_at);
    return parse_time_zones(r);
}

bool CityDatabase::parse_countries(BoundedReader& r) {
    const uint8_t count = r.read_u8();
    m_countries.reserve(count);
    uint32_t regions_before = 0;
    for (unsigned i = 0; i < count; ++i) {
        CountryRecord c;
        if (!r.can_read(1) || (c.id = r.read_u8()) == 0) return false;
        auto name = r.read_short_string();
        if (!name || !r.can_read(1 + 2 + 2 + 4 + 4)) return false;
        c.name = std::move(*name);
        c.reserved_byte = r.read_u8();
        c.region_count = r.read_u16();
        c.city_count = r.read_u16();
        c.reserved_word = r.read_u32();
        c.city_list_offset = r.read_u32();
        c.first_region_index = regions_before;
        regions_before += c.region_count;
        if (m_zip_country == 0 && c.name == kZipCountryName) m_zip_country = c.id;
        m_countries.push_back(std::move(c));
    }
    return true;
}

bool CityDatabase::parse_regions(BoundedReader& r) {
    const uint8_t count = r.read_u8();
    m_regions.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        RegionRecord region;
        if (!r.can_read(1) || (region.id = r.read_u8()) == 0) return false;
        auto name = r.read_short_string();
        if (!name || !r.can_read(1 + 2 + 4)) return false;
        region.name = std::move(*name);
        region.reserved_byte = r.read_u8();
        region.city_count = r.read_u16();
        region.city_list_offset = r.read_u32();
        m_regions.push_back(std::move(region));
    }
    return true;
}

bool CityDatabase::parse_zip_index(BoundedReader& r) {
    const uint16_t count = r.read_u16();
    m_zip_entries.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        if (!r.can_read(6)) return false;
        const uint32_t packed = r.read_u32();
        ZipEntry entry;
        entry.zip = packed & 0x1FFFF;
        entry.region_index = (packed >> 17) & 0x3F;
        entry.country_index = packed >> 23;
        entry.city_key = r.read_u16();
        if (entry.city_key == 0) return false;
        m_zip_entries.push_back(entry);
    }
    return true;
}

void CityDatabase::build_zip_map() const {
    if (m_zip_map_built) return;
    m_zip_map_built = true;
    // Sized once for the whole index; when that fails the inserts still grow the map as far
    // as it goes. A ZIP the map cannot take (its size limit, no memory) is left out, and a
    // later entry with the same ZIP replaces the earlier one.
    m_zip_map.reserve(m_zip_entries.size());
    for (const ZipEntry& entry : m_zip_entries) m_zip_map.insert(entry.zip, entry);
}

const ZipEntry* CityDatabase::zip_entry(uint32_t zip) const {
    build_zip_map();
    return m_zip_map.lookup(zip);
}

bool CityDatabase::parse_time_zones(BoundedReader& r) {
    const uint8_t count = r.read_u8();
    m_time_zones.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        TimeZoneRecord zone;
        if (!r.can_read(1) || (zone.id = r.read_u8()) == 0) return false;
        auto name = r.read_short_string();
        auto rules = name ? r.read_bytes(kTimeZoneRulesSize) : std::nullopt;
        if (!rules) return false;
        zone.name = std::move(*name);
        std::copy(rules->begin(), rules->end(), zone.rules.begin());
        m_time_zones.push_back(std::move(zone));
    }
    return true;
}

const CountryRecord* CityDatabase::country(uint32_t index) const {
    return index >= 1 && index <= m_countries.size() ? &m_countries[index - 1] : nullptr;
}

const CountryRecord* CityDatabase::find_country(std::u16string_view name) const {
    uint32_t index = find_country_index(name);
    return index ? &m_countries[index - 1] : nullptr;
}

uint32_t CityDatabase::find_country_index(std::u16string_view name) const {
    if (name.empty()) return 0;
    for (size_t i = 0; i < m_countries.size(); ++i)
        if (m_countries[i].name == name) return static_cast<uint32_t>(i + 1);
    return 0;
}

uint32_t CityDatabase::region_count(uint32_t country_index) const {
    const CountryRecord* c = country(country_index);
    return c ? c->region_count : 0;
}

std::span<const RegionRecord> CityDatabase::regions_of(uint32_t country_index) const {
    const CountryRecord* c = country(country_index);
    if (!c || c->first_region_index >= m_regions.size()) return {};
    size_t available = m_regions.size() - c->first_region_index;
    return std::span<const RegionRecord>(m_regions).subspan(c->first_region_index, std::min<size_t>(c->region_count, available));
}

size_t CityDatabase::copy_regions(uint32_t country_index, std::span<RegionRecord> out) const {
    auto regions = regions_of(country_index);
    size_t n = std::min(regions.size(), out.size());
    std::copy_n(regions.begin(), n, out.begin());
    return n;
}

const RegionRecord* CityDatabase::region(uint32_t index) const {
    return index >= 1 && index <= m_regions.size() ? &m_regions[index - 1] : nullptr;
}

uint32_t CityDatabase::find_region_index(uint32_t country_index, std::u16string_view name) const {
    const CountryRecord* c = country(country_index);
    auto regions = regions_of(country_index);
    for (size_t i = 0; i < regions.size(); ++i)
        if (regions[i].name == name) return static_cast<uint32_t>(c->first_region_index + i + 1);
    return 0;
}

std::optional<std::pair<uint32_t, uint32_t>> CityDatabase::city_list(uint32_t country_index, uint32_t region_index) const {
    const CountryRecord* c = country(country_index);
    if (!c) return std::nullopt;
    if (region_index == 0) return std::pair<uint32_t, uint32_t> { c->city_count, c->city_list_offset };
    const RegionRecord* r = region(region_index);
    if (!r) return std::nullopt;
    return std::pair<uint32_t, uint32_t> { r->city_count, r->city_list_offset };
}

template <class Visit>
void CityDatabase::read_city_list(uint32_t country_index, uint32_t region_index, Visit&& visit) {
    auto list = city_list(country_index, region_index);
    if (!list) return;
    auto [count, offset] = *list;
    if (offset == 0 || offset >= m_reader.size()) return;
    m_reader.seek(offset);
    for (uint32_t i = 0; i < count; ++i) {
        auto city = read_city_entry(m_reader);
        if (!city) return;
        city->country_index = country_index;
        city->region_index = region_index;
        if (!visit(*city)) return;
    }
}

void CityDatabase::list_cities(uint32_t country_index, uint32_t region_index, std::vector<CityRecord>& sink) {
    sink.clear();
    read_city_list(country_index, region_index, [&](const CityRecord& city) {
        sink.push_back(city);
        return true;
    });
}

void CityDatabase::enumerate_cities(const std::function<void(const CityRecord&)>& visit) {
    auto each = [&](const CityRecord& city) {
        visit(city);
        return true;
    };
    for (uint32_t k = 1; k <= m_countries.size(); ++k) {
        const CountryRecord& c = m_countries[k - 1];
        if (c.region_count == 0) {
            read_city_list(k, 0, each);
            continue;
        }
        for (uint32_t r = c.first_region_index + 1; r <= c.first_region_index + c.region_count; ++r) read_city_list(k, r, each);
    }
}

bool CityDatabase::find_by_zip(uint32_t zip, CityRecord& out) {
    const ZipEntry* entry = zip_entry(zip);
    if (!entry) return false;
    const ZipEntry wanted = *entry;
    bool found = false;
    read_city_list(wanted.country_index, wanted.region_index, [&](const CityRecord& city) {
        if (city.id != wanted.city_key) return true;
        out = city;
        found = true;
        return false;
    });
    return found;
}

const TimeZoneRecord* CityDatabase::time_zone(uint32_t index) const {
    return index >= 1 && index <= m_time_zones.size() ? &m_time_zones[index - 1] : nullptr;
}

}  // namespace zt::world
