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

// nullopt when any piece between separators lacks "=" (that includes an empty piece, as in
// "a=1;;b=2" or a trailing ";"). An empty text is a valid, empty list. A key given twice
// keeps its last value.
std::optional<CValueMap> parse_property_list(std::u16string_view text);

}  // namespace zt::core
