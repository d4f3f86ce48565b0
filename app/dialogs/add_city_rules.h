#pragma once
// The rules of the add-city dialog that need no window: which countries its list offers first,
// and how a choice moves up the recent list.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace zt::world {
class CityDatabase;
}

namespace zt::app {

inline constexpr size_t kMaxRecentCountries = 10;
// Between the recent countries and all of them in the country list.
inline constexpr char16_t kCountrySeparator[] = u"----------------";

// The countries above the separator: the stored recent ids that the database has, or, when none
// are stored, the usual eight as far as the database has them; with `to_front` (a country the
// change form edits, 0 = none) moved to the top.
std::vector<uint32_t> first_countries(const world::CityDatabase& database, const std::vector<uint32_t>& stored,
                                      uint32_t to_front);

// The country moves to the front; the list keeps at most ten.
void put_recent_country(std::vector<uint32_t>& recent, uint32_t country);

// The rows of the country list as country indices, 0 standing for the separator.
std::vector<uint32_t> country_rows(const world::CityDatabase& database, const std::vector<uint32_t>& first);

// The row a choice of `row` lands on: the separator gives the row above it (below it when it is
// the first row).
int landing_row(const std::vector<uint32_t>& rows, int row);

}  // namespace zt::app
