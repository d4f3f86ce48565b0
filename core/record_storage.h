#pragma once
// Reading and writing one record's stored text: a REG_SZ value of the Alarms or Timers key
// named by the record's decimal id.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

// Joins and writes the record while holding the store mutex. False when the registry did not
// take it (the records' own save still reports success; tools ask).
bool write_record(ItemType type, int32_t id, const CValueMap& map);

// The names of every value of the Alarms or Timers key, in enumeration order; nothing when
// the key is missing. Taken whole before anything is deleted: deleting while enumerating by
// index would shift the indices under the enumeration and skip values.
std::vector<std::u16string> record_value_names(ItemType type);

}  // namespace zt::core
