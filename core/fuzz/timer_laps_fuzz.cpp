// A stopwatch's laps as they come back from the registry: any UTF-16LE text as a timer record;
// whatever loads gives a reading, a split and a lap text for every lap, shows its value at
// the ends of the calendar, and saves and loads back with the same laps. Taking a lap and a
// pause on it afterwards works from whatever state was stored.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/property_list.h"
#include "core/timer.h"

using namespace zt::core;

namespace {

// "HH:MM:SS.mmm" and "HHMMSSmmm": the digit display and the lap file have fixed columns.
void check_lap_text(int64_t ms) {
    if (format_lap_text(ms).size() != 12 || format_timer_digits(ms).size() != 9) std::abort();
}

void check_readings(const CTimer& timer) {
    const auto& laps = timer.laps();
    for (size_t i = 0; i < laps.size(); ++i) {
        auto reading = timer.lap_reading(i);
        if (!reading || reading->time_ms < 0 || reading->pause != (laps[i] < 0)) std::abort();
        check_lap_text(reading->time_ms);
        check_lap_text(reading->split_ms);
    }
    if (timer.lap_reading(laps.size())) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text;
    for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    auto map = parse_property_list(text);
    if (!map) return 0;
    CTimer timer(1);
    if (!timer.from_value_map(*map)) return 0;
    if (!timer.count_up && !timer.laps().empty()) std::abort();  // only stopwatches load laps
    check_readings(timer);

    CValueMap saved;
    if (!timer.to_value_map(saved)) std::abort();
    auto reparsed = parse_property_list(join_property_list(saved));
    CTimer again(1);
    if (!reparsed || !again.from_value_map(*reparsed) || again.laps() != timer.laps()) std::abort();

    const SYSTEMTIME earliest { 1601, 1, 1, 1, 0, 0, 0, 0 };
    const SYSTEMTIME latest { 9999, 12, 5, 31, 23, 59, 59, 999 };
    for (const SYSTEMTIME& now : { timer.start_time, timer.pause_time, earliest, latest, SYSTEMTIME {} }) {
        timer.sample(now);
        if (timer.shown_ms() < 0 || timer.shown_digits().size() != 9) std::abort();
    }
    timer.lap(latest);
    timer.toggle(earliest);
    timer.toggle(latest);
    check_readings(timer);
    return 0;
}
