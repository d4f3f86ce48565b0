// CGenericMap against std::unordered_map on the same keys in the same run: 10^5 text keys
// (record-style names) and 10^5 integer keys, insert and lookup. Compare the pairs of lines
// (GenericMap/... vs UnorderedMap/...) to get the ratio.
#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "core/generic_map.h"

namespace {

using zt::core::CGenericMap;
using zt::core::IntegerHash;
using zt::core::TextHash;

constexpr int kKeys = 100'000;

const std::vector<std::u16string>& text_keys() {
    static const std::vector<std::u16string> keys = [] {
        std::vector<std::u16string> out;
        out.reserve(kKeys);
        for (int i = 0; i < kKeys; ++i) {
            std::string ascii = "City" + std::to_string(i * 7919 % 1'000'003);
            out.emplace_back(ascii.begin(), ascii.end());
        }
        return out;
    }();
    return keys;
}

const std::vector<uint32_t>& int_keys() {
    static const std::vector<uint32_t> keys = [] {
        std::vector<uint32_t> out;
        for (uint32_t i = 0; i < kKeys; ++i) out.push_back(i * 2654435761u);
        return out;
    }();
    return keys;
}

struct U16Hash {
    size_t operator()(const std::u16string& s) const { return TextHash {}(s); }
};

void GenericMap_TextInsert(benchmark::State& state) {
    for (auto _ : state) {
        CGenericMap<std::u16string, int, TextHash> map(5);
        for (int i = 0; i < kKeys; ++i) map.insert(text_keys()[i], i);
        benchmark::DoNotOptimize(map.count());
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}

void UnorderedMap_TextInsert(benchmark::State& state) {
    for (auto _ : state) {
        std::unordered_map<std::u16string, int> map;
        for (int i = 0; i < kKeys; ++i) map[text_keys()[i]] = i;
        benchmark::DoNotOptimize(map.size());
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}

void GenericMap_TextLookup(benchmark::State& state) {
    CGenericMap<std::u16string, int, TextHash> map(5);
    for (int i = 0; i < kKeys; ++i) map.insert(text_keys()[i], i);
    for (auto _ : state) {
        long sum = 0;
        for (const auto& key : text_keys()) sum += *map.lookup(key);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}

void UnorderedMap_TextLookup(benchmark::State& state) {
    std::unordered_map<std::u16string, int> map;
    for (int i = 0; i < kKeys; ++i) map[text_keys()[i]] = i;
    for (auto _ : state) {
        long sum = 0;
        for (const auto& key : text_keys()) sum += map.find(key)->second;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}

void GenericMap_IntInsert(benchmark::State& state) {
    for (auto _ : state) {
        CGenericMap<uint32_t, uint32_t, IntegerHash> map(5);
        for (uint32_t key : int_keys()) map.insert(key, key);
        benchmark::DoNotOptimize(map.count());
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}

void UnorderedMap_IntInsert(benchmark::State& state) {
    for (auto _ : state) {
        std::unordered_map<uint32_t, uint32_t> map;
        for (uint32_t key : int_keys()) map[key] = key;
        benchmark::DoNotOptimize(map.size());
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}

void GenericMap_IntLookup(benchmark::State& state) {
    CGenericMap<uint32_t, uint32_t, IntegerHash> map(5);
    for (uint32_t key : int_keys()) map.insert(key, key);
    for (auto _ : state) {
        uint64_t sum = 0;
        for (uint32_t key : int_keys()) sum += *map.lookup(key);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}

void UnorderedMap_IntLookup(benchmark::State& state) {
    std::unordered_map<uint32_t, uint32_t> map;
    for (uint32_t key : int_keys()) map[key] = key;
    for (auto _ : state) {
        uint64_t sum = 0;
        for (uint32_t key : int_keys()) sum += map.find(key)->second;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kKeys);
}

BENCHMARK(GenericMap_TextInsert)->Unit(benchmark::kMillisecond);
BENCHMARK(UnorderedMap_TextInsert)->Unit(benchmark::kMillisecond);
BENCHMARK(GenericMap_TextLookup)->Unit(benchmark::kMillisecond);
BENCHMARK(UnorderedMap_TextLookup)->Unit(benchmark::kMillisecond);
BENCHMARK(GenericMap_IntInsert)->Unit(benchmark::kMillisecond);
BENCHMARK(UnorderedMap_IntInsert)->Unit(benchmark::kMillisecond);
BENCHMARK(GenericMap_IntLookup)->Unit(benchmark::kMillisecond);
BENCHMARK(UnorderedMap_IntLookup)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
