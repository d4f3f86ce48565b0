// Registry speed: a durable write plus flush (what a record save costs) and reads.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/base/text.h"
#include "platform/registry/registry.h"
#include "platform/testing/temp_device_root.h"

namespace {
using zt::platform::registry::Key;
using zt::platform::registry::Root;

Key bench_key() {
    auto created = Key::create(Root::CurrentUser, u"Software\\Zunworks\\Zun Time\\Alarms");
    return std::move(created->key);
}

void BM_RegistrySetStringAndFlush(benchmark::State& state) {
    zt::platform::testing::TempDeviceRoot root;
    Key key = bench_key();
    const std::u16string record(120, u'r');  // about the size of an alarm record
    uint32_t n = 0;
    for (auto _ : state) {
        key.set_string(zt::platform::to_u16(std::to_string(n++ % 64)), record);
        key.flush();
    }
}
BENCHMARK(BM_RegistrySetStringAndFlush);

void BM_RegistrySetDword(benchmark::State& state) {
    zt::platform::testing::TempDeviceRoot root;
    Key key = bench_key();
    uint32_t n = 0;
    for (auto _ : state) key.set_dword(u"Counter", n++);
}
BENCHMARK(BM_RegistrySetDword);

void BM_RegistryGetDword(benchmark::State& state) {
    zt::platform::testing::TempDeviceRoot root;
    Key key = bench_key();
    key.set_dword(u"Counter", 42);
    for (auto _ : state) benchmark::DoNotOptimize(key.get_dword(u"COUNTER"));
}
BENCHMARK(BM_RegistryGetDword);

void BM_RegistryGetStringSizeThenData(benchmark::State& state) {
    zt::platform::testing::TempDeviceRoot root;
    Key key = bench_key();
    key.set_string(u"1", std::u16string(120, u'r'));
    for (auto _ : state) benchmark::DoNotOptimize(key.get_string(u"1"));
}
BENCHMARK(BM_RegistryGetStringSizeThenData);

void BM_RegistryOpenDeepKey(benchmark::State& state) {
    zt::platform::testing::TempDeviceRoot root;
    bench_key();
    for (auto _ : state) benchmark::DoNotOptimize(Key::open(Root::CurrentUser, u"software\\zunworks\\zun time\\alarms"));
}
BENCHMARK(BM_RegistryOpenDeepKey);

void BM_RegistryEnumerateValues(benchmark::State& state) {
    zt::platform::testing::TempDeviceRoot root;
    Key key = bench_key();
    for (int i = 0; i < 50; ++i) key.set_dword(zt::platform::to_u16(std::to_string(i)), 1);
    for (auto _ : state) {
        uint32_t count = 0;
        while (key.enum_value(count)) ++count;
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(BM_RegistryEnumerateValues);

// Listing every value of a key, one index after the other, as the record stores do: the cost
// per value must not grow with the number of values.
void BM_RegistryListAllValues(benchmark::State& state) {
    zt::platform::testing::TempDeviceRoot root;
    Key key = bench_key();
    const auto values = static_cast<uint32_t>(state.range(0));
    const std::u16string record(120, u'r');
    for (uint32_t i = 0; i < values; ++i) key.set_string(zt::platform::to_u16(std::to_string(i)), record);
    for (auto _ : state) {
        uint32_t count = 0;
        while (key.enum_value(count)) ++count;
        if (count != values) state.SkipWithError("the listing missed values");
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations()) * values);
}
BENCHMARK(BM_RegistryListAllValues)->Arg(10)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
