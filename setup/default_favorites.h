#pragma once
// The cities a fresh installation starts with, looked up in the shipped database, and the
// first-install seeding of "FavList.dat" with slots 0 to 3.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "world/city_database.h"
#include "world/city_record.h"
#include "world/slot_publisher.h"

namespace zt::setup {

struct DefaultCity {
    std::u16string_view country;
    std::u16string_view region;  // empty: the country's own list
    std::u16string_view city;
};

inline constexpr std::array<DefaultCity, 11> kDefaultCities = { {
    { u"United States of America", u"New York", u"New York" },
    { u"Taiwan", u"", u"Taipei" },
    { u"Japan", u"", u"Tokyo" },
    { u"United Kingdom", u"", u"London" },
    { u"Germany", u"", u"Berlin" },
    { u"Germany", u"", u"Bonn" },
    { u"France", u"", u"Paris" },
    { u"Australia", u"", u"Sydney" },
    { u"Italy", u"", u"Rome" },
    { u"Russia", u"", u"Moscow" },
    { u"Portugal", u"", u"Lisbon" },
} };

// Exact names throughout; a missing country, region or city gives nothing.
std::optional<world::CityRecord> look_up_default_city(world::CityDatabase& database, const DefaultCity& wanted);

// Loads "FavList.dat" of the installation folder; when that fails, fills the list with the
// default cities found, sets slots 0..3 to entries 0..3 (publishing them) and saves. A
// readable file is kept as it is.
void seed_default_favorites(std::u16string_view installation_folder, world::CitiesChangedNotifier& notifier);

}  // namespace zt::setup
