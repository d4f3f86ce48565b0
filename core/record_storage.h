#pragma once
// Reading and writing one record's stored text: a REG_SZ value of the Alarms or Timers key
// named by the record's decimal id.
#include <cstdint>
#include <optional>
#include <string>

#include "core/time_item.h"
#include "core/value_map.h"

namespace zt::core {

const char16_t* records_key_path(ItemType type);

struct RecordRead {
    LoadFailure failure { LoadFailure::None };
    CValueMap map;  // the parsed list when failure is None
};

// Reads and parses a record. Takes no lock. Unlike other product reads it never writes a
// default: an empty value left behind for a record another process just deleted would come
// back as a broken record on every reload.
RecordRead read_record(ItemType type, int32_t id);

// Joins and writes the record while holding the store mutex. Write failures are not reported.
void write_record(ItemType type, int32_t id, const CValueMap& map);

}  // namespace zt::core
