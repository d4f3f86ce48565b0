// Parses arbitrary bytes as a favourites file; whatever parses must serialise and parse back
// to the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "world/favorites_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto parsed = zt::world::parse_favorites_file({ data, size });
    if (!parsed) return 0;
    auto again = zt::world::parse_favorites_file(zt::world::serialize_favorites_file(*parsed));
    if (!again || again->entries != parsed->entries || again->slot_ids != parsed->slot_ids ||
        again->next_custom_id != parsed->next_custom_id)
        std::abort();
    return 0;
}
