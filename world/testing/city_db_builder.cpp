#include "world/testing/city_db_builder.h"

#include <fstream>

namespace zt::world::testing {
namespace {

struct Bytes {
    std::vector<uint8_t> data;
    void u8(uint32_t v) { data.push_back(static_cast<uint8_t>(v)); }
    void u16(uint32_t v) { u8(v); u8(v >> 8); }
    void u32(uint32_t v) { u16(v); u16(v >> 16); }
    void text(const std::string& s) {
        u8(static_cast<uint32_t>(s.size()));
        data.insert(data.end(), s.begin(), s.end());
    }
    void put32(size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) data[at + i] = static_cast<uint8_t>(v >> (8 * i));
    }
};

void city_list(Bytes& out, const std::vector<BuiltCity>& cities) {
    for (const auto& c : cities) {
        out.u16(c.key);
        out.text(c.name);
        for (int i = 0; i < 16; ++i) out.u8(0xEE);
        out.u32(static_cast<uint32_t>(c.latitude));
        out.u32(static_cast<uint32_t>(c.longitude));
        out.u8(c.time_zone);
        out.u32(c.flags);
    }
}

}  // namespace

std::vector<uint8_t> CityDbBuilder::build() const {
    Bytes out;
    for (char ch : std::string("ZUNC")) out.u8(static_cast<uint8_t>(ch));
    out.u32(version);
    for (int i = 0; i < 5; ++i) out.u32(0);

    // Country table; list offsets patched once the lists are written.
    out.put32(8, static_cast<uint32_t>(out.data.size()));
    out.u8(static_cast<uint32_t>(countries.size()));
    std::vector<size_t> country_offset_at;
    for (size_t i = 0; i < countries.size(); ++i) {
        const auto& c = countries[i];
        out.u8(c.id >= 0 ? static_cast<uint32_t>(c.id) : static_cast<uint32_t>(i + 1));
        out.text(c.name);
        out.u8(0);
        out.u16(static_cast<uint32_t>(c.regions.size()));
        out.u16(static_cast<uint32_t>(c.cities.size()));
        out.u32(0);
        country_offset_at.push_back(out.data.size());
        out.u32(0);
    }
    out.put32(12, static_cast<uint32_t>(out.data.size()));
    std::vector<const BuiltRegion*> regions;
    for (const auto& c : countries)
        for (const auto& r : c.regions) regions.push_back(&r);
    out.u8(static_cast<uint32_t>(regions.size()));
    std::vector<size_t> region_offset_at;
    for (size_t i = 0; i < regions.size(); ++i) {
        out.u8(regions[i]->id >= 0 ? static_cast<uint32_t>(regions[i]->id) : static_cast<uint32_t>(i + 1));
        out.text(regions[i]->name);
        out.u8(0);
        out.u16(static_cast<uint32_t>(regions[i]->cities.size()));
        region_offset_at.push_back(out.data.size());
        out.u32(0);
    }
    out.put32(16, zip_offset_override ? zip_offset_override : static_cast<uint32_t>(out.data.size()));
    out.u16(static_cast<uint32_t>(zips.size()));
    for (const auto& z : zips) {
        out.u32(z.zip | (z.region_index << 17) | (z.country_index << 23));
        out.u16(z.city_key);
    }
    out.put32(20, zone_offset_override ? zone_offset_override : static_cast<uint32_t>(out.data.size()));
    out.u8(static_cast<uint32_t>(zones.size()));
    for (size_t i = 0; i < zones.size(); ++i) {
        out.u8(static_cast<uint32_t>(i + 1));
        out.text(zones[i].name);
        auto rules = encode_time_zone_rules(zones[i].rules);
        out.data.insert(out.data.end(), rules.begin(), rules.end());
    }
    for (size_t i = 0; i < countries.size(); ++i) {
        if (!countries[i].own_list || countries[i].cities.empty()) continue;
        out.put32(country_offset_at[i], static_cast<uint32_t>(out.data.size()));
        city_list(out, countries[i].cities);
    }
    for (size_t i = 0; i < regions.size(); ++i) {
        if (regions[i]->cities.empty()) continue;
        out.put32(region_offset_at[i], static_cast<uint32_t>(out.data.size()));
        city_list(out, regions[i]->cities);
    }
    return out.data;
}

bool write_file(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

TimeZoneRules central_european_rules() {
    TimeZoneRules r;
    r.bias = 60;
    r.daylight_bias = -60;
    r.daylight_date = { .wYear = 0, .wMonth = 3, .wDayOfWeek = 0, .wDay = 5, .wHour = 2 };
    r.standard_date = { .wYear = 0, .wMonth = 10, .wDayOfWeek = 0, .wDay = 5, .wHour = 3 };
    return r;
}

}  // namespace zt::world::testing
