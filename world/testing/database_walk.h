#pragma once
// Runs every query of a CityDatabase over whatever it opened, so damaged-file tests and the
// fuzz target exercise the same reads. Returns the number of cities seen, to keep the work
// from being optimised away.
#include <cstddef>

#include "world/city_database.h"

namespace zt::world::testing {

size_t walk_database(CityDatabase& db);

}  // namespace zt::world::testing
