// Feeds arbitrary UTF-16LE text to the property-list parser and, when it parses, to the
// alarm and timer record loaders, then checks that what loaded saves and loads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/alarm.h"
#include "core/property_list.h"
#include "core/timer.h"

using namespace zt::core;

namespace {

template <class Record>
void load_and_round_trip(const CValueMap& map) {
    Record record(1);
    if (!record.from_value_map(map)) return;
    CValueMap saved;
    if (!record.to_value_map(saved)) std::abort();
    auto reparsed = parse_property_list(join_property_list(saved));
    Record again(1);
    if (!reparsed || !again.from_value_map(*reparsed)) std::abort();  // what we write we must read
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::u16string text;
    for (size_t i = 0; i + 1 < size; i += 2) text.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
    auto map = parse_property_list(text);
    if (!map) return 0;
    if (!parse_property_list(join_property_list(*map))) std::abort();
    load_and_round_trip<CAlarm>(*map);
    load_and_round_trip<CTimer>(*map);
    return 0;
}
