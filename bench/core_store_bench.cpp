// Reload of 500 stored records through the device registry, and the earliest-due search
// over 500 records in memory.
#include <benchmark/benchmark.h>

#include "core/schedule.h"
#include "core/time_store.h"
#include "platform/testing/temp_device_root.h"

namespace {

using namespace zt::core;

constexpr int kRecords = 500;

void fill(CTimeStore& store, bool save) {
    for (int id = 1; id <= kRecords; ++id) {
        if (id % 5 == 0) {
            auto* timer = static_cast<CTimer*>(store.create_item(ItemType::Timer, id));
            timer->count_up = false;
            timer->interval = static_cast<uint32_t>(60 + id);
            timer->start(SYSTEMTIME { 2009, 3, 1, 2, 10, 0, 0, 0 });
            if (save) timer->save();
        } else {
            auto* alarm = static_cast<CAlarm*>(store.create_item(ItemType::Alarm, id));
            alarm->alarm_time = SYSTEMTIME { 0, 1, 0, 1, static_cast<uint16_t>(id % 24), static_cast<uint16_t>(id % 60), 0, 0 };
            alarm->flags = static_cast<uint32_t>(1 + id % 127);
            alarm->name = u"Alarm";
            if (save) alarm->save();
        }
    }
}

void Store_ReloadAll500(benchmark::State& state) {
    zt::platform::testing::TempDeviceRoot root;
    {
        CTimeStore writer;
        fill(writer, true);
    }
    CTimeStore store;
    for (auto _ : state) {
        store.reload_all();
        if (store.item_count() != kRecords) state.SkipWithError("reload lost records");
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}

void Store_EarliestDue500(benchmark::State& state) {
    zt::platform::testing::TempDeviceRoot root;
    CTimeStore store;
    fill(store, false);
    const SYSTEMTIME now { 2009, 3, 1, 2, 12, 0, 0, 0 };
    for (auto _ : state) benchmark::DoNotOptimize(earliest_due_item(store, now).item);
    state.SetItemsProcessed(state.iterations() * kRecords);
}

BENCHMARK(Store_ReloadAll500)->Unit(benchmark::kMillisecond);
BENCHMARK(Store_EarliestDue500)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
