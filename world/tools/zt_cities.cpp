// zt-cities: look into the city database from a shell.
//
//   zt-cities [--db FILE] countries
//   zt-cities [--db FILE] regions COUNTRY
//   zt-cities [--db FILE] cities COUNTRY [REGION]
//   zt-cities [--db FILE] zip CODE
//   zt-cities [--db FILE] zones
//   zt-cities [--db FILE] time COUNTRY [REGION] CITY
//
// COUNTRY and REGION are exact names or 1-based indices. Output lines are tab-separated so
// scripts can cut them. Exit 0 found, 1 not found, 2 usage or unreadable database.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/base/clock.h"
#include "platform/base/device_path.h"
#include "platform/base/text.h"
#include "world/city_database.h"
#include "world/zone_local_time.h"

namespace {

using namespace zt::world;
using zt::platform::to_u16;
using zt::platform::utf16_to_utf8;

constexpr int kFound = 0;
constexpr int kNotFound = 1;
constexpr int kUsage = 2;

void print_usage(FILE* to) {
    std::fputs(
        "usage: zt-cities [--db FILE] COMMAND\n"
        "  countries                      index, name, regions, cities of every country\n"
        "  regions COUNTRY                index and name of the country's regions\n"
        "  cities COUNTRY [REGION]        the city list: key, name, latitude, longitude (minutes), zone, flags\n"
        "  zip CODE                       the city of a US ZIP code\n"
        "  zones                          the time-zone table: index, bias, name\n"
        "  time COUNTRY [REGION] CITY     the city's local time now\n"
        "COUNTRY and REGION are exact names or 1-based indices.\n"
        "Without --db the device's \\Program Files\\Zun Time\\TimeCitiesDB.dat is used.\n"
        "Exit status: 0 found, 1 not found, 2 usage or unreadable database.\n",
        to);
}

std::optional<uint32_t> parse_number(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    return value;
}

uint32_t resolve_country(const CityDatabase& db, const std::string& arg) {
    if (auto n = parse_number(arg); n && db.country(*n)) return *n;
    return db.find_country_index(to_u16(arg));
}

uint32_t resolve_region(const CityDatabase& db, uint32_t country, const std::string& arg) {
    if (auto n = parse_number(arg); n && db.region(*n)) return *n;
    return db.find_region_index(country, to_u16(arg));
}

void print_city(const CityRecord& c) {
    std::printf("%u\t%s\t%d\t%d\t%u\t%u\n", c.id, utf16_to_utf8(c.name_view()).c_str(), c.latitude, c.longitude, c.time_zone, c.flags);
}

int list_countries(CityDatabase& db) {
    for (uint32_t i = 1; i <= db.country_count(); ++i) {
        const CountryRecord* c = db.country(i);
        std::printf("%u\t%s\t%u\t%u\n", i, utf16_to_utf8(c->name).c_str(), c->region_count, c->city_count);
    }
    return kFound;
}

int list_regions(CityDatabase& db, const std::string& country_arg) {
    uint32_t country = resolve_country(db, country_arg);
    if (!country) return std::fprintf(stderr, "zt-cities: no country %s\n", country_arg.c_str()), kNotFound;
    const CountryRecord* c = db.country(country);
    uint32_t index = c->first_region_index;
    for (const auto& r : db.regions_of(country)) std::printf("%u\t%s\t%u\n", ++index, utf16_to_utf8(r.name).c_str(), r.city_count);
    return kFound;
}

int list_cities(CityDatabase& db, const std::vector<std::string>& args) {
    uint32_t country = resolve_country(db, args[0]);
    if (!country) return std::fprintf(stderr, "zt-cities: no country %s\n", args[0].c_str()), kNotFound;
    uint32_t region = 0;
    if (args.size() > 1 && !(region = resolve_region(db, country, args[1])))
        return std::fprintf(stderr, "zt-cities: no region %s\n", args[1].c_str()), kNotFound;
    std::vector<CityRecord> cities;
    db.list_cities(country, region, cities);
    for (const auto& c : cities) print_city(c);
    return cities.empty() ? kNotFound : kFound;
}

int find_zip(CityDatabase& db, const std::string& arg) {
    auto code = parse_number(arg);
    if (!code) return std::fprintf(stderr, "zt-cities: not a ZIP code: %s\n", arg.c_str()), kUsage;
    CityRecord city;
    if (!db.find_by_zip(*code, city)) return std::fprintf(stderr, "zt-cities: ZIP %s not found\n", arg.c_str()), kNotFound;
    const CountryRecord* country = db.country(city.country_index);
    const RegionRecord* region = db.region(city.region_index);
    std::printf("%05u\t%s\t%s\t", *code, country ? utf16_to_utf8(country->name).c_str() : "",
                region ? utf16_to_utf8(region->name).c_str() : "");
    print_city(city);
    return kFound;
}

int list_zones(CityDatabase& db) {
    for (uint32_t i = 1; i <= db.time_zone_count(); ++i) {
        const TimeZoneRecord* z = db.time_zone(i);
        std::printf("%u\t%d\t%s\n", i, decode_time_zone_rules(z->rules).bias, utf16_to_utf8(z->name).c_str());
    }
    return kFound;
}

int city_time(CityDatabase& db, const std::vector<std::string>& args) {
    std::vector<std::string> where(args.begin(), args.end() - 1);
    std::vector<CityRecord> cities;
    uint32_t country = resolve_country(db, where[0]);
    uint32_t region = where.size() > 1 && country ? resolve_region(db, country, where[1]) : 0;
    if (!country || (where.size() > 1 && !region)) return std::fprintf(stderr, "zt-cities: no such country or region\n"), kNotFound;
    db.list_cities(country, region, cities);
    std::u16string wanted = to_u16(args.back());
    for (const auto& c : cities) {
        if (c.name_view() != wanted) continue;
        const TimeZoneRecord* zone = db.time_zone(c.time_zone);
        auto local = zone ? zone_local_time(decode_time_zone_rules(zone->rules), zt::platform::universal_time()) : std::nullopt;
        if (!local) return std::fprintf(stderr, "zt-cities: the city has no valid time zone\n"), kNotFound;
        std::printf("%04u-%02u-%02u %02u:%02u:%02u\t%s\n", local->wYear, local->wMonth, local->wDay, local->wHour, local->wMinute,
                    local->wSecond, utf16_to_utf8(zone->name).c_str());
        return kFound;
    }
    std::fprintf(stderr, "zt-cities: no city %s\n", args.back().c_str());
    return kNotFound;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::optional<std::filesystem::path> db_path;
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        print_usage(stdout);
        return kFound;
    }
    if (args.size() >= 2 && args[0] == "--db") {
        db_path = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) {
        print_usage(stderr);
        return kUsage;
    }
    if (!db_path) db_path = zt::platform::map_device_path(u"\\Program Files\\Zun Time\\TimeCitiesDB.dat");
    CityDatabase db;
    if (!db_path || !db.open(*db_path)) {
        std::fprintf(stderr, "zt-cities: cannot open the city database %s\n", db_path ? db_path->c_str() : "(no device root)");
        return kUsage;
    }
    const std::string command = args[0];
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "countries" && rest.empty()) return list_countries(db);
    if (command == "regions" && rest.size() == 1) return list_regions(db, rest[0]);
    if (command == "cities" && (rest.size() == 1 || rest.size() == 2)) return list_cities(db, rest);
    if (command == "zip" && rest.size() == 1) return find_zip(db, rest[0]);
    if (command == "zones" && rest.empty()) return list_zones(db);
    if (command == "time" && (rest.size() == 2 || rest.size() == 3)) return city_time(db, rest);
    print_usage(stderr);
    return kUsage;
}
