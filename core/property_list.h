#pragma once
// A record's stored text: "key=value" pairs joined by ";". A value may contain "=" (a pair
// splits at its first "="), never ";".
#include <optional>
#include <string>
#include <string_view>

#include "core/value_map.h"

namespace zt::core {

// Pairs in the map's iteration order. A ';' inside a value would split the record on the
// next read and make the whole record invalid (an alarm would then be deleted), so it is
// written as ','. NUL code units are dropped: they would cut the stored text short.
std::u16string join_property_list(const CValueMap& map);

// Malformed when any piece between separators lacks "=" (that includes an empty piece, as in
// "a=1;;b=2" or a trailing ";") or the text holds more pairs than a map can; OutOfMemory when
// memory ran out on the way, which says nothing about the text. An empty text is a valid,
// empty list. A key given twice keeps its last value. Never throws.
enum class PropertyListStatus { Ok, Malformed, OutOfMemory };
struct PropertyListRead {
    PropertyListStatus status { PropertyListStatus::Ok };
    CValueMap map;  // empty unless Ok
};
PropertyListRead read_property_list(std::u16string_view text);

// The map when the text reads Ok, else nullopt.
std::optional<CValueMap> parse_property_list(std::u16string_view text);

}  // namespace zt::core
