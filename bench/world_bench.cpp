// The shipped city database under the loads the product puts on it: the start-up open, the
// world map's enumeration, the longest list a dialog shows, ZIP searches and the local times
// of many cities.
#include <benchmark/benchmark.h>

#include <vector>

#include "world/city_database.h"
#include "world/zone_local_time.h"

namespace {

using namespace zt::world;

CityDatabase& shipped() {
    static CityDatabase db;
    if (!db.is_open() && !db.open(ZT_SHIPPED_CITY_DB)) std::abort();
    return db;
}

void OpenDatabase(benchmark::State& state) {
    for (auto _ : state) {
        CityDatabase db;
        benchmark::DoNotOptimize(db.open(ZT_SHIPPED_CITY_DB));
    }
}
BENCHMARK(OpenDatabase)->Unit(benchmark::kMillisecond);

// The ZIP map is made on the first ZIP look-up: what a search by ZIP right after opening costs.
void OpenDatabaseAndFindOneZip(benchmark::State& state) {
    for (auto _ : state) {
        CityDatabase db;
        CityRecord city;
        if (!db.open(ZT_SHIPPED_CITY_DB) || !db.find_by_zip(10001, city)) state.SkipWithError("ZIP 10001 not found");
    }
}
BENCHMARK(OpenDatabaseAndFindOneZip)->Unit(benchmark::kMillisecond);

void EnumerateAllCities(benchmark::State& state) {
    CityDatabase& db = shipped();
    size_t count = 0;
    for (auto _ : state) {
        count = 0;
        db.enumerate_cities([&](const CityRecord& c) { count += c.flags & 1; });
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(EnumerateAllCities)->Unit(benchmark::kMillisecond);

void ListLargestCityList(benchmark::State& state) {
    CityDatabase& db = shipped();
    uint32_t largest = 1;
    for (uint32_t k = 1; k <= db.country_count(); ++k)
        if (db.country(k)->city_count > db.country(largest)->city_count) largest = k;
    std::vector<CityRecord> cities;
    for (auto _ : state) {
        db.list_cities(largest, 0, cities);
        benchmark::DoNotOptimize(cities.data());
    }
    state.counters["cities"] = static_cast<double>(cities.size());
}
BENCHMARK(ListLargestCityList)->Unit(benchmark::kMillisecond);

void TenThousandZipLookUps(benchmark::State& state) {
    CityDatabase& db = shipped();
    std::vector<uint32_t> known;
    for (uint32_t zip = 0; zip < (1u << 17); ++zip)
        if (db.zip_entry(zip)) known.push_back(zip);
    // Ten thousand codes spread evenly over all states.
    std::vector<uint32_t> zips;
    for (size_t i = 0; i < 10000 && !known.empty(); ++i) zips.push_back(known[i * known.size() / 10000]);
    CityRecord city;
    for (auto _ : state) {
        size_t found = 0;
        for (uint32_t zip : zips) found += db.find_by_zip(zip, city);
        benchmark::DoNotOptimize(found);
    }
    state.counters["zips"] = static_cast<double>(zips.size());
}
BENCHMARK(TenThousandZipLookUps)->Unit(benchmark::kMillisecond);

void LocalTimeOfTenThousandCities(benchmark::State& state) {
    CityDatabase& db = shipped();
    // As the displays do it: the city's zone record from the table, its rules decoded each time.
    std::vector<const TimeZoneRulesBytes*> rules;
    db.enumerate_cities([&](const CityRecord& c) {
        if (rules.size() < 10000) rules.push_back(&db.time_zone(c.time_zone)->rules);
    });
    const zt::platform::FileTime now = 133'500'000'000'000'000;  // mid-2024
    for (auto _ : state) {
        int64_t sum = 0;
        for (const auto* r : rules) sum += zone_local_file_time(decode_time_zone_rules(*r), now).value_or(0);
        benchmark::DoNotOptimize(sum);
    }
}
BENCHMARK(LocalTimeOfTenThousandCities)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
